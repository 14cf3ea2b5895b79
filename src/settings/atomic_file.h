#pragma once
// Replacing a small file so that a reader, or the next start after a crash
// or a power cut, finds either the old contents or the new, never a mix.
#include <string>

// New contents written in full beside the file they are to replace.
struct PendingFile {
    std::string temp;  // the new contents, on disk
    std::string file;  // the file they replace (where a symbolic link leads)
};

// Writes `contents` to a temporary file beside `path`, flushes it to disk and
// gives it the old file's permissions (a new file is the player's only).
// Symbolic links are followed, even to a file not there yet, so a link
// stays; missing folders are made unless `path` is a link. Only a regular
// file that is not read-only is replaced. On failure returns false with why
// in `error`, and nothing has changed.
bool writePendingFile(const std::string& path, const std::string& contents, PendingFile& pending,
                      std::string& error);
// Renames the new contents over the old file; on failure they are removed.
bool commitPendingFile(const PendingFile& pending, std::string& error);
void discardPendingFile(const PendingFile& pending);
// Both steps: the file holds the old contents or the new, never a mix.
bool replaceFile(const std::string& path, const std::string& contents, std::string& error);

// Gives the file `path` leads to the name `to` as well, replacing what was
// there (a regular file that is not read-only): a file that cannot be read
// is kept aside without copying it.
bool linkFile(const std::string& path, const std::string& to, std::string& error);

// The whole file in `contents`; false when it cannot be read (`exists`
// tells whether it is there at all). Files above `limit` bytes, and what is
// not a regular file, are refused without waiting.
bool readSmallFile(const std::string& path, std::string& contents, bool& exists, std::size_t limit,
                   std::string& error);
