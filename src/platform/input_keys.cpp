#include "platform/input_keys.h"

namespace {
struct NamedKey {
    const char* name;
    InputKey key;
};
constexpr NamedKey kNamedKeys[] = {
    {"space", ' '},
    {"tab", '\t'},
    {"enter", '\r'},
    {"backspace", 8},
    {"left", kSpecialKey + 100},
    {"up", kSpecialKey + 101},
    {"right", kSpecialKey + 102},
    {"down", kSpecialKey + 103},
    {"mouse_left", kMouseKey + 0},
    {"mouse_middle", kMouseKey + 1},
    {"mouse_right", kMouseKey + 2},
};
constexpr int kFunctionKeys = 12;
}  // namespace

std::string keyName(InputKey key) {
    for (const NamedKey& named : kNamedKeys) {
        if (named.key == key) return named.name;
    }
    if (key > ' ' && key < 127) return std::string(1, static_cast<char>(key));
    if (key > kSpecialKey && key <= kSpecialKey + kFunctionKeys)
        return "f" + std::to_string(key - kSpecialKey);
    return "";
}

InputKey keyNamed(const std::string& name) {
    for (const NamedKey& named : kNamedKeys) {
        if (name == named.name) return named.key;
    }
    if (name.size() == 1 && name[0] > ' ' && name[0] < 127) return name[0];
    for (int f = 1; f <= kFunctionKeys; ++f) {
        if (name == "f" + std::to_string(f)) return kSpecialKey + f;
    }
    return kNoKey;
}
