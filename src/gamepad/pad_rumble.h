#pragma once
// The pad answers the fight: a short, strong pulse when the player's tank
// is hit, a faint one when a shell leaves the gun. A faint pulse never cuts
// a strong one short. Only listens: it changes nothing in the game.
#include <cstdint>

#include "game/game_events.h"

struct RumblePulse {
    std::uint16_t low = 0, high = 0;  // the two motors, 0..65535
    std::uint32_t milliseconds = 0;
};

constexpr RumblePulse kHitPulse{0xFFFF, 0xC000, 250};
constexpr RumblePulse kShotPulse{0x1800, 0x0C00, 60};

class PadRumble : public GameEvents {
public:
    using Sender = void (*)(const RumblePulse& pulse);
    // `enabled` is read at each event, so the switch takes effect at once.
    PadRumble(const bool& enabled, Sender send) : enabled_(enabled), send_(send) {}

    void shellFired(const Vec3&) override { ask(kShotPulse, false); }
    void playerHit(const Vec3&) override { ask(kHitPulse, true); }
    void missileLaunched(int, const Vec3&) override {}
    void enemyShellFired(const Vec3&) override {}
    void projectileRemoved(int, int, const Vec3&) override {}
    void explosionStarted(int, const Vec3&) override {}
    void enemyDamaged(int, const Vec3&) override {}
    void startClicked() override {}
    void tickEnded(const TickView&) override {}
    void muteToggled() override {}
    void pauseChanged(bool paused) override;
    void programEnding() override {}

private:
    void ask(const RumblePulse& pulse, bool strong);
    const bool& enabled_;
    Sender send_;
    int strongUntil_ = -1;  // game clock, ms
};
