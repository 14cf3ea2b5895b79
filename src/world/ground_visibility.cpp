// Deciding, before the ground is drawn, which tiles and quarter blocks of
// meshes can be skipped without changing a pixel: those wholly outside the
// view volume, and (with the horizon) those certainly behind nearer ground.
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

// One frame's deciding: the view and what is offered to the horizon. The
// scratch arrays are large, so one is kept between frames.
struct Deciding {
    TileCuller view;
    bool geometry = false;   // an ordinary perspective view: eye and rays known
    bool occlusion = false;  // hidden ground is decided this frame
    double eye[3] = {}, forward[3] = {}, corners[4][3] = {};
    double nearPlane = 0, cornerCos = 0, angleSlack = 0;
    // Ground nearer than this in depth is lit and textured as usual.
    double plainBeyond = 0;
    Horizon horizon;
    std::vector<GroundSheet> sheets = std::vector<GroundSheet>(kWorldTiles * kWorldTiles);
    std::vector<int> candidateTile, candidateBlock;
    std::vector<char> hidden;
};

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

// The rasteriser's angle slack for the current viewport.
double rasterSlack(double tanX, double tanY) {
    static const int subpixelBits = [] {
        GLint bits = 0;
        glGetIntegerv(GL_SUBPIXEL_BITS, &bits);
        return static_cast<int>(bits);
    }();
    GLint viewport[4] = {0, 0, 1, 1};
    glGetIntegerv(GL_VIEWPORT, viewport);
    return Horizon::rasterAngleSlack(viewport[2], viewport[3], tanX, tanY, subpixelBits);
}

// The eye, view direction, near plane and widest viewport ray of an ordinary
// perspective view; false for anything else (then only the frustum culls).
bool viewGeometry(Deciding& d) {
    const double* p = d.view.projection;
    const double* m = d.view.modelview;
    if (p[3] != 0 || p[7] != 0 || p[11] != -1 || p[15] != 0 || p[8] != 0 || p[9] != 0 ||
        p[0] <= 0 || p[5] <= 0)
        return false;
    d.nearPlane = p[14] / (p[10] - 1.0);
    const double tx = 1.0 / p[0], ty = 1.0 / p[5];
    d.cornerCos = 1.0 / std::sqrt(1.0 + tx * tx + ty * ty);
    // The modelview must be a rigid camera transform.
    for (int r = 0; r < 3; ++r) {
        const double len = m[r] * m[r] + m[4 + r] * m[4 + r] + m[8 + r] * m[8 + r];
        if (std::fabs(len - 1.0) > 1e-6) return false;
    }
    for (int k = 0; k < 3; ++k) {
        d.eye[k] = -(m[4 * k] * m[12] + m[4 * k + 1] * m[13] + m[4 * k + 2] * m[14]);
        d.forward[k] = -m[4 * k + 2];
        for (int c = 0; c < 4; ++c) {
            // World direction of the ray through viewport corner c.
            const double x = (c & 1) ? tx : -tx, y = (c & 2) ? ty : -ty;
            d.corners[c][k] = x * m[4 * k] + y * m[4 * k + 1] - m[4 * k + 2];
        }
    }
    d.angleSlack = rasterSlack(tx, ty);
    return d.nearPlane > 0;
}

// Ground wholly beyond the end of the linear haze comes out in the haze
// colour whatever its own: it may be drawn without lighting and texture (a
// unit of margin for the interpolated fog coordinate). 0 when there is none.
double plainDistance() {
    GLfloat fogEnd = 0;
    GLint fogSource = 0;
    glGetFloatv(GL_FOG_END, &fogEnd);
    glGetIntegerv(GL_FOG_COORD_SRC, &fogSource);
    if (glIsEnabled(GL_FOG) && fogSource == GL_FRAGMENT_DEPTH && fogEnd > 0) return fogEnd + 1.0;
    return 0;
}

// Where the float chain really puts every tile: its matrix at each tile,
// read back, through the inverse of the view's rotation.
void readTileOrigins(const Deciding& d, double origins[][3]) {
    const double* view = d.view.modelview;
    forEachTileInChain([&](int index) {
        GLfloat m[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, m);
        for (int k = 0; k < 3; ++k)
            origins[index][k] =
                d.eye[k] + view[4 * k] * m[12] + view[4 * k + 1] * m[13] + view[4 * k + 2] * m[14];
    });
}

double nearestDepth(const Deciding& d, const GroundBox& box) {
    double nearest = 1e30;
    for (int c = 0; c < 8; ++c) {
        const double dx = ((c & 1) ? box.x1 : box.x0) - d.eye[0];
        const double dy = ((c & 2) ? box.high : box.low) - d.eye[1];
        const double dz = ((c & 4) ? box.z1 : box.z0) - d.eye[2];
        nearest = std::min(nearest, dx * d.forward[0] + dy * d.forward[1] + dz * d.forward[2]);
    }
    return nearest;
}

void offerCandidate(Deciding& d, int index, int quarter, const GroundBox& box) {
    d.candidateTile.push_back(index);
    d.candidateBlock.push_back(quarter);
    d.horizon.addCandidate(box);
}

