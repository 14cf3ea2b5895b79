// Once per frame: keep the tiles around the eye built, flatten those far
// away, then draw the ground and the sky box.
//
// The picture is the design's (sky box list first, then every tile's list),
// pixel for pixel and in depth, but cheaper: the ground goes first and the sky
// box after it, so the sky only fills what the ground left uncovered (the sky
// lies farther than any ground at every pixel, so the depth test picks the
// same fragment either way); ground outside the view or certainly behind
// nearer ground is skipped; and what is drawn comes in the design's order.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "world/horizon.h"
#include "world/tile_culling.h"
#include "world/world.h"
#include "world/world_internal.h"

namespace {

constexpr int kWorldSpan = kWorldTiles * kTileSpan;  // 2540

bool inWindow(int p, int origin, int reach, int span) {
    return origin - reach <= p && p < origin + span;
}

// Sample-line ranges of the occluding rectangles along one axis of a tile:
// growing outward from the eye's side (or from the block under the eye).
int rectangleRanges(double local, int ranges[][2]) {
    static const int grow[] = {0, 1, 2, 3, 4, 5, 6, 7};
    int count = 0;
    if (local < 0) {
        for (int g : grow) ranges[count][0] = 0, ranges[count][1] = kBlockLines[g + 1], ++count;
    } else if (local > kTileSamples - 1) {
        for (int g : grow)
            ranges[count][0] = kBlockLines[kBlocksPerSide - 1 - g],
            ranges[count][1] = kBlockLines[kBlocksPerSide], ++count;
    } else {
        int block = 0;
        while (block < kBlocksPerSide - 1 && local >= kBlockLines[block + 1]) ++block;
        int last[2] = {-1, -1};
        for (int g : grow) {
            const int a = std::max(0, block - g), b = std::min(kBlocksPerSide, block + 1 + g);
            if (a == last[0] && b == last[1]) continue;
            last[0] = a, last[1] = b;
            ranges[count][0] = kBlockLines[a], ranges[count][1] = kBlockLines[b], ++count;
        }
    }
    return count;
}

// The eye, view direction, near plane and widest viewport ray of an ordinary
// perspective view; false for anything else (then only the frustum culls).
bool viewGeometry(const TileCuller& view, double eye[3], double forward[3], double corners[4][3],
                  double& nearPlane, double& cornerCos) {
    const double* p = view.projection;
    const double* m = view.modelview;
    if (p[3] != 0 || p[7] != 0 || p[11] != -1 || p[15] != 0 || p[8] != 0 || p[9] != 0 ||
        p[0] <= 0 || p[5] <= 0)
        return false;
    nearPlane = p[14] / (p[10] - 1.0);
    const double tx = 1.0 / p[0], ty = 1.0 / p[5];
    cornerCos = 1.0 / std::sqrt(1.0 + tx * tx + ty * ty);
    // The modelview must be a rigid camera transform.
    for (int r = 0; r < 3; ++r) {
        const double len = m[r] * m[r] + m[4 + r] * m[4 + r] + m[8 + r] * m[8 + r];
        if (std::fabs(len - 1.0) > 1e-6) return false;
    }
    for (int k = 0; k < 3; ++k) {
        eye[k] = -(m[4 * k] * m[12] + m[4 * k + 1] * m[13] + m[4 * k + 2] * m[14]);
        forward[k] = -m[4 * k + 2];
        for (int c = 0; c < 4; ++c) {
            // World direction of the ray through viewport corner c.
            const double x = (c & 1) ? tx : -tx, y = (c & 2) ? ty : -ty;
            corners[c][k] = x * m[4 * k] + y * m[4 * k + 1] - m[4 * k + 2];
        }
    }
    return nearPlane > 0;
}

}  // namespace

void World::draw(int eyeX, int eyeZ) {
    updateTiles(eyeX, eyeZ);
    drawGround();
}

void World::updateTiles(int eyeX, int eyeZ) {
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
}

