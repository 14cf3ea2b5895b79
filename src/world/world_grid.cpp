// The tile grid, its construction and the ground queries.
#include <GL/gl.h>

#include <cmath>

#include "assets/asset_names.h"
#include "platform/random.h"
#include "world/world.h"
#include "world/world_internal.h"

namespace {

constexpr float kEdge = 1270.0f;        // the world spans -1270..1270 on x and z
constexpr float kQueryBound = 1269.0f;  // heights are answered one unit inside
constexpr float kInvTileSpan = 0.007874016f;

HillParams paramsForTile(int i, int j, int seed) {
    HillParams params;
    params.size = 128;
    params.flattening = 1;
    params.island = false;
    params.seed = seed;
    const bool border = i == 0 || j == 0 || i == kWorldTiles - 1 || j == kWorldTiles - 1;
    if (border) {  // the world's rim rises into tall hills
        params.hillMin = 5.0f;
        params.hillMax = 20.0f;
        params.numHills = 500;
        params.heightScale = 100.0f;
    } else {
        params.hillMin = 2.0f;
        params.hillMax = 18.0f;
        params.numHills = 200;
        params.heightScale = 12.0f;
    }
    return params;
}

}  // namespace

World::World(std::uint16_t viewRange, unsigned int seed, Drawn drawn) {
    buildBusy = false;
    rng::srand(seed);

    const int range = viewRange > 20 ? 20 : viewRange;
    viewDistance = (range + 1) * kTileSpan;
    nearSpan = viewDistance + kTileSpan;
    farReach = static_cast<int>(viewDistance * 1.35);
    farSpan = static_cast<int>((viewDistance + kTileSpan) * 1.35);

    if (drawn == Drawn::Yes) {
        setupFog(range + 1, viewDistance);

        desertTexture.load(assetnames::kDesertPicture);
        skyBack.load(assetnames::kSkyBackPicture);
        skyFront.load(assetnames::kSkyFrontPicture);
        skyTop.load(assetnames::kSkyTopPicture);
        skyLeft.load(assetnames::kSkyLeftPicture);
        skyRight.load(assetnames::kSkyRightPicture);

        listBase = glGenLists(2);
        compileSkyList(*this, listBase);
        compileFlatTileList(listBase + 1);
    }

    const int r = rng::rand();
    for (int i = 0; i < kWorldTiles; ++i) {
        for (int j = 0; j < kWorldTiles; ++j) {
            auto tile = std::make_unique<Tile>();
            tile->flatList = listBase + 1;
            tile->texture = desertTexture.textureName();
            tile->params = paramsForTile(i, j, i + j + r);
            tiles[i * kWorldTiles + j] = std::move(tile);
        }
    }
}

double World::heightAt(float x, float z) const {
    // Written so that a NaN coordinate also counts as outside.
    if (!(x >= -kQueryBound && x <= kQueryBound && z >= -kQueryBound && z <= kQueryBound)) {
        return -1.0;
    }
    const float u = x + kEdge;
    const float v = kEdge - z;
    const int i = static_cast<int>(u * kInvTileSpan);
    const int j = static_cast<int>(v * kInvTileSpan);
    return tiles[i * kWorldTiles + j]->heightAt(u - static_cast<float>(kTileSpan * i),
                                                v - static_cast<float>(kTileSpan * j));
}

void World::slopeAngles(float x1, float z1, float x2, float z2, float x3, float z3, float x4,
                        float z4, float& angleA, float& angleB) const {
    const double hA = heightAt(x1, z1);
    const double hB = heightAt(x2, z2);
    const double hC = heightAt(x3, z3);
    const double hD = heightAt(x4, z4);
    if (hA < 0.0 || hB < 0.0 || hC < 0.0 || hD < 0.0) return;
    const double dx12 = static_cast<double>(x1) - x2, dz12 = static_cast<double>(z1) - z2;
    const double dx43 = static_cast<double>(x4) - x3, dz43 = static_cast<double>(z4) - z3;
    angleA = static_cast<float>(std::atan((hA - hB) / std::sqrt(dx12 * dx12 + dz12 * dz12)));
    angleB = static_cast<float>(std::atan((hD - hC) / std::sqrt(dx43 * dx43 + dz43 * dz43)));
}

double Tile::heightAt(float lx, float lz) const {
    if (!ready || !terrain) return 0.0;
    const int last = terrain->size - 1;
    // The grid's 1/127 factor can put a point on a tile's far edge (local
    // 127); the sample beyond the edge is then the edge sample itself.
    auto clampIndex = [last](int k) { return k < 0 ? 0 : (k > last ? last : k); };
    const int ix = clampIndex(static_cast<int>(lx));
    const int iz = clampIndex(static_cast<int>(lz));
    const int ix1 = clampIndex(static_cast<int>(lx + 1.0f));
    const int iz1 = clampIndex(static_cast<int>(lz + 1.0f));
    const double fx = static_cast<double>(lx) - static_cast<int>(lx);
    const double fz = static_cast<double>(lz) - static_cast<int>(lz);
    const double scale = terrain->heightScale;
    auto h = [&](int m, int n) { return static_cast<double>(terrain->heightAt(m, n)) * scale; };
    const double top = h(ix, iz) + (h(ix1, iz) - h(ix, iz)) * fx;
    const double bottom = h(ix, iz1) + (h(ix1, iz1) - h(ix, iz1)) * fx;
    return top + (bottom - top) * fz;
}
