#include "settings/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {
std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool makeFolders(const std::string& folder) {
    struct stat st {};
    if (stat(folder.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
    const std::string parent = folderOf(folder);
    if (parent != folder && !makeFolders(parent)) return false;
    return mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

// A symbolic link is written through, so the link itself stays.
std::string target(const std::string& path) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved)) return resolved;
    return path;
}

bool writeAll(int fd, const std::string& contents) {
    std::size_t done = 0;
    while (done < contents.size()) {
        const ssize_t n = write(fd, contents.data() + done, contents.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string failure(const char* what, const std::string& path) {
    return std::string(what) + " " + path + ": " + std::strerror(errno);
}
}  // namespace

bool replaceFile(const std::string& path, const std::string& contents, std::string& error) {
    error.clear();
    const std::string file = target(path);
    const std::string folder = folderOf(file);
    if (!makeFolders(folder)) {
        error = failure("cannot make the folder", folder);
        return false;
    }
    std::string temp = file + ".XXXXXX";
    const int fd = mkstemp(&temp[0]);
    if (fd < 0) {
        error = failure("cannot write in", folder);
        return false;
    }
    // A new file is the player's alone, as the temporary file is made.
    struct stat old {};
    const bool keepMode = stat(file.c_str(), &old) == 0;
    const bool written = writeAll(fd, contents) &&
                         (!keepMode || fchmod(fd, old.st_mode & 07777) == 0) && fsync(fd) == 0;
    if (!written) error = failure("cannot write", temp);
    if (close(fd) != 0 && written) error = failure("cannot write", temp);
    if (!error.empty() || rename(temp.c_str(), file.c_str()) != 0) {
        if (error.empty()) error = failure("cannot replace", file);
        unlink(temp.c_str());
        return false;
    }
    // The rename itself reaches the disk with the folder.
    const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return true;
}

bool readSmallFile(const std::string& path, std::string& contents, bool& exists, std::size_t limit,
                   std::string& error) {
    contents.clear();
    error.clear();
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    exists = fd >= 0 || errno != ENOENT;
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        error = "not a file";
        close(fd);
        return false;
    }
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error = std::strerror(errno);
            break;
        }
        if (n == 0) break;
        contents.append(buffer, static_cast<std::size_t>(n));
        if (contents.size() > limit) {
            error = "larger than " + std::to_string(limit) + " bytes";
            break;
        }
    }
    close(fd);
    return error.empty();
}
