#pragma once
// A chunk of wreckage tumbling and falling behind the menu picture.
#include "assets/obj_model.h"
#include "game/vec_math.h"

class DebrisPiece {
public:
    ObjModel model1;
    ObjModel model2;
    float rotation[3] = {0, 0, 0};
    float spin[3] = {0, 0, 0};
    Vec3 position;
    float fallSpeed = 0.0f;
    double spinStamp = 0.0;
    double recycleStamp = 0.0;
    double fallStamp = 0.0;

    // Loads both models, resets, and compiles the shared list (needs GL).
    DebrisPiece();
    void reset();
    void draw();
    // Both models as the shared list holds them, sent vertex by vertex.
    void emitModels() const;
};

// The display list all pieces share.
extern unsigned int debrisListName;
