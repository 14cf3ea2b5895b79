// The settings file: read once, written only on a change, atomically, with
// every line it does not own kept, and a damaged file never lost.
#include "settings/settings_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "platform/input_keys.h"

namespace {
struct SettingsFolder : ::testing::Test {
    std::string folder, path;
    std::vector<std::string> said;
    SayLine say = [this](const std::string& line) { said.push_back(line); };

    void SetUp() override {
        char name[] = "/tmp/brakkon-settings-XXXXXX";
        folder = mkdtemp(name);
        path = folder + "/brakkon/settings.ini";
    }
    void TearDown() override { std::system(("rm -rf " + folder).c_str()); }

    void put(const std::string& text) {
        mkdir((folder + "/brakkon").c_str(), 0700);
        std::ofstream(path, std::ios::binary) << text;
    }
    std::string get(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
};

const char* const kHandWritten =
    "# my settings\n"
    "[controls]\n"
    "mouse_sensitivity = 1.5 ; a bit faster\n"
    "future_option = 7\n"
    "\n"
    "[network]\n"
    "server = example\n";
}  // namespace

TEST_F(SettingsFolder, RoundTripKeepsWhatItDoesNotOwnAndWritesOnlyChanges) {
    // No file: the defaults, nothing said, nothing written.
    EXPECT_EQ(loadSettingsFile(path, say), Settings{});
    EXPECT_TRUE(said.empty());
    EXPECT_EQ(access(path.c_str(), F_OK), -1);
    EXPECT_EQ(writeSettingsText("", Settings{}), "");

    put(kHandWritten);
    Settings s = loadSettingsFile(path, say);
    EXPECT_EQ(s.mouseSensitivity, 1.5);
    // Saved unchanged, the file stays byte for byte.
    ASSERT_TRUE(saveSettingsFile(path, s, say));
    EXPECT_EQ(get(path), kHandWritten);

    chmod(path.c_str(), 0640);
    s.mouseSensitivity = 2.0;
    s.invertAim = true;
    s.keysByPosition = true;
    s.keys["forward"] = "up";
    s.keys["screenshot"] = "f11";
    s.volume = 40;
    s.muted = true;
    s.fullscreen = false;
    s.keepPace = false;
    s.renderScale = 0.75;
    ASSERT_TRUE(saveSettingsFile(path, s, say));
    const std::string written = get(path);
    EXPECT_EQ(loadSettingsFile(path, say), s);
    EXPECT_TRUE(said.empty());
    // Unknown keys, sections and comments stay where they were.
    for (const char* kept :
         {"# my settings\n[controls]\n", "mouse_sensitivity = 2 ; a bit faster\n",
          "future_option = 7\n", "[network]\nserver = example\n", "key_forward = up\n",
          "[sound]\nvolume = 40\n"})
        EXPECT_NE(written.find(kept), std::string::npos) << kept << "\n" << written;
    EXPECT_EQ(access((path + ".bak").c_str(), F_OK), -1);  // nothing was damaged
    struct stat st {};
    stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);  // the old file's mode kept

    // A value's continuation lines go with it when it is rewritten.
    Settings continued = readSettingsText("[sound]\nvolume = 50\n  60\nmuted = no\n").settings;
    EXPECT_EQ(continued.volume, 60);
    continued.volume = 30;
    EXPECT_EQ(writeSettingsText("[sound]\nvolume = 50\n  60\nmuted = no\n", continued),
              "[sound]\nvolume = 30\nmuted = no\n");
    // So does one that starts with a carriage return; a name too long for the
    // reader to carry over to its continuation is none of ours.
    for (const std::string& odd : {std::string("[controls]\nkey_=\n\r=\n\r]"),
                                   "[controls]\nkey_" + std::string(44, 'x') + "\r\r\r]=\n\r]"}) {
        const Settings read = readSettingsText(odd).settings;
        EXPECT_EQ(readSettingsText(writeSettingsText(odd, read)).settings, read);
    }
    // A number is written back in full.
    Settings precise;
    precise.mouseSensitivity = 2.5777777;
    EXPECT_EQ(writeSettingsText("", precise), "[controls]\nmouse_sensitivity = 2.5777777\n");

    // Back to the defaults: every value reads as its default again.
    ASSERT_TRUE(saveSettingsFile(path, Settings{}, say));
    EXPECT_EQ(loadSettingsFile(path, say), Settings{});
    EXPECT_NE(get(path).find("future_option = 7\n"), std::string::npos);
}

