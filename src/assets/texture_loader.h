#pragma once
// One picture turned into a mipmapped OpenGL texture.
#include <cstdint>

struct RgbImage;

class TextureLoader {
public:
    RgbImage* image = nullptr;  // exists only during load
    std::int32_t width = 0;
    std::int32_t height = 0;
    unsigned int texture = 0;

    // Generates a texture name, binds it and uploads the picture with mipmaps.
    // When the picture cannot be read (already reported), the new name stays
    // bound without an image and width and height keep their old values.
    void load(const char* fileName);
    void bind() const;
    unsigned int textureName() const { return texture; }
};
