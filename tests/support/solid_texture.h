#pragma once
// A one-colour texture for drawing tests that must tell pictures apart.
#include "assets/texture_loader.h"

// Makes a 2 x 2 texture of one colour (no mipmaps, nearest filtering) and
// gives its name to the loader, as if a picture of that colour was loaded.
void makeSolidTexture(TextureLoader& loader, unsigned char r, unsigned char g, unsigned char b);

// True when TextureLoader::bind really binds the loader's texture.
bool textureBindingWorks();

// A drawing test that tells pictures apart by colour needs the binding.
#define REQUIRE_TEXTURE_BINDING() \
    ASSERT_TRUE(textureBindingWorks()) << "TextureLoader::bind does not bind its texture"
