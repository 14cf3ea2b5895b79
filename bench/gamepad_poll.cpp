// What one pad poll costs per pass of the game timer: with the pad code off
// (SDL not started: the pass returns at once), with SDL's game controller
// part running and no pad, and with one virtual pad whose stick moves every
// pass. Prints each per-poll time, its ratio to the pad code off, and its
// share of a 22 ms timer pass. Not a test; needs no display.
#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <memory>

#include "app/gamepad_input.h"
#include "app/globals.h"
#include "app/screen_flow.h"
#include "gamepad/made_up_pad.h"

namespace {
using Clock = std::chrono::steady_clock;
constexpr int kPolls = 200000;

// Nanoseconds per pollGamepad(), best of five runs.
double nsPerPoll(SDL_Joystick* moving) {
    double best = 1e30;
    for (int run = 0; run < 5; ++run) {
        const auto start = Clock::now();
        for (int i = 0; i < kPolls; ++i) {
            if (moving)
                SDL_JoystickSetVirtualAxis(moving, SDL_CONTROLLER_AXIS_LEFTX, (i & 1) ? 200 : -200);
            pollGamepad();
        }
        const double ns = std::chrono::duration<double, std::nano>(Clock::now() - start).count();
        if (ns / kPolls < best) best = ns / kPolls;
    }
    return best;
}

void report(const char* way, double ns, double reference) {
    std::printf("%-34s %9.1f ns/poll  %8.1f x off  %.5f %% of a 22 ms pass\n", way, ns,
                ns / reference, ns / 22e6 * 100.0);
}
}  // namespace

int main() {
    resetShellState();
    playStarted = true;
    player = std::make_unique<PlayerTank>(PlayerTank::NoModels{});

    const double off = nsPerPoll(nullptr);
    startGamepad();
    if (!padsStarted()) {
        std::printf("SDL's game controller part did not start: %s\n", SDL_GetError());
        return 1;
    }
    const double noPad = nsPerPoll(nullptr);

    SDL_Joystick* joystick = plugInMadeUpPad("Brakkon bench pad", nullptr, nullptr);
    pollGamepad();
    const double idlePad = nsPerPoll(nullptr);
    const double movingPad = nsPerPoll(joystick);

    std::printf("pollGamepad(), %d polls, best of 5 runs\n", kPolls);
    report("pad code off (SDL not started)", off, off);
    report("SDL started, no pad", noPad, off);
    report("one virtual pad, at rest", idlePad, off);
    report("one virtual pad, stick moving", movingPad, off);
    pullOutMadeUpPad(joystick);
    stopPads();
    return 0;
}
