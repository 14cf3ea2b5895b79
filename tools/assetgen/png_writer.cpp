#include "png_writer.h"

#include <cstdint>
#include <cstdio>

#include "platform/png_file.h"

bool writePng(const std::string& path, const Image& image, const std::vector<std::uint8_t>& alpha) {
    const size_t slash = path.rfind('/');
    if (slash != std::string::npos && !makeDirs(path.substr(0, slash))) return false;
    std::vector<std::uint8_t> rgba;
    rgba.reserve(image.pixels.size() * 4);
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        const Rgb& p = image.pixels[i];
        rgba.insert(rgba.end(), {p.r, p.g, p.b, alpha.empty() ? std::uint8_t{255} : alpha[i]});
    }
    PngPicture picture;
    picture.width = image.width;
    picture.height = image.height;
    picture.pixels = rgba.data();
    std::string why;
    if (writePngFile(path, picture, PngPacking::Stored, &why)) return true;
    std::fprintf(stderr, "assetgen: cannot write %s: %s\n", path.c_str(), why.c_str());
    return false;
}