// The quarter blocks of a ready tile inside the view volume, marking those
// beyond the haze and offering each to the horizon.
QuarterMask offerQuarters(World& world, Deciding& d, int index, double ox, double oz) {
    const TileMeshData& mesh = world.tiles[index]->mesh;
    const double* origin = world.tileOrigins[index];
    QuarterMask parts;
    for (int q = 0; q < kQuartersPerSide * kQuartersPerSide; ++q) {
        const int qx = q % kQuartersPerSide, qy = q / kQuartersPerSide;
        const GroundBox exact{ox + kQuarterLines[qx],     ox + kQuarterLines[qx + 1],
                              oz - kQuarterLines[qy + 1], oz - kQuarterLines[qy],
                              mesh.quarterLow[q],         mesh.quarterHigh[q]};
        if (!d.view.boxVisible(exact.x0, exact.x1, exact.low, exact.high, exact.z0, exact.z1))
            continue;
        parts.set(q);
        if (d.plainBeyond > 0 && nearestDepth(d, exact) > d.plainBeyond)
            world.plainParts[index].set(q);
        if (!d.occlusion) continue;
        const double dx = origin[0] - ox, dy = origin[1], dz = origin[2] - oz;
        offerCandidate(d, index, q,
                       {exact.x0 + dx, exact.x1 + dx, exact.z0 + dz, exact.z1 + dz, exact.low + dy,
                        exact.high + dy});
    }
    return parts;
}

// The rectangles of a ready tile that may hide what lies behind them,
// grown from the eye's side.
void offerOccluders(World& world, Deciding& d, int index) {
    const TileMeshData& mesh = world.tiles[index]->mesh;
    const double* origin = world.tileOrigins[index];
    GroundSheet& sheet = d.sheets[index];
    sheet.heights = mesh.heights.data();
    sheet.originX = origin[0];
    sheet.originY = origin[1];
    sheet.originZ = origin[2];
    int xs[8][2], zs[8][2];
    const int nx = rectangleRanges(d.eye[0] - origin[0], xs);
    const int nz = rectangleRanges(origin[2] - d.eye[2], zs);
    const float top = world.tiles[index]->terrain->heightScale;
    for (int a = 0; a < nx; ++a) {
        for (int c = 0; c < nz; ++c) {
            float low = top, high = 0.0f;
            for (int by = 0; by < kBlocksPerSide; ++by) {
                if (kBlockLines[by] < zs[c][0] || kBlockLines[by + 1] > zs[c][1]) continue;
                for (int bx = 0; bx < kBlocksPerSide; ++bx) {
                    if (kBlockLines[bx] < xs[a][0] || kBlockLines[bx + 1] > xs[a][1]) continue;
                    low = std::min(low, mesh.blockLow[by * kBlocksPerSide + bx]);
                    high = std::max(high, mesh.blockHigh[by * kBlocksPerSide + bx]);
                }
            }
            d.horizon.addOccluder(&sheet, xs[a][0], xs[a][1], zs[c][0], zs[c][1], low, high);
        }
    }
}

// One tile: skipped whole when outside the view volume; otherwise its
// visible parts, offered to the horizon.
void offerTile(World& world, Deciding& d, int index) {
    const int i = index / kWorldTiles, j = index % kWorldTiles;
    const Tile& tile = *world.tiles[index];
    const double ox = -1270.0 + kTileSpan * i, oz = 1270.0 - kTileSpan * j;
    if (!d.view.tileVisible(i, j, tile.ready ? tile.terrain->heightScale : 0.0f)) {
        world.visibleParts[index] = QuarterMask{};
        return;
    }
    if (!tile.ready) {
        const double* o = world.tileOrigins[index];
        if (d.occlusion)
            offerCandidate(d, index, -1,
                           {o[0], o[0] + kTileSpan, o[2] - kTileSpan, o[2], o[1], o[1]});
        return;
    }
    world.visibleParts[index] = offerQuarters(world, d, index, ox, oz);
    if (d.occlusion && world.visibleParts[index].any()) offerOccluders(world, d, index);
}

void dropHidden(World& world, Deciding& d) {
    d.horizon.decide(d.hidden);
    for (size_t k = 0; k < d.hidden.size(); ++k) {
        if (!d.hidden[k]) continue;
        const int q = d.candidateBlock[k];
        if (q < 0) {
            world.visibleParts[d.candidateTile[k]] = QuarterMask{};
        } else {
            world.visibleParts[d.candidateTile[k]].clear(q);
        }
    }
}

}  // namespace

void World::decideVisibility() {
    QuarterMask all;
    all.words[0] = all.words[1] = all.words[2] = all.words[3] = ~std::uint64_t{0};
    std::fill(visibleParts, visibleParts + kWorldTiles * kWorldTiles, all);
    std::fill(plainParts, plainParts + kWorldTiles * kWorldTiles, QuarterMask{});
    lastSkippedTiles = 0;
    lastSkippedBlocks = 0;
    if (!cullTiles) return;
    static Deciding d;
    d.view.captureView();
    d.geometry = viewGeometry(d);
    d.occlusion = d.geometry && skipHidden && fineDepth();
    d.plainBeyond = d.geometry ? plainDistance() : 0;
    d.candidateTile.clear();
    d.candidateBlock.clear();
    if (d.occlusion) {
        d.horizon.begin(d.eye, d.forward, d.nearPlane, d.cornerCos, d.angleSlack);
        d.horizon.limitToView(d.corners);
        readTileOrigins(d, tileOrigins);
    }
    for (int index = 0; index < kWorldTiles * kWorldTiles; ++index) offerTile(*this, d, index);
    if (d.occlusion) dropHidden(*this, d);
    for (int index = 0; index < kWorldTiles * kWorldTiles; ++index) {
        if (!visibleParts[index].any()) ++lastSkippedTiles;
        if (tiles[index]->ready)
            lastSkippedBlocks += kQuartersPerSide * kQuartersPerSide - visibleParts[index].count();
    }
}
