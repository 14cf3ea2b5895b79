// The tile life cycle: starting a build on a background thread, handing the
// finished height field back to the main thread, and flattening again.
// The only value both threads touch is the tile's `done` flag.
#include <GL/gl.h>

#include <cstdio>

#include "platform/random.h"
#include "world/world.h"
#include "world/world_internal.h"

ThreadPriority builderThreadPriority() {
#if defined(BUILDER_THREAD_PRIORITY_BELOW_NORMAL)
    return ThreadPriority::BelowNormal;
#else
    return ThreadPriority::Lowest;
#endif
}

void buildTile(void* argument) {
    Tile* tile = static_cast<Tile*>(argument);
    tile->terrain->generate();
    // The mesh's vertices are worked out here too, so that collecting the
    // build on the main thread only hands them to a buffer object.
    buildTileMeshData(*tile->terrain, tile->mesh);
    tile->done.store(true, std::memory_order_release);
}

Tile::~Tile() {
    // A build still running at exit writes into `terrain`: let it finish
    // (well under a second) before the field is freed.
    builderThread.close();
}

// The world lives until the program ends; its display lists die with the
// context. Tiles wait for a running build in their own destructor.
World::~World() = default;

void Tile::update(bool& busy) {
    if (finished()) {
        collect(busy);
        return;
    }
    startBuild(busy);
}

void Tile::startBuild(bool& busy) {
    if (ready || building || busy) return;
    busy = true;
    building = true;
    terrain = std::make_unique<CHillTerrain>(params);
    if (!builderThread.createSuspended(buildTile, this)) {
        // Without a thread the tile stays flat; another frame tries again.
        terrain.reset();
        building = false;
        busy = false;
        return;
    }
    builderThread.setPriority(builderThreadPriority());
    builderThread.resume();
}

void Tile::collect(bool& busy) {
    builderThread.close();
    done.store(false, std::memory_order_relaxed);
    meshBuffer = uploadTileMesh(mesh.vertices);
    mesh.vertices = std::vector<float>();
    ready = true;
    building = false;
    busy = false;
}

void Tile::abandon(bool& busy) {
    builderThread.close();
    done.store(false, std::memory_order_relaxed);
    terrain.reset();
    mesh = TileMeshData();
    building = false;
    busy = false;
}

void Tile::flatten() {
    if (meshBuffer != 0) deleteTileMesh(meshBuffer);
    meshBuffer = 0;
    terrain.reset();
    mesh = TileMeshData();
    ready = false;
}

void World::followNews(const TileNews& item) {
    if (item.tile >= kWorldTiles * kWorldTiles) return;
    Tile& tile = *tiles[item.tile];
    if (!item.ready) {
        if (tile.ready) tile.flatten();
        return;
    }
    if (tile.ready) return;
    // Building the hills reseeds the calling thread's sequence, which on the
    // main thread is the fight's own.
    const unsigned sequence = rng::state();
    tile.terrain = std::make_unique<CHillTerrain>(tile.params);
    tile.terrain->generate();
    buildTileMeshData(*tile.terrain, tile.mesh);
    rng::srand(sequence);
    tile.ready = true;
}

void World::handOverFollowedMeshes() {
    for (auto& tile : tiles) {
        if (!tile->ready || tile->meshBuffer != 0) continue;
        tile->meshBuffer = uploadTileMesh(tile->mesh.vertices);
        tile->mesh.vertices = std::vector<float>();
    }
}
