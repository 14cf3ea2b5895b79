#include "replay/replay_folder.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/folders.h"

std::string replayFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    // The XDG rule: a relative path is not used.
    if (data && data[0] == '/') return std::string(data) + "/brakkon/replays";
    const std::string home = homeFolder();
    if (home.empty()) return "";
    return home + "/.local/share/brakkon/replays";
}

std::string freshReplayPath(const std::string& folder, std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    std::string path = folder + "/" + stamp + ".replay";
    struct stat info {};
    for (int n = 2; lstat(path.c_str(), &info) == 0 && n < 1000; ++n)
        path = folder + "/" + stamp + "-" + std::to_string(n) + ".replay";
    return path;
}

void pointLastReplayAt(const std::string& folder, const std::string& path) {
    const std::string link = folder + "/last";
    const std::string fresh = link + ".new";
    const std::string name = path.substr(path.find_last_of('/') + 1);
    unlink(fresh.c_str());
    if (symlink(name.c_str(), fresh.c_str()) != 0 || std::rename(fresh.c_str(), link.c_str()) != 0)
        unlink(fresh.c_str());
}

void keepNewestReplays(const std::string& folder, int keep) {
    DIR* dir = opendir(folder.c_str());
    if (!dir) return;
    std::vector<std::string> fights;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() > 7 && name.compare(name.size() - 7, 7, ".replay") == 0)
            fights.push_back(name);
    }
    closedir(dir);
    // Names start with the time: -2 sorts after the plain name of the same
    // second, as it was made after it.
    std::sort(fights.begin(), fights.end(), [](const std::string& a, const std::string& b) {
        const std::string sa = a.substr(0, 15), sb = b.substr(0, 15);
        if (sa != sb) return sa < sb;
        if (a.size() != b.size()) return a.size() < b.size();
        return a < b;
    });
    const std::size_t kept = keep < 0 ? 0 : static_cast<std::size_t>(keep);
    for (std::size_t i = 0; i + kept < fights.size(); ++i)
        unlink((folder + "/" + fights[i]).c_str());
}

std::string replayPathFor(const std::string& argument) {
    if (argument == "last") return replayFolder() + "/last";
    return argument;
}