void World::decideVisibility() {
    QuarterMask* visible = visibleParts;
    QuarterMask all;
    all.words[0] = all.words[1] = all.words[2] = all.words[3] = ~std::uint64_t{0};
    std::fill(visible, visible + kWorldTiles * kWorldTiles, all);
    std::fill(plainParts, plainParts + kWorldTiles * kWorldTiles, QuarterMask{});
    lastSkippedTiles = 0;
    lastSkippedBlocks = 0;
    if (cullTiles) {
        TileCuller view;
        view.captureView();
        double eye[3], forward[3], corners[4][3], nearPlane = 0, cornerCos = 0;
        const bool occlusion = viewGeometry(view, eye, forward, corners, nearPlane, cornerCos);
        static Horizon horizon;  // large scratch arrays: kept between frames
        static std::vector<GroundSheet> sheets;
        static std::vector<int> candidateTile, candidateBlock;
        static std::vector<char> hidden;
        sheets.assign(kWorldTiles * kWorldTiles, GroundSheet{});
        candidateTile.clear();
        candidateBlock.clear();
        // Ground wholly beyond the end of the linear haze comes out in the
        // haze colour whatever its own: it may be drawn without lighting and
        // texture (a unit of margin for the interpolated fog coordinate).
        double plainBeyond = 0;
        GLfloat fogEnd = 0;
        GLint fogSource = 0;
        glGetFloatv(GL_FOG_END, &fogEnd);
        glGetIntegerv(GL_FOG_COORD_SRC, &fogSource);
        if (occlusion && glIsEnabled(GL_FOG) && fogSource == GL_FRAGMENT_DEPTH && fogEnd > 0)
            plainBeyond = fogEnd + 1.0;
        if (occlusion) {
            horizon.begin(eye, forward, nearPlane, cornerCos);
            horizon.limitToView(corners);
        }
        for (int i = 0; i < kWorldTiles; ++i) {
            for (int j = 0; j < kWorldTiles; ++j) {
                const int index = i * kWorldTiles + j;
                const Tile& tile = *tiles[index];
                const double ox = -1270.0 + kTileSpan * i, oz = 1270.0 - kTileSpan * j;
                const float top = tile.ready ? tile.terrain->heightScale : 0.0f;
                if (!view.tileVisible(i, j, top)) {
                    visible[index] = QuarterMask{};
                    continue;
                }
                if (!tile.ready) {
                    if (occlusion) {
                        candidateTile.push_back(index);
                        candidateBlock.push_back(-1);
                        horizon.addCandidate({ox, ox + kTileSpan, oz - kTileSpan, oz, 0.0, 0.0});
                    }
                    continue;
                }
                const TileMeshData& mesh = tile.mesh;
                QuarterMask parts;
                for (int q = 0; q < kQuartersPerSide * kQuartersPerSide; ++q) {
                    const int qx = q % kQuartersPerSide, qy = q / kQuartersPerSide;
                    const GroundBox box{ox + kQuarterLines[qx],     ox + kQuarterLines[qx + 1],
                                        oz - kQuarterLines[qy + 1], oz - kQuarterLines[qy],
                                        mesh.quarterLow[q],         mesh.quarterHigh[q]};
                    if (!view.boxVisible(box.x0, box.x1, box.low, box.high, box.z0, box.z1))
                        continue;
                    parts.set(q);
                    if (plainBeyond > 0) {
                        double nearest = 1e30;
                        for (int c = 0; c < 8; ++c) {
                            const double dx = ((c & 1) ? box.x1 : box.x0) - eye[0];
                            const double dy = ((c & 2) ? box.high : box.low) - eye[1];
                            const double dz = ((c & 4) ? box.z1 : box.z0) - eye[2];
                            nearest = std::min(nearest,
                                               dx * forward[0] + dy * forward[1] + dz * forward[2]);
                        }
                        if (nearest > plainBeyond) plainParts[index].set(q);
                    }
                    if (occlusion) {
                        candidateTile.push_back(index);
                        candidateBlock.push_back(q);
                        horizon.addCandidate(box);
                    }
                }
                visible[index] = parts;
                if (!occlusion || !parts.any()) continue;
                GroundSheet& sheet = sheets[index];
                sheet.heights = mesh.heights.data();
                sheet.originX = ox;
                sheet.originZ = oz;
                int xs[8][2], zs[8][2];
                const int nx = rectangleRanges(eye[0] - ox, xs);
                const int nz = rectangleRanges(oz - eye[2], zs);
                for (int a = 0; a < nx; ++a) {
                    for (int c = 0; c < nz; ++c) {
                        float low = top, high = 0.0f;
                        for (int by = 0; by < kBlocksPerSide; ++by) {
                            if (kBlockLines[by] < zs[c][0] || kBlockLines[by + 1] > zs[c][1])
                                continue;
                            for (int bx = 0; bx < kBlocksPerSide; ++bx) {
                                if (kBlockLines[bx] < xs[a][0] || kBlockLines[bx + 1] > xs[a][1])
                                    continue;
                                low = std::min(low, mesh.blockLow[by * kBlocksPerSide + bx]);
                                high = std::max(high, mesh.blockHigh[by * kBlocksPerSide + bx]);
                            }
                        }
                        horizon.addOccluder(&sheet, xs[a][0], xs[a][1], zs[c][0], zs[c][1], low,
                                            high);
                    }
                }
            }
        }
        if (occlusion) {
            horizon.decide(hidden);
            for (size_t k = 0; k < hidden.size(); ++k) {
                if (!hidden[k]) continue;
                const int q = candidateBlock[k];
                if (q < 0) {
                    visible[candidateTile[k]] = QuarterMask{};
                } else {
                    visible[candidateTile[k]].clear(q);
                }
            }
        }
        for (int index = 0; index < kWorldTiles * kWorldTiles; ++index) {
            if (!visible[index].any()) ++lastSkippedTiles;
            if (tiles[index]->ready)
                lastSkippedBlocks += kQuartersPerSide * kQuartersPerSide - visible[index].count();
        }
    }
}

