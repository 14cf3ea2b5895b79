// Once per frame: keep the tiles around the eye built, flatten those far
// away, then draw the ground and the sky box.
//
// The picture is that of the plain way (the sky box list first, then every
// tile's own list in order), pixel for pixel and in depth, but cheaper: the
// ground goes first and the sky box after it, so the sky only fills what the
// ground left uncovered (the sky lies farther than any ground at every pixel,
// so the depth test picks the same fragment either way); ground outside the
// view or certainly behind nearer ground is skipped; and what is drawn comes
// in the plain way's order. With a depth buffer of fewer than 24 bits the
// sky and the ground could meet in one depth step, so there the sky goes
// first and no hidden ground is skipped.
#include <GL/gl.h>

#include <algorithm>
#include <chrono>

#include "world/world.h"
#include "world/world_internal.h"

namespace {

constexpr int kWorldSpan = kWorldTiles * kTileSpan;  // 2540

bool inWindow(int p, int origin, int reach, int span) {
    return origin - reach <= p && p < origin + span;
}

}  // namespace

void World::draw(int eyeX, int eyeZ) {
    updateTiles(eyeX, eyeZ);
    if (!cullingTrial.measuring(buildBusy)) {
        drawGround();
        return;
    }
    // Finishing before and after charges each way with its drawing on the
    // graphics card as well as its work on the CPU, in the trial's frames only.
    skipHidden = cullingTrial.nextWay();
    const bool timed = skipHidden;
    glFinish();
    const auto start = std::chrono::steady_clock::now();
    drawGround();
    glFinish();
    const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
    skipHidden = cullingTrial.record(timed, spent.count());
}

bool World::fineDepth() {
    if (depthBits_ < 0) {
        GLint bits = 0;
        glGetIntegerv(GL_DEPTH_BITS, &bits);
        depthBits_ = bits;
    }
    return depthBits_ >= 24;
}

void World::updateTiles(int eyeX, int eyeZ) {
    // The eye's distance from the world's corner at (-1270, +1270), toward +x and -z.
    // Widened first so that no eye position can overflow the sum.
    const int px = static_cast<int>(std::clamp<long long>(eyeX + 1270LL, 0, kWorldSpan));
    const int pz = static_cast<int>(std::clamp<long long>(1270LL - eyeZ, 0, kWorldSpan));

    const GLfloat noSpecular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    glMaterialfv(GL_FRONT, GL_SPECULAR, noSpecular);
    glMaterialf(GL_FRONT, GL_SHININESS, 0.0f);

    if (followsNews) {
        handOverFollowedMeshes();
        return;
    }
    for (int i = 0; i < kWorldTiles; ++i) {
        for (int j = 0; j < kWorldTiles; ++j) {
            Tile& tile = *tiles[i * kWorldTiles + j];
            const bool wasReady = tile.ready;
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
            if (tile.ready != wasReady)
                news.push_back({static_cast<std::uint16_t>(i * kWorldTiles + j), tile.ready});
        }
    }
}

void World::drawGround() {
    const bool skyLast = fineDepth();
    GLint skyEnvMode = GL_MODULATE;
    if (skyLast) {
        // The sky box list would have run first and left lighting on and the
        // fog linear; the tiles are drawn under that state.
        glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &skyEnvMode);
        glEnable(GL_LIGHTING);
        glFogi(GL_FOG_MODE, GL_LINEAR);
    } else {
        glCallList(listBase);
    }
    bool anyReady = false;
    for (const auto& tile : tiles) anyReady = anyReady || tile->ready;

    decideVisibility();
    drawVisibleTiles();
    if (skyLast) {
        // The sky box under the texture mode it would have met first; it
        // only passes the depth test where no ground was drawn.
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, skyEnvMode);
        glCallList(listBase);
    }
    leaveTileListState(anyReady);
}

void World::drawVisibleTiles() {
    const QuarterMask* visible = visibleParts;
    bool arraysOn = false;
    forEachTileInChain([&](int index) {
        const Tile& tile = *tiles[index];
        if (!visible[index].any()) return;
        if (!tile.ready) {
            glCallList(tile.flatList);
            return;
        }
        if (!arraysOn) {
            glEnableClientState(GL_VERTEX_ARRAY);
            glEnableClientState(GL_NORMAL_ARRAY);
            glEnableClientState(GL_TEXTURE_COORD_ARRAY);
            arraysOn = true;
        }
        // What a tile's own mesh list sets before its strips.
        glColor3f(kDesertRed, kDesertGreen, kDesertBlue);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, tile.texture);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        const QuarterMask& plain = plainParts[index];
        QuarterMask lit = visible[index];
        for (int w = 0; w < 4; ++w) lit.words[w] &= ~plain.words[w];
        drawTileMesh(tile.meshBuffer, lit);
        QuarterMask hazed = visible[index];
        for (int w = 0; w < 4; ++w) hazed.words[w] &= plain.words[w];
        if (hazed.any()) {
            glDisable(GL_LIGHTING);
            glDisable(GL_TEXTURE_2D);
            drawTileMesh(tile.meshBuffer, hazed);
            glEnable(GL_LIGHTING);
        }
    });
    if (arraysOn) {
        glDisableClientState(GL_VERTEX_ARRAY);
        glDisableClientState(GL_NORMAL_ARRAY);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
}

void World::leaveTileListState(bool anyReady) {
    // What the tile lists, drawn last, would have left behind: the sky's
    // lighting and linear fog stay as its list leaves them.
    if (anyReady) {
        glBindTexture(GL_TEXTURE_2D, desertTexture.textureName());
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glTexCoord2f(1.0f, 0.0f);  // the last vertex of every mesh strip
    }
    const Tile& last = *tiles[kWorldTiles * kWorldTiles - 1];
    if (last.ready) {
        glEnable(GL_TEXTURE_2D);
        const Vec3d normal = last.terrain->normalAt(kTileSamples - 1, kTileSamples - 2);
        glNormal3f(static_cast<float>(normal.x), static_cast<float>(normal.y),
                   static_cast<float>(normal.z));
    } else {
        glDisable(GL_TEXTURE_2D);
        glNormal3f(0.0f, 1.0f, 0.0f);
    }
    glColor3f(kDesertRed, kDesertGreen, kDesertBlue);
}
