// Feeds arbitrary bytes to the BMP decoder.
#include <cstddef>
#include <cstdint>

#include "assets/bmp_reader.h"
#include "platform/message_box.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    setMessageSink([](const char*, const std::string&) {});
    auto image = decodeBmpImage(data, size, "fuzz.bmp");
    if (image && image->pixels.size() != std::size_t(image->width) * image->height * 3) {
        __builtin_trap();
    }
    return 0;
}
