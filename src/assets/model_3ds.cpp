#include "assets/model_3ds.h"

#include <GL/gl.h>

#include "assets/model_drawing.h"
#include "assets/texture_loader.h"

namespace {
constexpr int kTextureSlots = sizeof(Model3DS::textures) / sizeof(Model3DS::textures[0]);
}

Model3DS::~Model3DS() {
    if (displayList != 0) glDeleteLists(displayList, 1);
}

void Model3DS::load(const char* fileName) {
    // A failed read has been reported already and leaves the scene empty, so
    // the list below is compiled empty.
    reader.read(scene, fileName);

    // Materials past the texture table get no texture.
    for (int i = 0; i < scene.materialCount && i < kTextureSlots; ++i) {
        const Material3DS& material = scene.materials[std::size_t(i)];
        if (material.textureFileName[0] == '\0') continue;
        TextureLoader loader;
        loader.load(material.textureFileName);
        textures[i] = loader.textureName();
    }

    displayList = glGenLists(1);
    glNewList(displayList, GL_COMPILE);
    emit();
    glEndList();
}

void Model3DS::emit() const {
    for (const Object3DS& object : scene.objects) {
        if (object.textured) {
            glEnable(GL_TEXTURE_2D);
            glColor3ub(255, 255, 255);
            const int slot = object.materialIndex;
            glBindTexture(GL_TEXTURE_2D, slot >= 0 && slot < kTextureSlots ? textures[slot] : 0);
        } else {
            glDisable(GL_TEXTURE_2D);
            glColor3ub(255, 255, 255);
        }
        const bool useMaterialColour = !object.textured && scene.materialCount > 0 &&
                                       object.materialIndex >= 0 &&
                                       object.materialIndex < scene.materialCount;
        const bool sendTexCoords = object.textured && !object.texCoords.empty();
        glBegin(GL_TRIANGLES);
        for (const Face3DS& face : object.faces) {
            for (int k = 0; k < 3; ++k) {
                const int v = face.vertexIndex[k];
                const Vec3& n = object.normals[std::size_t(v)];
                glNormal3f(n.x, n.y, n.z);
                if (sendTexCoords) {
                    // Coordinates are indexed by vertex; a short list gives 0.
                    const bool has = std::size_t(v) < object.texCoords.size();
                    const TexCoord3DS t = has ? object.texCoords[std::size_t(v)] : TexCoord3DS{};
                    glTexCoord2f(t.u, t.v);
                }
                if (useMaterialColour) {
                    const std::uint8_t* c =
                        scene.materials[std::size_t(object.materialIndex)].colour;
                    glColor3ub(c[0], c[1], c[2]);
                }
                const Vec3& p = object.vertices[std::size_t(v)];
                glVertex3f(p.x, p.y, p.z);
            }
        }
        glEnd();
    }
}

void Model3DS::draw() const {
    if (drawModelsImmediately)
        emit();
    else
        glCallList(displayList);
}
