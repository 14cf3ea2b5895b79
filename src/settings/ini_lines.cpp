#include "settings/ini_lines.h"

#include <algorithm>
#include <cstring>

namespace {
const char* const kSpace = " \t\r\f\v";

std::string trim(const std::string& s) {
    const auto first = s.find_first_not_of(kSpace);
    if (first == std::string::npos) return "";
    return s.substr(first, s.find_last_not_of(kSpace) - first + 1);
}

// An inline comment starts with ';' after white space, as the reader has it.
std::string::size_type inlineCommentAt(const std::string& s, std::string::size_type from) {
    for (auto i = from; i < s.size(); ++i) {
        if (s[i] == ';' && i > 0 && (s[i - 1] == ' ' || s[i - 1] == '\t')) return i;
    }
    return std::string::npos;
}

std::string lineEnding(const std::string& text) {
    return text.find("\r\n") != std::string::npos ? "\r\n" : "\n";
}

std::string joinLines(const std::vector<std::string>& lines, const std::string& ending,
                      bool endsWithNewline) {
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        out += lines[i];
        if (i + 1 < lines.size() || endsWithNewline) out += ending;
    }
    return out;
}

bool endsWithNewline(const std::string& text) { return !text.empty() && text.back() == '\n'; }
}  // namespace

bool carriageReturnLines(const std::string& text) {
    return text.find('\n') == std::string::npos && text.find('\r') != std::string::npos;
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string::size_type at = 0;
    while (at < text.size()) {
        auto end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        // "\r\n" ends a line; a last line without "\n" keeps its "\r".
        if (end < text.size() && !line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        at = end + 1;
    }
    return lines;
}

std::vector<IniLine> classifyLines(const std::vector<std::string>& lines) {
    std::vector<IniLine> out;
    std::string section;
    bool afterValue = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string raw = lines[i];
        // A byte order mark before the first line is not part of it.
        if (i == 0 && raw.compare(0, 3, "\xEF\xBB\xBF") == 0) raw.erase(0, 3);
        IniLine line;
        const std::string t = trim(raw);
        // Any white space the reader skips indents, a carriage return too.
        const bool indented = !raw.empty() && raw[0] != '\0' && std::strchr(kSpace, raw[0]);
        // A comment is one at any length: the reader skips it either way.
        if (!t.empty() && (t[0] == ';' || t[0] == '#')) {
            line.kind = IniLine::Comment;
        } else if (raw.size() > kLongestIniLine || raw.find('\0') != std::string::npos) {
            line.kind = IniLine::Broken;
        } else if (t.empty()) {
            line.kind = IniLine::Blank;
        } else if (afterValue && indented) {
            line.kind = IniLine::Continuation;
        } else if (t[0] == '[') {
            const auto close = t.find(']');
            if (close == std::string::npos || inlineCommentAt(t, 1) < close) {
                line.kind = IniLine::Broken;
            } else {
                line.kind = IniLine::Section;
                section = t.substr(1, close - 1);
            }
        } else {
            const auto cut = std::min(t.find_first_of("=:"), inlineCommentAt(t, 0));
            if (cut == std::string::npos || t[cut] == ';') {
                line.kind = IniLine::Broken;
            } else {
                line.kind = IniLine::Value;
                line.name = trim(t.substr(0, cut));
                std::string value = t.substr(cut + 1);
                const auto comment = inlineCommentAt(value, 0);
                if (comment != std::string::npos) value.erase(comment);
                line.value = trim(value);
            }
        }
        line.section = section;
        // Only a section ends a value: a continuation may follow blank,
        // comment and broken lines.
        if (line.kind == IniLine::Value) afterValue = true;
        if (line.kind == IniLine::Section) afterValue = false;
        out.push_back(line);
    }
    return out;
}

