#include "game/world_prop.h"

#include <GL/freeglut.h>

#include "game/model_table.h"
#include "game/solid_cube.h"

void drawProp(const WorldProp& prop) {
    glPushMatrix();
    glPushName(static_cast<GLuint>(prop.pickName));
    glTranslatef(prop.x, prop.y, prop.z);
    if (prop.kind == kBlockKind) {
        glScalef(static_cast<float>(prop.sizeX), static_cast<float>(prop.sizeY),
                 static_cast<float>(prop.sizeZ));
        drawBlockModel();
    } else if (const Model3DS* model = propKindModel(prop.kind)) {
        model->draw();
    }
    glPopName();
    glPopMatrix();
}

void drawPropPickShape(const WorldProp& prop) {
    glPushMatrix();
    glPushName(static_cast<GLuint>(prop.pickName));
    // The cube is centred, so lift it by half the height (integer half).
    glTranslatef(prop.x, prop.y + static_cast<float>(prop.sizeY / 2), prop.z);
    glScalef(static_cast<float>(prop.sizeX), static_cast<float>(prop.sizeY),
             static_cast<float>(prop.sizeZ));
    drawSolidCube(1.0);
    glPopName();
    glPopMatrix();
}
