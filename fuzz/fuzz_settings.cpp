// Feeds arbitrary bytes to the settings reader, and saves what it read back
// into the same text, every other time with one action bound to a key the
// input picks: the result must read without a problem and give the settings
// saved, and saving it again and again must not change it further.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/input_keys.h"
#include "settings/settings.h"

namespace {
std::vector<std::string> everyKeyName() {
    std::vector<std::string> names;
    for (InputKey key = 1; key < kMouseKey + kSpecialKey; ++key) {
        if (!keyName(key).empty()) names.push_back(keyName(key));
    }
    return names;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<std::string> keyNames = everyKeyName();
    const std::string text(reinterpret_cast<const char*>(data), size);
    Settings saved = readSettingsText(text).settings;
    if (size % 2 == 1) saved.keys["embers"] = keyNames[data[size / 2] % keyNames.size()];
    const std::string written = writeSettingsText(text, saved);
    const SettingsRead again = readSettingsText(written);
    if (again.settings != saved || !again.problems.empty()) __builtin_trap();
    // Mixed line endings settle on the first save; from the second on, a
    // save changes nothing, so no line grows.
    const std::string settled = writeSettingsText(written, saved);
    if (writeSettingsText(settled, saved) != settled) __builtin_trap();
    return 0;
}
