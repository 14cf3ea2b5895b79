#pragma once
// One 3DS model compiled into a single display list.
#include "assets/reader_3ds.h"

class Model3DS {
public:
    unsigned int textures[100] = {};
    unsigned int displayList = 0;
    Reader3DS reader;
    SceneData3DS scene;

    Model3DS() = default;
    Model3DS(const Model3DS&) = delete;
    Model3DS& operator=(const Model3DS&) = delete;
    ~Model3DS();

    void load(const char* fileName);
    void draw() const;
    // Sends the state and vertices the list holds, vertex by vertex.
    void emit() const;
};
