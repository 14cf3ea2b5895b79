#pragma once
// Replacing a small file so that a reader, or the next start after a crash
// or a power cut, finds either the old contents or the new, never a mix.
#include <string>

// Writes `contents` to a temporary file beside `path`, flushes it to disk,
// gives it the old file's permissions (a new file is the player's only) and renames it over `path`
// (over the file a symbolic link points to, so the link stays). Makes missing folders. On failure
// returns false with why in `error`, and `path` is untouched.
bool replaceFile(const std::string& path, const std::string& contents, std::string& error);

// The whole file in `contents`; false when it cannot be read (`exists`
// tells whether it is there at all). Files above `limit` bytes are refused.
bool readSmallFile(const std::string& path, std::string& contents, bool& exists, std::size_t limit,
                   std::string& error);
