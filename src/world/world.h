#pragma once
// The 20 x 20 tile desert centred on the origin, each tile 127 units wide.
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "assets/texture_loader.h"
#include "platform/thread.h"
#include "world/culling_trial.h"
#include "world/hill_terrain.h"
#include "world/tile_mesh.h"

constexpr int kWorldTiles = 20;
constexpr int kTileSpan = 127;

class Tile {
public:
    BuilderThread builderThread;
    std::atomic<bool> done{
        false};  // written by the builder (release), read by the main thread (acquire)
    bool building = false;
    bool ready = false;
    unsigned int flatList = 0;
    // Buffer object of the compiled mesh; 0 until the first build. It lives
    // exactly as long as the tile is ready: from collection to flattening.
    unsigned int meshBuffer = 0;
    std::unique_ptr<CHillTerrain> terrain;
    // Vertex data and block bounds of the mesh, made by the builder thread
    // with the height field; the vertices are handed to the buffer object
    // on collection and then dropped.
    TileMeshData mesh;
    unsigned int texture = 0;
    HillParams params;

    Tile() = default;
    // Waits for a running build so that its height field is never freed under it.
    ~Tile();
    Tile(const Tile&) = delete;
    Tile& operator=(const Tile&) = delete;

    // Starts a build, collects a finished one, or does nothing.
    void update(bool& busy);
    // Height at local coordinates; 0 unless the tile is ready.
    double heightAt(float lx, float lz) const;

    // Starts a build when none runs (the first half of update).
    void startBuild(bool& busy);
    // Turns a finished build into the mesh list and marks the tile ready.
    void collect(bool& busy);
    // Drops a finished build without compiling it; the tile stays flat.
    void abandon(bool& busy);
    // Frees the mesh list and the height field of a ready tile.
    void flatten();
    // True once the builder has finished (acquire: the field is then complete).
    bool finished() const { return done.load(std::memory_order_acquire); }
};

// Start routine of a terrain builder thread; the argument is the Tile.
void buildTile(void* tile);
// The priority every terrain builder thread runs at, from the build setting.
ThreadPriority builderThreadPriority();

// A tile whose heights the ground queries start or stop answering: ready
// (its hills built) or flat again.
struct TileNews {
    std::uint16_t tile = 0;  // I * 20 + J
    bool ready = false;
};

class World {
public:
    std::unique_ptr<Tile> tiles[kWorldTiles * kWorldTiles];  // tile (I, J) at I * 20 + J
    unsigned int listBase = 0;
    bool buildBusy = false;
    int farSpan = 0;
    int nearSpan = 0;
    int farReach = 0;
    int viewDistance = 0;
    TextureLoader skyBack, skyFront, skyTop, skyLeft, skyRight;
    TextureLoader desertTexture;

    // Drawn::No: the ground's heights only, without textures, lists or fog
    // (a fight checked without a window).
    enum class Drawn { No, Yes };
    World(std::uint16_t viewRange, unsigned int seed, Drawn drawn = Drawn::Yes);
    ~World();

    // Every tile that turned ready or flat, in order, since the list was last
    // taken (the tile life cycle adds to it).
    std::vector<TileNews> news;
    // Whether the tiles follow news given to followNews instead of building
    // around the eye themselves (a recorded fight played back): drawing then
    // only hands the ready tiles' meshes over.
    bool followsNews = false;
    // Makes a tile ready or flat as the news says, building its hills here
    // and now; the calling thread's random sequence is left as it was.
    void followNews(const TileNews& item);

    // Ground height at (x, z), or -1.0 outside the +-1269 square.
    double heightAt(float x, float z) const;
    // Slope angles in radians from four ground points; outputs unchanged when
    // any point lies outside the world.
    void slopeAngles(float x1, float z1, float x2, float z2, float x3, float z3, float x4, float z4,
                     float& angleA, float& angleB) const;
    // Keeps the tiles around the eye built, then draws sky and terrain.
    void draw(int eyeX, int eyeZ);
    // The two halves of draw: the tile life cycle (with the ground material),
    // and the drawing of the ground and the sky box.
    void updateTiles(int eyeX, int eyeZ);
    void drawGround();
    // The sky box faces; recorded into the sky list by the constructor.
    void drawSkyBox(float x, float y, float z, float width, float height, float length);

    // Skipping ground that lies wholly outside the view volume or certainly
    // behind nearer ground; the picture is the same either way. On by default.
    bool cullTiles = true;
    // Whether culling also skips ground certainly behind nearer ground (it
    // never does with a depth buffer of fewer than 24 bits). On until the
    // culling trial finds drawing that ground faster.
    bool skipHidden = true;
    // Started when play begins; World::draw times its first frames.
    CullingTrial cullingTrial;
    // Tiles and quarter blocks of meshes (8 x 8 cells) the last draw skipped
    // (for tests and measurements).
    int lastSkippedTiles = 0;
    int lastSkippedBlocks = 0;
    // Works out which tiles and mesh blocks the next drawGround draws, from
    // the current matrices (part of drawGround; public for measurements).
    void decideVisibility();
    // The quarter blocks of each tile's mesh to draw; a flat tile is drawn
    // when any bit of its entry is set.
    QuarterMask visibleParts[kWorldTiles * kWorldTiles];
    // Those of them wholly beyond the end of the haze.
    QuarterMask plainParts[kWorldTiles * kWorldTiles];
    // Where the drawing's chain of float translations puts each tile's
    // local origin, in world coordinates (set while hidden ground is
    // decided; the float chain drifts by up to about 1e-2 units from the
    // exact corners).
    double tileOrigins[kWorldTiles * kWorldTiles][3] = {};

private:
    int depthBits_ = -1;
    // Hands the meshes of tiles made ready by followNews to the renderer.
    void handOverFollowedMeshes();  // of the framebuffer, read on the first drawing
    // Drawing the sky after the ground and skipping hidden ground lean on
    // depth steps of a 24-bit buffer.
    bool fineDepth();
    // Every tile with a part to draw, in the chain's order.
    void drawVisibleTiles();
    // Sets what drawing every tile's list last would have left behind.
    void leaveTileListState(bool anyReady);
};