void World::drawGround() {
    // The sky box list would have run first and left lighting on and the
    // fog linear; the tiles are drawn under that state.
    GLint skyEnvMode = GL_MODULATE;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &skyEnvMode);
    glEnable(GL_LIGHTING);
    glFogi(GL_FOG_MODE, GL_LINEAR);
    bool anyReady = false;
    for (const auto& tile : tiles) anyReady = anyReady || tile->ready;

    decideVisibility();
    const QuarterMask* visible = visibleParts;
    glPushMatrix();
    glTranslatef(-1270.0f, 0.0f, 1270.0f);
    bool arraysOn = false;
    for (int i = 0; i < kWorldTiles; ++i) {
        for (int j = 0; j < kWorldTiles; ++j) {
            const int index = i * kWorldTiles + j;
            const Tile& tile = *tiles[index];
            if (visible[index].any()) {
                if (!tile.ready) {
                    glCallList(tile.flatList);
                } else {
                    if (!arraysOn) {
                        glEnableClientState(GL_VERTEX_ARRAY);
                        glEnableClientState(GL_NORMAL_ARRAY);
                        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
                        arraysOn = true;
                    }
                    // What the design's mesh list sets before its strips.
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
                }
            }
            glTranslatef(0.0f, 0.0f, -127.0f);
        }
        glTranslatef(127.0f, 0.0f, 2540.0f);
    }
    glPopMatrix();
    if (arraysOn) {
        glDisableClientState(GL_VERTEX_ARRAY);
        glDisableClientState(GL_NORMAL_ARRAY);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }

    // The sky box under the texture mode it would have met first; it only
    // passes the depth test where no ground was drawn.
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, skyEnvMode);
    glCallList(listBase);
    leaveDesignState(anyReady);
}

void World::leaveDesignState(bool anyReady) {
    // What the last tile lists of the design would have left behind: the
    // sky's lighting and linear fog stay as its list leaves them.
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
