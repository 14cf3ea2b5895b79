#include "platform/folders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
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

std::string picturesFolder() {
    const std::string home = homeFolder();
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    const std::string config = configHome && configHome[0] == '/' ? configHome : home + "/.config";
    std::ifstream file(config + "/user-dirs.dirs");
    std::ostringstream text;
    text << file.rdbuf();
    const std::string named = picturesFolderIn(text.str(), home);
    return named.empty() ? home + "/Pictures" : named;
}
