#include "gamepad/pad_rumble.h"

#include "platform/clock.h"

void PadRumble::ask(const RumblePulse& pulse, bool strong) {
    if (!enabled_ || !send_) return;
    const int now = elapsedMilliseconds();
    if (!strong && now < strongUntil_) return;
    if (strong) strongUntil_ = now + static_cast<int>(pulse.milliseconds);
    send_(pulse);
}

void PadRumble::pauseChanged(bool paused) {
    // A paused game is still: so is the pad.
    if (paused && send_) {
        strongUntil_ = -1;
        send_(RumblePulse{});
    }
}
