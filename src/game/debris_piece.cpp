#include "game/debris_piece.h"

#include <GL/gl.h>

#include "assets/asset_names.h"
#include "assets/model_drawing.h"
#include "platform/random.h"

unsigned int debrisListName = 0;

DebrisPiece::DebrisPiece() {
    model2.load(assetnames::kDebrisLargeModel);
    model1.load(assetnames::kDebrisSmallModel);
    reset();
    // All pieces share one list of both models; every piece would compile the
    // same content, so the first one allocates and compiles it.
    if (debrisListName != 0) return;
    debrisListName = glGenLists(1);
    glNewList(debrisListName, GL_COMPILE);
    emitModels();
    glEndList();
}

void DebrisPiece::emitModels() const {
    glPushMatrix();
    glScalef(0.08f, 0.08f, 0.08f);
    model1.draw();
    model2.draw();
    glPopMatrix();
}

void DebrisPiece::reset() {
    for (float& angle : rotation) angle = static_cast<float>(rng::rand() % 360);
    for (float& rate : spin) rate = (rng::rand() % 5) * 0.3333333333333333;
    position.x = 100.0 - rng::rand() % 200;
    position.y = static_cast<float>(rng::rand() % 1000);
    position.z = 200.0 - rng::rand() % 200;
    fallSpeed = (rng::rand() % 10) * 0.02 + 1.0;
    spinStamp = recycleStamp = fallStamp = 0.0;
}

void DebrisPiece::draw() {
    glEnable(GL_LIGHTING);
    const GLfloat white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glLightfv(GL_LIGHT0, GL_SPECULAR, white);
    glPushMatrix();
    glTranslatef(position.x, position.y, position.z);
    glRotatef(rotation[0] + 90.0f, 1.0f, 0.0f, 0.0f);
    glRotatef(rotation[1], 0.0f, 1.0f, 0.0f);
    glRotatef(rotation[2], 0.0f, 0.0f, 1.0f);
    glColor4f(1.0f, 0.1f, 0.0f, 1.0f);
    if (drawModelsImmediately)
        emitModels();
    else
        glCallList(debrisListName);
    glPopMatrix();
}
