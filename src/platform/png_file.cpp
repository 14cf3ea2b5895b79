#include "platform/png_file.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstring>
#include <vector>

namespace {
void onPngError(png_structp png, png_const_charp message) {
    auto* error = static_cast<std::string*>(png_get_error_ptr(png));
    if (error) *error = message;
    png_longjmp(png, 1);
}

void onPngWarning(png_structp, png_const_charp) {}

// libpng's own writer says only "Write Error"; this one says why (a full disk).
void writeToFile(png_structp png, png_bytep data, png_size_t length) {
    auto* file = static_cast<std::FILE*>(png_get_io_ptr(png));
    if (std::fwrite(data, 1, length, file) != length) png_error(png, std::strerror(errno));
}

void flushFile(png_structp png) {
    if (std::fflush(static_cast<std::FILE*>(png_get_io_ptr(png))) != 0)
        png_error(png, std::strerror(errno));
}

// Everything the jump back from a libpng error may cross is set up before it.
bool writeRows(std::FILE* file, const PngPicture& picture, PngPacking packing,
               const std::vector<png_bytep>& rows, std::string& error) {
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, onPngError, onPngWarning);
    if (!png) {
        error = "out of memory";
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        if (error.empty()) error = "out of memory";
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, file, writeToFile, flushFile);
    const bool alpha = picture.channels == 4 && picture.keepAlpha;
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width),
                 static_cast<png_uint_32>(picture.height), 8,
                 alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (packing == PngPacking::Stored) {
        png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
        png_set_compression_level(png, 0);
        // One data chunk holding the whole stream.
        const std::size_t rowBytes = static_cast<std::size_t>(picture.width) * (alpha ? 4 : 3) + 1;
        const std::size_t raw = rowBytes * static_cast<std::size_t>(picture.height);
        png_set_compression_buffer_size(png, raw + raw / 65535 * 5 + 64);
    } else {
        png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
        png_set_compression_level(png, 1);
    }
    png_write_info(png, info);
    if (picture.channels == 4 && !alpha) png_set_filler(png, 0, PNG_FILLER_AFTER);
    png_write_image(png, const_cast<png_bytepp>(rows.data()));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}
}  // namespace

bool writePng(std::FILE* file, const PngPicture& picture, PngPacking packing, std::string* error) {
    std::string why;
    bool ok = false;
    if (picture.width <= 0 || picture.height <= 0 || !picture.pixels ||
        (picture.channels != 3 && picture.channels != 4)) {
        why = "no picture";
    } else {
        const std::size_t stride = static_cast<std::size_t>(picture.width) * picture.channels;
        std::vector<png_bytep> rows(static_cast<std::size_t>(picture.height));
        for (int y = 0; y < picture.height; ++y) {
            const int from = picture.bottomUp ? picture.height - 1 - y : y;
            rows[y] = const_cast<png_bytep>(picture.pixels + stride * from);
        }
        ok = writeRows(file, picture, packing, rows, why);
        if (ok && std::fflush(file) != 0) {
            why = std::strerror(errno);
            ok = false;
        }
    }
    if (!ok && error) *error = why;
    return ok;
}

bool writePngFile(const std::string& path, const PngPicture& picture, PngPacking packing,
                  std::string* error) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        if (error) *error = std::strerror(errno);
        return false;
    }
    bool ok = writePng(file, picture, packing, error);
    if (std::fclose(file) != 0 && ok) {
        if (error) *error = std::strerror(errno);
        ok = false;
    }
    return ok;
}
