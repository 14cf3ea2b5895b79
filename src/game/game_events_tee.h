#pragma once
// Two listeners heard as one: every event goes to the first, then to the
// second.
#include "game/game_events.h"

class GameEventsTee : public GameEvents {
public:
    GameEventsTee(GameEvents& first, GameEvents& second) : first_(first), second_(second) {}
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
    void pauseChanged(bool paused) override;
    void programEnding() override;

private:
    GameEvents& first_;
    GameEvents& second_;
};
