#pragma once
// An INI text seen line by line, the way the reader sees it, so that one
// value can be changed while every other line (unknown sections and keys,
// comments, blank lines) stays exactly as it was.
#include <string>
#include <vector>

// Longer lines, and lines with a NUL byte, are not read at all.
constexpr std::size_t kLongestIniLine = 198;
// The reader hands a value's continuation lines on under the first 49
// characters of its name only: a name that long is none of the game's.
constexpr std::size_t kLongestIniName = 48;

struct IniLine {
    enum Kind { Blank, Comment, Section, Value, Continuation, Broken } kind = Blank;
    std::string section;  // the section the line is in (its own for a header)
    std::string name;     // for Value lines
    std::string value;    // for Value lines, trimmed, inline comment removed
};

// Whether every line of the text ends in a lone carriage return (no "\n"
// anywhere), as in an old Mac file.
bool carriageReturnLines(const std::string& text);
// Splits text into lines ("\n" or "\r\n" endings; the last may lack one,
// and then keeps a "\r" it ends with).
std::vector<std::string> splitLines(const std::string& text);
// What each line is.
std::vector<IniLine> classifyLines(const std::vector<std::string>& lines);

// Sets `name` in `section` to `value`: the first line giving that name in
// that section is replaced (keeping its inline comment); otherwise a line
// is added after the section's last value, or a new section at the end.
// Returns the new text; the line ending of the text is kept.
std::string setIniValue(const std::string& text, const std::string& section,
                        const std::string& name, const std::string& value);
// Removes every line giving `name` in `section`.
std::string removeIniValue(const std::string& text, const std::string& section,
                           const std::string& name);
// Puts "# " before each of the given lines (numbered from 1).
std::string commentOutLines(const std::string& text, const std::vector<int>& lineNumbers);
