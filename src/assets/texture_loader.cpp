#include "assets/texture_loader.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "assets/bmp_reader.h"

void TextureLoader::load(const char* fileName) {
    // Picture rows are tightly packed, whatever their width.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);

    // A picture that cannot be read has been reported already; the texture
    // name stays generated and bound, with no image behind it.
    std::unique_ptr<RgbImage> picture = loadBmpImage(fileName);
    if (!picture) return;
    image = picture.get();
    width = image->width;
    height = image->height;
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, width, height, GL_RGB, GL_UNSIGNED_BYTE,
                      image->pixels.data());
    image = nullptr;
}

void TextureLoader::bind() const { glBindTexture(GL_TEXTURE_2D, texture); }
