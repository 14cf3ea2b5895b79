#include "platform/folders.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

bool makeFolders(const std::string& path, std::string* error) {
    std::string partial;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '/') {
            if (!partial.empty() && partial != "/" && mkdir(partial.c_str(), 0755) != 0 &&
                errno != EEXIST) {
                if (error) *error = partial + ": " + std::strerror(errno);
                return false;
            }
        }
        if (i < path.size()) partial += path[i];
    }
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        if (error) *error = path + ": not a folder";
        return false;
    }
    return true;
}

std::string homeFolder() {
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return home;
    const passwd* entry = getpwuid(getuid());
    return entry && entry->pw_dir ? entry->pw_dir : "/";
}

namespace {
// Far more than the few lines the file holds.
constexpr std::size_t kUserDirsLimit = 1 << 20;

// The quoted value of one `KEY="..."` line, unescaped; false if malformed.
bool quotedValue(const std::string& line, std::size_t at, std::string& value) {
    if (at >= line.size() || line[at] != '"') return false;
    value.clear();
    for (std::size_t i = at + 1; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') return line.find_first_not_of(" \t\r", i + 1) == std::string::npos;
        if (c == '\\') {
            if (++i == line.size()) return false;
            if (std::strchr("\"\\$`", line[i]) == nullptr) value += '\\';
            value += line[i];
        } else if (c == '$' || c == '`') {
            // Only the leading $HOME is expanded; the file is never run.
            if (!(c == '$' && i == at + 1)) return false;
            value += c;
        } else {
            value += c;
        }
    }
    return false;
}
}  // namespace

std::string picturesFolderIn(const std::string& userDirs, const std::string& home) {
    static const std::string key = "XDG_PICTURES_DIR=";
    std::istringstream lines(userDirs);
    std::string line, found;
    while (std::getline(lines, line)) {
        const std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line.compare(start, key.size(), key) != 0) continue;
        std::string value;
        if (!quotedValue(line, start + key.size(), value)) continue;
        if (value == "$HOME") {
            found = home;
        } else if (value.compare(0, 6, "$HOME/") == 0) {
            found = home + value.substr(5);
        } else if (!value.empty() && value[0] == '/') {
            found = value;
        }
    }
    return found;
}

namespace {
// The file's text; "" when it is missing, or not a regular file (a FIFO
// would block the reader forever), which is said once on standard error.
std::string userDirsText(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return "";
    std::string text;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        static bool said = false;
        if (!said) std::fprintf(stderr, "brakkon: %s: not a regular file, ignored\n", path.c_str());
        said = true;
    } else {
        char buffer[4096];
        ssize_t got;
        while ((got = read(fd, buffer, sizeof buffer)) > 0 && text.size() < kUserDirsLimit)
            text.append(buffer, static_cast<std::size_t>(got));
    }
    close(fd);
    return text;
}
}  // namespace

std::string picturesFolder() {
    const std::string home = homeFolder();
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    const std::string config = configHome && configHome[0] == '/' ? configHome : home + "/.config";
    const std::string named = picturesFolderIn(userDirsText(config + "/user-dirs.dirs"), home);
    return named.empty() ? home + "/Pictures" : named;
}
