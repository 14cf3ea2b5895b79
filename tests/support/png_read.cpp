#include "support/png_read.h"

#include <png.h>

#include <cstring>

bool readPngFile(const std::string& path, ReadPicture& picture) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    picture.hadAlpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    image.format = PNG_FORMAT_RGBA;
    picture.rgba.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, picture.rgba.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    return true;
}
