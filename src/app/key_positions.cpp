#include "app/key_positions.h"

#include <cstring>
#include <string>

namespace {
// The rows of a US keyboard: XKB names AE01.., AD01.., AC01.., AB01...
struct Row {
    char letters[3];
    const char* keys;
};
constexpr Row kRows[] = {
    {"AE", "1234567890-="}, {"AD", "qwertyuiop[]"}, {"AC", "asdfghjkl;'"}, {"AB", "zxcvbnm,./"}};

struct Named {
    const char* name;
    InputKey key;
};
constexpr Named kNamed[] = {{"TLDE", '`'},
                            {"BKSL", '\\'},
                            {"SPCE", ' '},
                            {"TAB", '\t'},
                            {"RTRN", '\r'},
                            {"BKSP", 8},
                            {"LEFT", kSpecialKey + 100},
                            {"UP", kSpecialKey + 101},
                            {"RGHT", kSpecialKey + 102},
                            {"DOWN", kSpecialKey + 103}};
}  // namespace

InputKey usKeyAtPosition(const char* xkbName) {
    const std::string name(xkbName, strnlen(xkbName, 4));
    for (const Named& n : kNamed) {
        if (name == n.name) return n.key;
    }
    if (name.size() != 4) return kNoKey;
    const int number = (name[2] - '0') * 10 + (name[3] - '0');
    if (name[2] < '0' || name[2] > '9' || name[3] < '0' || name[3] > '9') return kNoKey;
    if (name.compare(0, 2, "FK") == 0 && number >= 1 && number <= 12) return kSpecialKey + number;
    for (const Row& row : kRows) {
        if (name.compare(0, 2, row.letters) != 0) continue;
        if (number >= 1 && number <= static_cast<int>(std::strlen(row.keys)))
            return static_cast<unsigned char>(row.keys[number - 1]);
    }
    return kNoKey;
}
