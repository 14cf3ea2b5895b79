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

// Where writing `path` lands: its symbolic links followed, even to a file
// not there yet. False (errno set) for a loop of links or a link not read.
bool linkTarget(const std::string& path, std::string& file) {
    file = path;
    for (int hops = 0; hops < 40; ++hops) {
        char to[PATH_MAX];
        const ssize_t n = readlink(file.c_str(), to, sizeof to - 1);
        if (n < 0) return errno == EINVAL || errno == ENOENT;  // not a link, or nothing there
        const std::string named(to, static_cast<std::size_t>(n));
        file = named[0] == '/' ? named : folderOf(file) + "/" + named;
    }
    errno = ELOOP;
    return false;
}

// Whether `file` may be replaced: nothing there, or a regular file the
// player has not made read-only.
bool replaceable(const std::string& file, std::string& error) {
    struct stat st {};
    if (lstat(file.c_str(), &st) != 0) return true;
    if (!S_ISREG(st.st_mode))
        error = file + " is not a regular file";
    else if ((st.st_mode & 0222) == 0 || access(file.c_str(), W_OK) != 0)
        error = file + " is read-only";
    return error.empty();
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

bool writePendingFile(const std::string& path, const std::string& contents, PendingFile& pending,
                      std::string& error) {
    error.clear();
    std::string& file = pending.file;
    if (!linkTarget(path, file)) {
        error = failure("cannot follow the link", path);
        return false;
    }
    if (!replaceable(file, error)) return false;
    const std::string folder = folderOf(file);
    if (file == path && !makeFolders(folder)) {
        error = failure("cannot make the folder", folder);
        return false;
    }
    std::string& temp = pending.temp;
    temp = file + ".XXXXXX";
    const int fd = mkstemp(&temp[0]);
    if (fd < 0) {
        const std::string via = file == path ? "" : " (where the link " + path + " leads)";
        error = failure("cannot write in", folder + via);
        return false;
    }
    // A new file is the player's alone, as the temporary file is made.
    struct stat old {};
    const bool keepMode = stat(file.c_str(), &old) == 0;
    const bool written = writeAll(fd, contents) &&
                         (!keepMode || fchmod(fd, old.st_mode & 07777) == 0) && fsync(fd) == 0;
    if (!written) error = failure("cannot write", temp);
    if (close(fd) != 0 && written) error = failure("cannot write", temp);
    if (!error.empty()) discardPendingFile(pending);
    return error.empty();
}

bool commitPendingFile(const PendingFile& pending, std::string& error) {
    error.clear();
    if (rename(pending.temp.c_str(), pending.file.c_str()) != 0) {
        error = failure("cannot replace", pending.file);
        discardPendingFile(pending);
        return false;
    }
    // The rename itself reaches the disk with the folder.
    const int dir = open(folderOf(pending.file).c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return true;
}

void discardPendingFile(const PendingFile& pending) { unlink(pending.temp.c_str()); }

bool replaceFile(const std::string& path, const std::string& contents, std::string& error) {
    PendingFile pending;
    return writePendingFile(path, contents, pending, error) && commitPendingFile(pending, error);
}

bool linkFile(const std::string& path, const std::string& to, std::string& error) {
    error.clear();
    std::string file, destination;
    if (!linkTarget(path, file) || !linkTarget(to, destination)) {
        error = failure("cannot follow the link", path);
        return false;
    }
    if (!replaceable(destination, error)) return false;
    // A fresh name first, renamed over the old: `to` is never half there.
    std::string temp = destination + ".XXXXXX";
    const int fd = mkstemp(&temp[0]);
    if (fd < 0) {
        error = failure("cannot write in", folderOf(destination));
        return false;
    }
    close(fd);
    unlink(temp.c_str());
    if (link(file.c_str(), temp.c_str()) != 0) {
        error = failure("cannot keep aside", file);
        return false;
    }
    if (rename(temp.c_str(), destination.c_str()) != 0) {
        error = failure("cannot replace", destination);
        unlink(temp.c_str());
        return false;
    }
    return true;
}

bool readSmallFile(const std::string& path, std::string& contents, bool& exists, std::size_t limit,
                   std::string& error) {
    contents.clear();
    error.clear();
    // Without blocking: opening a FIFO for reading would wait for a writer.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    exists = fd >= 0 || errno != ENOENT;
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        error = "not a regular file";
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
