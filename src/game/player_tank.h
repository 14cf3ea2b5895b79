#pragma once
// The player's tank: drives over the ground, tilts with the slope, and turns
// its two guns toward the aim set with the mouse.
#include <cstdint>

#include "assets/asset_names.h"
#include "assets/obj_model.h"
#include "game/vec_math.h"

class PlayerTank {
public:
    // Display lists, in the order they are reserved.
    enum List {
        PlainCannon,
        PlainGunBase,
        PlainGunBarrel,
        PlainMain,
        PlainTop,
        PlainTrack,
        DetailCannon,
        DetailGunBase,
        DetailGunBarrel,
        DetailMain,
        DetailTop,
        DetailTrack0,  // five consecutive track frames
        ListCount = DetailTrack0 + 5
    };
    static constexpr int kPartCount = assetnames::kTankPartCount;

    float speed = 0.5f;
    unsigned int lists[ListCount] = {};
    ObjModel parts[kPartCount];
    Vec3 position{400.0f, 0.0f, 400.0f};
    float hullHeading = 180.0f;
    float hullPitch = 0.0f;
    float hullRoll = 0.0f;
    float turretYaw = 180.0f;
    float gunPitch = 0.0f;
    float turretYawRel = 0.0f;
    float gunPitchRel = 0.0f;
    std::int32_t radius = 2;
    std::int32_t turnInput = 0;
    std::int32_t driveInput = 0;
    std::int32_t trackFrame = 0;
    std::int32_t trackFrameShown = 0;  // the track frame drawn
    float bodyColour[3] = {0.3294f, 0.4313f, 0.5058f};
    float trimColour[3] = {0.7f, 0.7f, 0.7f};

    // Loads the 25 model files and compiles the display lists (needs GL).
    PlayerTank();
    // A tank with its start state but no models or lists, for tests without GL.
    struct NoModels {};
    explicit PlayerTank(NoModels);

    void update();
    void draw(bool detailed);
    // One list drawn, or its models sent vertex by vertex when models are
    // drawn immediately.
    void drawList(List list) const;
    void emitList(List list) const;
    // Once per tick, after it: the hull tilts with the ground under it and
    // the tracks roll one frame.
    void tiltWithGround();
    void rollTracks();
};
