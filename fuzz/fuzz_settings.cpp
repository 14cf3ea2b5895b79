// Feeds arbitrary bytes to the settings reader, and writes what it read back
// into the same text: the result must read without a problem and give the
// same settings.
#include <cstddef>
#include <cstdint>
#include <string>

#include "settings/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const SettingsRead read = readSettingsText(text);
    const std::string written = writeSettingsText(text, read.settings);
    const SettingsRead again = readSettingsText(written);
    if (again.settings != read.settings) __builtin_trap();
    return 0;
}