TEST_F(SettingsFolder, DamagedAndHostileFilesAreNamedLeftAsTheyWereAndKeptAsideOnSave) {
    const std::string damaged =
        "[controls]\n"
        "mouse_sensitivity = fast\n"
        "invert_aim = true\n"
        "this line is broken\n"
        "key_forward = nosuchkey\n"
        "[sound]\n"
        "volume = 250\n"
        "[display\n"
        "[display]\n"
        "render_scale = 0.6\n"
        "[replays]\n"
        "keep = -3\n";
    put(damaged);
    const Settings s = loadSettingsFile(path, say);
    // What could be read is used; the rest keeps its default.
    EXPECT_TRUE(s.invertAim);
    EXPECT_EQ(s.mouseSensitivity, 1.0);
    EXPECT_EQ(s.volume, 100);
    EXPECT_TRUE(s.keys.empty());
    EXPECT_EQ(s.renderScale, 1.0);
    // One line per problem, naming the file, the line and the default used.
    EXPECT_EQ(s.replaysKept, 20);
    ASSERT_EQ(said.size(), 7u);
    EXPECT_EQ(said[0], "Brakkon: " + path +
                           " line 2: mouse_sensitivity = \"fast\" is not a number from 0.1 to "
                           "10; using 1.");
    for (const auto& [line, text] :
         std::vector<std::pair<int, const char*>>{{4, "neither"},
                                                  {5, "a key name"},
                                                  {7, "using 100"},
                                                  {8, "neither"},
                                                  {10, "0.5"},
                                                  {12, "from 0 to 1000"}}) {
        bool found = false;
        for (const auto& l : said)
            found |= l.find(" line " + std::to_string(line) + ": ") != std::string::npos &&
                     l.find(text) != std::string::npos;
        EXPECT_TRUE(found) << line << " " << text;
    }
    EXPECT_EQ(get(path), damaged);  // reading never rewrites

    // Saving keeps the damaged file aside first; the new one reads cleanly.
    Settings changed = s;
    changed.volume = 30;
    ASSERT_TRUE(saveSettingsFile(path, changed, say));
    EXPECT_EQ(get(path + ".bak"), damaged);
    said.clear();
    EXPECT_EQ(loadSettingsFile(path, say).volume, 30);
    EXPECT_TRUE(said.empty()) << said[0];
    EXPECT_NE(get(path).find("# this line is broken\n"), std::string::npos);

    // Hostile: binary junk, NUL bytes, a line longer than the reader takes,
    // a huge file, a folder in its place. Defaults, a word, no change.
    const std::string hostile[] = {std::string("\0\xff\xfe[\x01]\n=\n;\n[[[", 14),
                                   "[sound]\nvolume = 5" + std::string(5000, '0') + "\n",
                                   std::string(2 << 20, 'x')};
    for (const std::string& text : hostile) {
        put(text);
        said.clear();
        EXPECT_EQ(loadSettingsFile(path, say).volume, 100);
        EXPECT_FALSE(said.empty());
        EXPECT_EQ(get(path), text);
    }
    unlink(path.c_str());
    mkdir(path.c_str(), 0700);
    said.clear();
    EXPECT_EQ(loadSettingsFile(path, say), Settings{});
    EXPECT_EQ(said.size(), 1u);
}