namespace {
// The lines giving `name` in `section`, and the continuation lines of each,
// which the reader would add to whatever value the line gives.
std::vector<bool> linesOfValue(const std::vector<IniLine>& kinds, const std::string& section,
                               const std::string& name, std::vector<bool>& continuations) {
    std::vector<bool> of(kinds.size(), false);
    continuations.assign(kinds.size(), false);
    bool inValue = false;
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        const IniLine& k = kinds[i];
        if (k.kind == IniLine::Value || k.kind == IniLine::Section) {
            inValue = k.kind == IniLine::Value && k.section == section && k.name == name;
            of[i] = inValue;
        } else if (k.kind == IniLine::Continuation && inValue) {
            continuations[i] = true;
        }
    }
    return of;
}

std::vector<std::string> without(const std::vector<std::string>& lines,
                                 const std::vector<bool>& dropped) {
    std::vector<std::string> kept;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!dropped[i]) kept.push_back(lines[i]);
    }
    return kept;
}
}  // namespace

std::string setIniValue(const std::string& text, const std::string& section,
                        const std::string& name, const std::string& value) {
    std::vector<std::string> lines = splitLines(text);
    const std::vector<IniLine> kinds = classifyLines(lines);
    std::vector<bool> continuations;
    const std::vector<bool> of = linesOfValue(kinds, section, name, continuations);
    int lastInSection = -1;
    bool replaced = false;
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        const IniLine& k = kinds[i];
        if (k.section != section) continue;
        // Every line of the name: the reader takes the last.
        if (of[i]) {
            const std::string& raw = lines[i];
            const auto cut = raw.find_first_of("=:");
            const auto comment = inlineCommentAt(raw, cut);
            const std::string tail = comment == std::string::npos ? "" : " " + raw.substr(comment);
            std::string head = raw.substr(0, cut);
            head.erase(head.find_last_not_of(kSpace) + 1);
            lines[i] = head + " = " + value + tail;
            replaced = true;
        }
        if (k.kind != IniLine::Blank && k.kind != IniLine::Comment) lastInSection = i;
    }
    if (replaced)
        return joinLines(without(lines, continuations), lineEnding(text), endsWithNewline(text));
    const std::string entry = name + " = " + value;
    if (lastInSection >= 0) {
        // The reader takes an indented line after a name as part of its
        // value, even past blank lines and comments: where such a line
        // follows, the entry goes into a section of its own at the end.
        std::size_t next = static_cast<std::size_t>(lastInSection) + 1;
        while (next < kinds.size() &&
               (kinds[next].kind == IniLine::Blank || kinds[next].kind == IniLine::Comment))
            ++next;
        const bool wouldContinue = next < lines.size() && !lines[next].empty() &&
                                   std::strchr(" \t\r\f\v", lines[next][0]) != nullptr;
        if (wouldContinue) {
            lines.push_back("[" + section + "]");
            lines.push_back(entry);
            return joinLines(lines, lineEnding(text), true);
        }
        const std::size_t at = static_cast<std::size_t>(lastInSection) + 1;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), entry);
    } else {
        if (!lines.empty() && !trim(lines.back()).empty()) lines.push_back("");
        lines.push_back("[" + section + "]");
        lines.push_back(entry);
    }
    return joinLines(lines, lineEnding(text), true);
}

std::string removeIniValue(const std::string& text, const std::string& section,
                           const std::string& name) {
    const std::vector<std::string> lines = splitLines(text);
    std::vector<bool> dropped;
    const std::vector<bool> of = linesOfValue(classifyLines(lines), section, name, dropped);
    bool any = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (of[i]) dropped[i] = any = true;
    }
    if (!any) return text;
    return joinLines(without(lines, dropped), lineEnding(text), endsWithNewline(text));
}

std::string commentOutLines(const std::string& text, const std::vector<int>& lineNumbers) {
    std::vector<std::string> lines = splitLines(text);
    for (int n : lineNumbers) {
        if (n >= 1 && n <= static_cast<int>(lines.size())) lines[n - 1] = "# " + lines[n - 1];
    }
    return joinLines(lines, lineEnding(text), endsWithNewline(text));
}
