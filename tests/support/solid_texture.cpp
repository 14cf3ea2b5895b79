#include "support/solid_texture.h"

#include <GL/gl.h>

void makeSolidTexture(TextureLoader& loader, unsigned char r, unsigned char g, unsigned char b) {
    if (loader.texture == 0) glGenTextures(1, &loader.texture);
    const unsigned char pixels[12] = {r, g, b, r, g, b, r, g, b, r, g, b};
    glBindTexture(GL_TEXTURE_2D, loader.texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    loader.width = loader.height = 2;
}

bool textureBindingWorks() {
    TextureLoader probe;
    makeSolidTexture(probe, 1, 2, 3);
    glBindTexture(GL_TEXTURE_2D, 0);
    probe.bind();
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glDeleteTextures(1, &probe.texture);
    return bound != 0 && static_cast<unsigned int>(bound) == probe.texture;
}
