#pragma once
// Turns the game's events into sounds: which sound, where, how high and
// whether it loops. It only listens: it reads what the game hands over and
// changes nothing in the game.
#include "game/game_events.h"
#include "sound/sound_output.h"

// The engine's pitch and gain at rest and while the tank drives or turns.
struct EngineTone {
    float pitch, gain;
};
constexpr EngineTone kEngineAtRest{0.75f, 0.45f};
constexpr EngineTone kEngineWorking{1.15f, 0.85f};
// Share of the way from rest to working (or back) the engine covers each tick.
constexpr float kEngineGlidePerTick = 0.25f;
// A missile's hiss rises from this pitch to kMissilePitchTop over its first ticks.
constexpr float kMissilePitchStart = 0.8f, kMissilePitchTop = 1.25f;
constexpr int kMissileRiseTicks = 50;
// The hiss flies for many seconds: kept under the shots and bursts.
constexpr float kMissileHissGain = 0.5f;

class SoundDirector : public GameEvents {
public:
    explicit SoundDirector(SoundOutput& output) : out(output) {}

    void shellFired(const Vec3& muzzle) override;
    void missileLaunched(int missile, const Vec3& at) override;
    void enemyShellFired(const Vec3& at) override;
    void projectileRemoved(int slot, int kind, const Vec3& at) override;
    void explosionStarted(int type, const Vec3& at) override;
    void enemyDamaged(int hitKind, const Vec3& at) override;
    void playerHit(const Vec3& at) override;
    void startClicked() override;
    void tickEnded(const TickView& view) override;
    void muteToggled() override;
    // Silent while paused, whatever the player's mute.
    void pauseChanged(bool paused) override;
    void programEnding() override;

    bool muted() const { return isMuted; }
    // 0 at rest, 1 fully working.
    float engineWork() const { return work; }

private:
    void stopMissile(int missile);

    SoundOutput& out;
    Vec3 eye, target;
    Vec3 tank;
    float timeScale = 100.0f;
    bool isMuted = false;
    bool isPaused = false;
    int engineVoice = -1;
    float work = 0.0f;
    int missileVoice[TickView::kMissiles] = {-1, -1, -1};
    int missileTicks[TickView::kMissiles] = {};
};

// The pitch of a missile's hiss after it has flown `ticks` ticks.
float missileHissPitch(int ticks);
