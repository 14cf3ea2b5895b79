#include "game/match_tick.h"

#include <cstring>
#include <ostream>

#include "game/game_tick.h"
#include "game/match_clock.h"
#include "platform/console.h"
#include "platform/random.h"

PlayerActions gameShareOf(const PlayerActions& actions) {
    PlayerActions share;
    share.drive = actions.drive;
    share.turn = actions.turn;
    share.aimYaw = actions.aimYaw;
    share.aimPitch = actions.aimPitch;
    share.shell = actions.shell;
    share.missile = actions.missile;
    share.embers = actions.embers;
    share.slowMotion = actions.slowMotion;
    return share;
}

bool stepMatters(const PlayerActions& step) {
    return step.drive != theMatch.givenDrive || step.turn != theMatch.givenTurn ||
           step.aimYaw != 0.0 || step.aimPitch != 0.0 || step.shell > 0 || step.missile > 0 ||
           step.embers > 0 || step.slowMotion > 0;
}

void aimAtPickName(int name) {
    if (name < 0) return;
    if (name < kFirstEnemyPickName) {
        const auto& block = blocks[name];
        if (block) AimPoint = {block->x, block->y, block->z};
    } else if (name - kFirstEnemyPickName < kEnemyCount) {
        const auto& enemy = enemies[name - kFirstEnemyPickName];
        if (enemy) AimPoint = enemy->position;
    }
}

void groundScenery() {
    for (auto& prop : scenery) {
        if (prop && world) {
            prop->y = static_cast<float>(world->heightAt(prop->x, prop->z));
            console() << prop->y << std::endl;
        }
        --sceneryGroundFrames;
    }
    console() << " here" << std::endl;
}

namespace {

// The frame's news, which in play took effect in the frame.
void carryOutFrameNews(const MatchCommand& command) {
    if (world) {
        for (const TileNews& item : command.tiles) world->followNews(item);
    }
    if (command.sceneryGrounded && sceneryGroundFrames >= 0) groundScenery();
}

// What each picture used to do to the tanks besides drawing them: tilt them
// with the ground and roll the tracks. Once per tick, after it.
void settleOnGround() {
    if (player) {
        player->tiltWithGround();
        player->rollTracks();
    }
    for (auto& enemy : enemies) {
        if (enemy) enemy->followSlope();
    }
}

}  // namespace

void tickMatch(Match& match, MatchCommand& command) {
    // One match runs at a time: `match` is theMatch, which the game's names
    // (player, enemies, ...) refer to.
    if (!command.alreadyApplied) {
        carryOutFrameNews(command);
        aimAtPickName(command.pickName);
        // Applying a record uses it up: the command keeps its own.
        for (PlayerActions step : command.steps) applyPlayerActions(step);
    }
    match.now = static_cast<float>(command.clock);
    if (command.alreadyApplied) {
        command.spawnClocks.clear();
        keepMatchClockReads(&command.spawnClocks);
    } else {
        replayMatchClockReads(&command.spawnClocks);
    }
    gameTick();
    keepMatchClockReads(nullptr);
    settleOnGround();
    match.tick += 1;
    match.randomState = rng::state();
}

namespace {
struct Checksum {
    std::uint32_t value = 2166136261u;  // FNV-1a
    void bytes(const void* data, std::size_t size) {
        const auto* p = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i) value = (value ^ p[i]) * 16777619u;
    }
    template <typename T>
    void add(const T& v) {
        bytes(&v, sizeof v);
    }
    void add(const Vec3& v) {
        add(v.x);
        add(v.y);
        add(v.z);
    }
};
}  // namespace

std::uint32_t matchChecksum(const Match& match) {
    Checksum sum;
    sum.add(match.tick);
    sum.add(match.randomState);
    sum.add(match.TimeScale);
    sum.add(match.AimPoint);
    sum.add(match.CameraState.eye);
    sum.add(match.CameraState.target);
    sum.add(match.GameStats.hurt);
    sum.add(match.GameStats.killed);
    sum.add(match.GameStats.fired);
    sum.add(match.GameStats.hit);
    if (const PlayerTank* t = match.player.get()) {
        sum.add(t->position);
        for (float v : {t->hullHeading, t->hullPitch, t->hullRoll, t->turretYaw, t->gunPitch,
                        t->turretYawRel, t->gunPitchRel})
            sum.add(v);
        for (std::int32_t v : {t->turnInput, t->driveInput, t->trackFrame}) sum.add(v);
    }
    for (const auto& e : match.enemies) {
        sum.add(e ? 1 : 0);
        if (!e) continue;
        sum.add(e->position);
        for (float v : {e->hullHeading, e->hullPitch, e->hullRoll, e->turretYaw, e->turretPitch,
                        e->elevation})
            sum.add(v);
        for (std::int32_t v :
             {static_cast<std::int32_t>(e->kind), e->health, e->lastHit, e->reload})
            sum.add(v);
    }
    for (const auto& p : match.projectiles) {
        sum.add(p ? 1 : 0);
        if (!p) continue;
        sum.add(p->position);
        for (float v : {p->yaw, p->pitch}) sum.add(v);
        for (std::int32_t v : {p->kind, p->timer}) sum.add(v);
    }
    for (const auto& x : match.explosions) {
        sum.add(x ? 1 : 0);
        if (!x) continue;
        sum.add(x->position);
        for (float v : {x->life, x->speed}) sum.add(v);
        sum.add(x->type);
    }
    for (const auto& s : match.scenery) {
        if (s) sum.add(s->y);
    }
    return sum.value;
}
