// Once per frame: keep the tiles around the eye built, flatten those far
// away, then draw the sky box and every tile.
#include <GL/gl.h>

#include <algorithm>

#include "world/tile_culling.h"
#include "world/world.h"
#include "world/world_internal.h"

namespace {

constexpr int kWorldSpan = kWorldTiles * kTileSpan;  // 2540

bool inWindow(int p, int origin, int reach, int span) {
    return origin - reach <= p && p < origin + span;
}

}  // namespace

void World::draw(int eyeX, int eyeZ) {
    // The eye's distance from the world's corner at (-1270, +1270), toward +x and -z.
    // Widened first so that no eye position can overflow the sum.
    const int px = static_cast<int>(std::clamp<long long>(eyeX + 1270LL, 0, kWorldSpan));
    const int pz = static_cast<int>(std::clamp<long long>(1270LL - eyeZ, 0, kWorldSpan));

    const GLfloat noSpecular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    glMaterialfv(GL_FRONT, GL_SPECULAR, noSpecular);
    glMaterialf(GL_FRONT, GL_SHININESS, 0.0f);

    for (int i = 0; i < kWorldTiles; ++i) {
        for (int j = 0; j < kWorldTiles; ++j) {
            Tile& tile = *tiles[i * kWorldTiles + j];
            const int ox = kTileSpan * i, oz = kTileSpan * j;
            const bool inFar =
                inWindow(px, ox, farReach, farSpan) && inWindow(pz, oz, farReach, farSpan);
            const bool inNear = inWindow(px, ox, viewDistance, nearSpan) &&
                                inWindow(pz, oz, viewDistance, nearSpan);
            if (!inFar) {
                if (tile.ready) {
                    tile.flatten();
                } else if (tile.building && tile.finished()) {
                    // Its tile went out of reach while building: drop the
                    // result so the next build can start.
                    tile.abandon(buildBusy);
                }
            } else if (inNear) {
                tile.update(buildBusy);
            } else if (tile.building && tile.finished()) {
                // Finished just after the eye moved on: keep it, it is still
                // close enough to be seen.
                tile.collect(buildBusy);
            }
        }
    }

    glCallList(listBase);

    TileCuller culler;
    if (cullTiles) culler.captureView();
    bool meshSkipped = false;
    lastSkippedTiles = 0;

    glPushMatrix();
    glTranslatef(-1270.0f, 0.0f, 1270.0f);
    for (int i = 0; i < kWorldTiles; ++i) {
        for (int j = 0; j < kWorldTiles; ++j) {
            const Tile& tile = *tiles[i * kWorldTiles + j];
            const bool last = i == kWorldTiles - 1 && j == kWorldTiles - 1;
            const float top = tile.ready ? tile.terrain->heightScale : 0.0f;
            // The last tile always runs: its list leaves the state the next
            // drawer sees.
            if (!cullTiles || last || culler.tileVisible(i, j, top)) {
                glCallList(tile.ready ? tile.meshList : tile.flatList);
            } else {
                ++lastSkippedTiles;
                meshSkipped = meshSkipped || tile.ready;
            }
            glTranslatef(0.0f, 0.0f, -127.0f);
        }
        glTranslatef(127.0f, 0.0f, 2540.0f);
    }
    glPopMatrix();

    if (meshSkipped) {
        // What a skipped mesh list would have left behind and the last tile
        // does not set again.
        glBindTexture(GL_TEXTURE_2D, desertTexture.textureName());
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glTexCoord2f(1.0f, 0.0f);
    }
}