TEST_F(SettingsFolder, AWriteKilledMidwayLeavesTheOldFile) {
    put(kHandWritten);
    Settings big;
    // Large enough that the write cannot finish under the limit below.
    for (int i = 0; i < 400; ++i) big.keys["action_" + std::to_string(i)] = "w";
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The system stops the writer in the middle of its write.
        const rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        signal(SIGXFSZ, SIG_DFL);
        saveSettingsFile(path, big, [](const std::string&) {});
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << status;
    EXPECT_EQ(get(path), kHandWritten);

    // A file too large to read goes aside only once its successor is whole:
    // a failed write leaves it in place.
    const std::string huge(2 << 20, 'x');
    put(huge);
    const pid_t full = fork();
    ASSERT_GE(full, 0);
    if (full == 0) {
        const rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        signal(SIGXFSZ, SIG_IGN);
        _exit(saveSettingsFile(path, big, [](const std::string&) {}) ? 1 : 0);
    }
    waitpid(full, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_TRUE(get(path) == huge);
    ASSERT_TRUE(saveSettingsFile(path, big, say));
    EXPECT_TRUE(get(path + ".bak") == huge);
    EXPECT_EQ(loadSettingsFile(path, say), big);
}

TEST_F(SettingsFolder, ALongLineIsCommentedOnceAndTheBackupKeepsTheFirstDamage) {
    const std::string note = "# " + std::string(250, 'n');
    const std::string pasted = "homepage = https://" + std::string(240, 'u');
    const std::string damaged = "[sound]\n" + note + "\n" + pasted + "\nvolume = 250\n";
    put(damaged);
    Settings s = loadSettingsFile(path, say);
    EXPECT_EQ(said.size(), 2u);  // a comment is a comment at any length
    for (int volume : {30, 40}) {
        s.volume = volume;
        ASSERT_TRUE(saveSettingsFile(path, s, say));
    }
    EXPECT_EQ(get(path), "[sound]\n" + note + "\n# " + pasted + "\nvolume = 40\n");
    EXPECT_EQ(get(path + ".bak"), damaged);
}

TEST_F(SettingsFolder, AFifoIsRefusedWithoutWaitingForAWriter) {
    put("");
    unlink(path.c_str());
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    EXPECT_EQ(loadSettingsFile(path, say), Settings{});
    Settings s;
    s.volume = 30;
    EXPECT_FALSE(saveSettingsFile(path, s, say));
    struct stat st {};
    EXPECT_TRUE(lstat(path.c_str(), &st) == 0 && S_ISFIFO(st.st_mode));
    EXPECT_EQ(said.size(), 2u);
}

TEST_F(SettingsFolder, ALinkStaysAndAReadOnlyFileOrBackupIsNotReplaced) {
    Settings s;
    s.volume = 30;
    struct stat st {};
    // A link to a file not there yet: the file is made, the link stays.
    put("");
    unlink(path.c_str());
    ASSERT_EQ(symlink("mine.ini", path.c_str()), 0);
    ASSERT_TRUE(saveSettingsFile(path, s, say));
    EXPECT_TRUE(lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode));
    EXPECT_EQ(loadSettingsFile(folder + "/brakkon/mine.ini", say), s);

    // A read-only file stays as it is, and the player is told once.
    unlink(path.c_str());
    put(kHandWritten);
    chmod(path.c_str(), 0444);
    playerSettingsPath = path;
    playerSettings = s;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(savePlayerSettings());
    EXPECT_FALSE(savePlayerSettings());
    const std::string told = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 1) << told;
    EXPECT_NE(told.find("read-only"), std::string::npos) << told;
    EXPECT_EQ(get(path), kHandWritten);
    EXPECT_TRUE(stat(path.c_str(), &st) == 0 && (st.st_mode & 0777) == 0444);

    // Nor is a read-only .bak replaced when a damaged file would go there.
    chmod(path.c_str(), 0600);
    put("[sound]\nvolume = loud\n");
    std::ofstream(path + ".bak") << "kept";
    chmod((path + ".bak").c_str(), 0444);
    said.clear();
    EXPECT_FALSE(saveSettingsFile(path, s, say));
    EXPECT_EQ(get(path + ".bak"), "kept");
    EXPECT_EQ(get(path), "[sound]\nvolume = loud\n");
    EXPECT_EQ(said.size(), 1u);
}

TEST(SettingsText, EveryKeyNameAndCarriageReturnLinesReadBackAsWritten) {
    for (InputKey key = 1; key < kMouseKey + kSpecialKey; ++key) {
        Settings s;
        s.keys["embers"] = keyName(key);
        if (s.keys["embers"].empty()) continue;
        const std::string text = writeSettingsText("[controls]\nkey_embers = w\n", s);
        EXPECT_EQ(readSettingsText(text).settings, s) << text;
    }
    // Lines ended by a lone carriage return are read, and written back so.
    const std::string cr = "[controls]\rmouse_sensitivity = 2\r[sound]\rvolume = 40\r";
    Settings muted = readSettingsText(cr).settings;
    muted.muted = true;
    EXPECT_EQ(writeSettingsText(cr, muted), cr + "muted = true\r");
    // Saving keeps them what they were: a file whose one newline ends a
    // line the save removes, and a new key where an indented line would
    // have followed it (fuzz findings).
    for (const std::string& text :
         {std::string("[controls]\rkey_mute = m\r[sound]\nkey_forward = nope"),
          std::string("[controls]\n\r[sound]\nvolume = 40\n")}) {
        Settings bound = readSettingsText(text).settings;
        bound.keys["embers"] = "x";
        const SettingsRead back = readSettingsText(writeSettingsText(text, bound));
        EXPECT_EQ(back.settings, bound) << text;
        EXPECT_TRUE(back.problems.empty()) << text;
    }
}
