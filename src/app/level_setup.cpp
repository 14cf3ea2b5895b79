#include "app/level_setup.h"

#include <GL/freeglut.h>

#include <memory>
#include <string>

#include "app/focus_watch.h"
#include "app/globals.h"
#include "app/pointer_capture.h"
#include "assets/asset_names.h"
#include "game/camera.h"
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
