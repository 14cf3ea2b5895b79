#include "app/level_setup.h"

#include <GL/freeglut.h>

#include <memory>
#include <string>

#include "app/camera.h"
#include "app/focus_watch.h"
#include "app/globals.h"
#include "app/pointer_capture.h"
#include "assets/asset_names.h"
#include "game/model_table.h"
#include "platform/random.h"

void setupLevel() {
    // Seeds the main thread's sequence and draws once, so the props below
    // come out the same on every run.
    world = std::make_unique<World>(static_cast<std::uint16_t>(WORLD_VIEW_RANGE), kWorldSeed);
    populateLevel();
    loadHudTextures();
    loadEffectTextures();
    loadDigitTextures();
    updateCamera();
    const WindowPoint centre = warpPoint(windowWidth, windowHeight);
    // A player who looked away during the loading keeps the pointer.
    if (!lookedAwaySinceLastNews() && !gameWindowAway()) warpPointerTo(centre);
    lastMouseX = centre.x;
    lastMouseY = centre.y;
    loadWorldModels();
    levelReady = true;
}

void placeBlocks() {
    for (int i = 0; i < kBlockCount; ++i) {
        const int a = rng::rand() % 300;
        const int b = rng::rand() % 300;
        auto block = std::make_unique<WorldProp>();
        block->x = static_cast<float>(a);
        block->y = 0.0f;
        block->z = static_cast<float>(b);
        block->sizeX = block->sizeZ = block->sizeY = 20;
        block->kind = kBlockKind;
        block->pickName = i;
        blocks[i] = std::move(block);
    }
}

int sceneryKindForSlot(int slot) {
    if (slot < 2) return 47;
    if (slot < 4) return 43;
    if (slot < 6) return 45;
    if (slot < 10) return 46;
    if (slot < 18) return 44;
    return 41;
}

void placeScenery() {
    for (int i = 0; i < kSceneryCount; ++i) {
        const int a = rng::rand() % 600;
        const int b = rng::rand() % 600;
        auto prop = std::make_unique<WorldProp>();
        // Signs and cacti stand in rows 128 units apart.
        prop->x = static_cast<float>((a / 128) * 128);
        prop->y = 0.0f;
        prop->z = static_cast<float>(b);
        prop->kind = sceneryKindForSlot(i);
        prop->pickName = i;
        scenery[i] = std::move(prop);
    }
}

EnemyKind enemyKindForSlot(int slot) {
    if (slot < 5) return EnemyKind::Tank;
    if (slot < 8) return EnemyKind::Heavy;
    return EnemyKind::Car;
}

void populateLevel() {
    player = std::make_unique<PlayerTank>();
    placeBlocks();
    placeScenery();
    for (int i = 0; i < kEnemyCount; ++i) {
        enemies[i] = std::make_unique<EnemyUnit>(enemyKindForSlot(i), i);
    }
    for (auto& enemy : enemies) enemy->place();
    for (auto& slot : projectiles) slot.reset();
    for (auto& slot : explosions) slot.reset();
}

using namespace assetnames;

void loadHudTextures() {
    hudCrosshairMask.load(kCrosshairMaskPicture);
    hudCrosshair.load(kCrosshairPicture);
}

void loadEffectTextures() {
    plasmaPicture.load(kPlasmaPicture);
    plasmaMask.load(kPlasmaMaskPicture);
    for (int i = 0; i < kBurstFrames; ++i) burstPictures[i].load(burstPicture(i + 1).c_str());
    for (int i = 0; i < kBurstFrames; ++i) burstMasks[i].load(burstMaskPicture(i + 1).c_str());
    hudLabelFired.load(kFiredLabelPicture);
    hudLabelHit.load(kHitLabelPicture);
    hudLabelHurt.load(kHurtLabelPicture);
    hudLabelKilled.load(kKilledLabelPicture);
}

void loadDigitTextures() {
    for (int digit = 1; digit <= 9; ++digit) {
        digitPictures[digit].load(digitPicture(digit).c_str());
    }
    digitPictures[0].load(digitPicture(0).c_str());
}
