// The play loop's pace in a whole level: the timer, catch-up and idle
// callbacks and real frames, called in the order the GLUT main loop calls
// them, on a clock the test moves (the timer's 22 ms wait, then whatever the
// frame is said to cost). Then the render scale: the picture at 100 %, and
// at 50 % against it.
#include "app/play_pace.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/camera.h"
#include "app/display_options.h"
#include "app/game_frame.h"
#include "app/globals.h"
#include "app/hud.h"
#include "app/input.h"
#include "app/pause.h"
#include "app/screen_flow.h"
#include "game/game_events.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/random.h"
#include "support/level_window.h"
#include "support/world_scene.h"

namespace {
using Level = LevelInWindow<640, 480>;
constexpr int W = Level::kWidth, H = Level::kHeight;

int fakeMs = 0;
int readFake() { return fakeMs; }

// What a tick leaves, enough to tell two runs apart.
struct TickState {
    float values[24];
    bool operator==(const TickState& o) const {
        return std::equal(std::begin(values), std::end(values), std::begin(o.values));
    }
};

// Counts ticks and records the state each one leaves.
struct TickRecorder : GameEvents {
    std::vector<TickState> ticks;
    void shellFired(const Vec3&) override {}
    void missileLaunched(int, const Vec3&) override {}
    void enemyShellFired(const Vec3&) override {}
    void projectileRemoved(int, int, const Vec3&) override {}
    void explosionStarted(int, const Vec3&) override {}
    void enemyDamaged(int, const Vec3&) override {}
    void playerHit(const Vec3&) override {}
    void startClicked() override {}
    void muteToggled() override {}
    void pauseChanged(bool) override {}
    void programEnding() override {}
    void tickEnded(const TickView&) override {
        int live = 0;
        float missile = 0;
        for (const auto& p : projectiles) {
            live += p ? 1 : 0;
            if (p && p->kind == HitKind::PlayerMissile) missile += p->position.x + p->position.z;
        }
        float enemySum = 0;
        for (const auto& e : enemies) {
            if (e) enemySum += e->position.x * 3 + e->position.z + e->hullPitch + e->turretYaw;
        }
        const PlayerTank& t = *player;
        ticks.push_back({{t.position.x,
                          t.position.y,
                          t.position.z,
                          t.hullHeading,
                          t.hullPitch,
                          t.hullRoll,
                          t.turretYaw,
                          t.gunPitch,
                          t.turretYawRel,
                          t.gunPitchRel,
                          static_cast<float>(t.trackFrame),
                          AimPoint.x,
                          AimPoint.y,
                          AimPoint.z,
                          static_cast<float>(live),
                          missile,
                          enemySum,
                          static_cast<float>(GameStats.fired),
                          static_cast<float>(GameStats.hit),
                          static_cast<float>(GameStats.hurt),
                          static_cast<float>(GameStats.killed),
                          CameraState.eye.x,
                          CameraState.eye.y,
                          CameraState.target.z}});
    }
};

// The player's inputs, arriving before the tick they belong to.
void scriptedInput(int tick) {
    if (tick == 40) onGameKeyDown('w', 0, 0);
    if (tick == 60) onGameKeyDown('a', 0, 0);
    if (tick == 80) onGameKeyUp('a', 0, 0);
    if (tick == 90) onGameKeyDown('d', 0, 0);
    if (tick == 120) onGameKeyUp('d', 0, 0);
    if (tick == 130) onGameKeyUp('w', 0, 0);
    if (tick == 131) onGameKeyDown('s', 0, 0);
    if (tick % 6 == 0) onGameButton(GLUT_LEFT_BUTTON, GLUT_DOWN, W / 2, H / 2);
    if (tick % 6 == 1) onGameButton(GLUT_LEFT_BUTTON, GLUT_UP, W / 2, H / 2);
    // A shell straight at the heavy unit now and then, as in the golden fight.
    if (tick % 6 == 3 && !projectiles[kPlayerShellLast]) {
        Vec3 muzzle = player->position;
        muzzle.y += 1.0f;
        const Aim aim = directionToAim(vecSub(enemies[0]->position, muzzle));
        projectiles[kPlayerShellLast] =
            std::make_unique<Projectile>(aim.yaw, aim.pitch, muzzle, HitKind::PlayerShell, 5);
    }
    if (tick == 20 || tick == 70) onGameKeyDown('r', 0, 0);
    if (tick == 21 || tick == 71) onGameKeyUp('r', 0, 0);
    // Sweep the turret to and fro and the guns a little up and down.
    const int phase = tick % 80;
    onGameMotion(W / 2 + (phase < 40 ? 6 * phase : 6 * (80 - phase)) - 120,
                 H / 2 + 24 + (tick / 20 % 2 == 0 ? 1 : -1));
}

struct PlayRun {
    std::vector<TickState> ticks;
    std::vector<int> ticksPerPass;  // ticks run in each timer pass
    std::vector<int> waits;         // the wait asked for after each frame
    int framesBeforeScenery = -1;   // drawn frames when the scenery lines came
    std::string console;
};

void noFrame() {}

// Drives the play loop as GLUT would, until `ticks` ticks have run, with
// each frame costing frameCost(pass) milliseconds. `between` runs before
// each timer pass, with the pass number; `frame` draws the frame. The timer
// fires 22 ms after each frame, or with honourWait as soon as asked.
PlayRun play(
    int ticks, const std::function<int(int)>& frameCost,
    const std::function<void(int)>& between = [](int) {}, void (*frame)() = drawGameFrame,
    bool honourWait = false) {
    PlayRun run;
    TickRecorder recorder;
    gameEvents = &recorder;
    std::ostringstream out;
    setConsoleStream(&out);
    int drawn = 0;
    gameIdle();
    for (int pass = 0; static_cast<int>(recorder.ticks.size()) < ticks; ++pass) {
        between(pass);
        fakeMs += honourWait ? passWaitMs : 22;
        const std::size_t before = recorder.ticks.size();
        scriptedInput(static_cast<int>(before));
        gameTimer(0);
        while (catchUpTicksLeft > 0) {
            scriptedInput(static_cast<int>(recorder.ticks.size()));
            gameCatchUp();
        }
        run.ticksPerPass.push_back(static_cast<int>(recorder.ticks.size() - before));
        frame();
        ++drawn;
        if (run.framesBeforeScenery < 0 && !out.str().empty()) run.framesBeforeScenery = drawn;
        fakeMs += frameCost(pass);
        gameIdle();
        run.waits.push_back(passWaitMs);
    }
    glutIdleFunc(nullptr);
    setConsoleStream(nullptr);
    gameEvents = nullptr;
    recorder.ticks.resize(ticks);
    run.ticks = recorder.ticks;
    run.console = out.str();
    return run;
}

class PlayPace : public Level {
protected:
    // The level as set up, kept once so every run starts from it.
    static inline std::unique_ptr<PlayerTank> startTank;
    static inline std::vector<EnemyUnit> startEnemies;

    void SetUp() override {
        Level::SetUp();
        if (!built) return;
        if (!startTank) {
            // Mid-tile, so a tank driving round in circles never brings new
            // tiles into reach; build those in reach first.
            player->position = {444.5f, 0.0f, 444.5f};
            // A heavy unit (too strong to die in a run) right ahead of the gun.
            *enemies[0] = EnemyUnit(EnemyKind::Heavy, 0);
            enemies[0]->position = {444.5f, 0.0f, 414.5f};
            // A block the crosshair sweeps over, off the shells' way.
            blocks[0]->x = 457.4f;
            blocks[0]->z = 396.2f;
            updateCamera();
            std::ostringstream quiet;
            setConsoleStream(&quiet);
            for (int i = 0; i < 10000 && (i < 3 || world->buildBusy); ++i) {
                waitForBuilder(*world);
                drawGameFrame();
            }
            setConsoleStream(nullptr);
            startTank = std::make_unique<PlayerTank>(*player);
            for (const auto& e : enemies) startEnemies.push_back(*e);
        }
        setClockSource(readFake);
        fakeMs = 100000;
        *player = *startTank;
        for (int i = 0; i < kEnemyCount; ++i) *enemies[i] = startEnemies[i];
        for (auto& p : projectiles) p.reset();
        for (auto& e : explosions) e.reset();
        GameStats = GameStatsRecord{};
        AimPoint = Vec3{};
        TimeScale = 100.0f;
        gamePaused = false;
        sceneryGroundFrames = 2;
        lastMouseX = W / 2;
        lastMouseY = H / 2;
        rng::srand(4242);
        updateCamera();
        restartPace();
        displayOptions = DisplayOptions{};
        readyBefore = readyTileCount(*world);
    }
    void TearDown() override {
        if (built) {
            EXPECT_FALSE(world->buildBusy) << "a tile build ran during the run";
            EXPECT_EQ(readyTileCount(*world), readyBefore);
        }
        displayOptions = DisplayOptions{};
        gamePaused = false;
        setClockSource(nullptr);
    }
    int readyBefore = 0;
};

}  // namespace

namespace {
constexpr int kScriptTicks = 140;

// The script played the design's way, one tick per pass with slow frames,
// and checked to reach what it tests.
PlayRun designRun() {
    displayOptions.keepPace = false;
    PlayRun design = play(kScriptTicks, [](int) { return 40; });
    displayOptions.keepPace = true;
    for (int n : design.ticksPerPass) EXPECT_EQ(n, 1);
    EXPECT_EQ(design.framesBeforeScenery, 3);
    // Shells hit, nothing died (a respawn reads the clock), and the
    // crosshair came onto the block at least once.
    const TickState& last = design.ticks.back();
    EXPECT_GT(last.values[18], 0.0f) << "no hit";
    EXPECT_EQ(last.values[20], 0.0f) << "a kill";
    int aimOnBlock = 0;
    for (int t = 1; t < kScriptTicks; ++t)
        aimOnBlock += design.ticks[t].values[11] == blocks[0]->x &&
                      design.ticks[t - 1].values[11] != blocks[0]->x;
    EXPECT_GE(aimOnBlock, 1);
    return design;
}

void expectSameTicks(const PlayRun& run, const PlayRun& design) {
    for (int t = 0; t < kScriptTicks; ++t) {
        ASSERT_TRUE(run.ticks[t] == design.ticks[t]) << "tick " << t;
    }
    EXPECT_EQ(run.framesBeforeScenery, 3);
    EXPECT_EQ(run.console, design.console);
}
}  // namespace

TEST_F(PlayPace, CatchUpWithSteadySlowFramesGivesTheSameGameTickForTick) {
    const PlayRun design = designRun();
    SetUp();
    const PlayRun steady = play(kScriptTicks, [](int) { return 40; });
    EXPECT_LT(steady.ticksPerPass.size(), design.ticksPerPass.size() * 6 / 10);
    expectSameTicks(steady, design);
}

TEST_F(PlayPace, CatchUpWithUnevenFramesGivesTheSameGameTickForTick) {
    const PlayRun design = designRun();
    SetUp();
    // Frames from nearly free to a quarter of a second, in no order.
    const PlayRun uneven = play(kScriptTicks, [](int pass) { return pass * 37 % 240; });
    EXPECT_GT(*std::max_element(uneven.ticksPerPass.begin(), uneven.ticksPerPass.end()), 3);
    expectSameTicks(uneven, design);
}

TEST_F(PlayPace, FastFramesAndTheDesignSwitchRunOneTickPerTimerPass) {
    // A frame that costs nothing (none is drawn), and one within what a fast
    // pass may take.
    for (const int cost : {0, kFreePassMs}) {
        SetUp();
        const PlayRun run = play(
            100, [cost](int) { return cost; }, [](int) {}, noFrame);
        EXPECT_EQ(run.ticksPerPass.size(), 100u) << cost;
        for (int n : run.ticksPerPass) ASSERT_EQ(n, 1) << cost;
    }
    SetUp();
    displayOptions.keepPace = false;
    const PlayRun slow = play(
        40, [](int pass) { return pass * 37 % 240; }, [](int) {}, noFrame);
    for (int n : slow.ticksPerPass) ASSERT_EQ(n, 1);
}

TEST_F(PlayPace, NoBurstAfterAStallOrAPauseAndCatchUpStaysBounded) {
    // Steady slow frames, then one of two seconds: the pass after it runs a
    // single tick, as do those after a two-second pause.
    const PlayRun stalled = play(
        120, [](int pass) { return pass == 10 ? 2000 : 60; },
        [](int pass) {
            if (pass == 20) pauseGame();
            if (pass == 20) fakeMs += 2000;
            if (pass == 22) resumeGame(W / 2, H / 2);
        },
        noFrame);
    const auto& n = stalled.ticksPerPass;
    for (int pass = 0; pass < static_cast<int>(n.size()); ++pass)
        EXPECT_LE(n[pass], 1 + kMaxCatchUpTicks) << pass;
    EXPECT_GT(n[10], 1);  // the slow frames before were made up
    EXPECT_EQ(n[11], 1);  // the stall was not
    EXPECT_EQ(n[20], 0);  // paused
    EXPECT_EQ(n[21], 0);
    EXPECT_EQ(n[22], 1);  // the pass that resumes: nothing owed from before
    EXPECT_GT(n[23], 1);  // its frame was slow: made up as usual
    // A frame far slower than the bound allows, yet no stall: the bound holds
    // and the rest is not carried over to burst later.
    SetUp();
    const PlayRun bounded = play(
        60, [](int pass) { return pass < 8 ? 240 : 0; }, [](int) {}, noFrame);
    for (int pass = 0; pass < 8; ++pass)
        EXPECT_EQ(bounded.ticksPerPass[pass], pass == 0 ? 1 : 1 + kMaxCatchUpTicks) << pass;
    EXPECT_LE(bounded.ticksPerPass[8], 1 + kMaxCatchUpTicks);
    for (std::size_t pass = 9; pass < bounded.ticksPerPass.size(); ++pass)
        EXPECT_EQ(bounded.ticksPerPass[pass], 1) << pass;
}

TEST_F(PlayPace, BehindTheNextPassStartsWhenItsTickIsDueWithTheSameGameTickForTick) {
    const PlayRun design = designRun();
    const std::function<int(int)> costs[] = {[](int) { return 25; },
                                             [](int pass) { return pass * 37 % 240; }};
    for (const auto& cost : costs) {
        SetUp();
        const PlayRun run = play(
            kScriptTicks, cost, [](int) {}, drawGameFrame, true);
        expectSameTicks(run, design);
        // A frame a tick longer than a fast one leaves a whole tick owed.
        for (std::size_t pass = 0; pass < run.waits.size(); ++pass) {
            if (cost(static_cast<int>(pass)) >= kTickPeriodMs + kFreePassMs) {
                ASSERT_EQ(run.waits[pass], 0) << pass;
            }
        }
    }
    // Fast frames (after a slow one), a pause among slow frames, and the
    // design switch: a full tick's wait after every frame.
    SetUp();
    const PlayRun fast = play(
        60, [](int pass) { return pass == 0 ? 30 : kFreePassMs; }, [](int) {}, noFrame, true);
    for (std::size_t pass = 1; pass < fast.waits.size(); ++pass)
        ASSERT_EQ(fast.waits[pass], kTickPeriodMs) << pass;
    SetUp();
    const PlayRun paused = play(
        30, [](int) { return 40; },
        [](int pass) {
            if (pass == 10) pauseGame();
            if (pass == 14) resumeGame(W / 2, H / 2);
        },
        noFrame, true);
    for (int pass = 10; pass < 14; ++pass) ASSERT_EQ(paused.waits[pass], kTickPeriodMs) << pass;
    SetUp();
    displayOptions.keepPace = false;
    const PlayRun designSwitch = play(
        40, [](int) { return 40; }, [](int) {}, noFrame, true);
    for (int w : designSwitch.waits) ASSERT_EQ(w, kTickPeriodMs);
}

namespace {
struct Picture {
    std::vector<unsigned char> rgb;
    int hits = 0;
    std::vector<std::uint32_t> records;
    Vec3 aim;
};

Picture frameAt(int percent) {
    displayOptions.renderScalePercent = percent;
    AimPoint = Vec3{};
    drawGameFrame();
    Picture p;
    p.rgb.resize(W * H * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    // The back buffer keeps the frame after the swap here (as the other
    // window suites rely on).
    glReadPixels(0, 0, W, H, GL_RGB, GL_UNSIGNED_BYTE, p.rgb.data());
    p.hits = hitCount;
    p.records.assign(selectBuffer, selectBuffer + 64);
    p.aim = AimPoint;
    return p;
}

// The overlay alone over a black and over a white window: where both agree,
// the overlay covers what is under it.
std::vector<bool> overlayCover() {
    std::vector<unsigned char> over[2];
    for (int k = 0; k < 2; ++k) {
        glClearColor(static_cast<float>(k), static_cast<float>(k), static_cast<float>(k), 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawOverlay();
        over[k].resize(W * H * 3);
        glReadPixels(0, 0, W, H, GL_RGB, GL_UNSIGNED_BYTE, over[k].data());
    }
    std::vector<bool> cover(W * H);
    for (int i = 0; i < W * H; ++i)
        cover[i] = std::equal(&over[0][3 * i], &over[0][3 * i + 3], &over[1][3 * i]);
    return cover;
}
}  // namespace

TEST_F(PlayPace, RenderScaleDrawsTheSceneSmallerWithTheHudAndTheAimAsAtFullSize) {
    // The tank stands, the crosshair on the block; the scenery is grounded.
    player->turretYaw = 168.0f;
    player->position.y =
        static_cast<float>(world->heightAt(player->position.x, player->position.z));
    updateCamera();
    showStatus = true;
    gamePaused = true;  // the pause notice is drawn at full size too
    std::ostringstream heights;
    setConsoleStream(&heights);
    for (int i = 0; i < 3; ++i) drawGameFrame();
    setConsoleStream(nullptr);
    const Picture full = frameAt(100);
    const Picture half = frameAt(50);
    const Picture threeQuarters = frameAt(75);
    const Picture fullAgain = frameAt(100);
    const std::vector<bool> cover = overlayCover();
    showStatus = false;

    // 100 % is the picture as drawn straight into the window, also after a
    // scaled frame.
    EXPECT_TRUE(fullAgain.rgb == full.rgb);
    // The selection pass finds the same thing at every scale.
    ASSERT_GT(full.hits, 0);
    for (const Picture* p : {&half, &threeQuarters, &fullAgain}) {
        EXPECT_EQ(p->hits, full.hits);
        EXPECT_TRUE(p->records == full.records);
        EXPECT_EQ(p->aim.x, full.aim.x);
        EXPECT_EQ(p->aim.z, full.aim.z);
    }
    // Scaled, the scene is the same picture, softer; the HUD, the status
    // report and the pause notice are exact.
    for (const Picture* p : {&half, &threeQuarters}) {
        double sum = 0;
        int covered = 0, differentInCover = 0;
        for (int i = 0; i < W * H; ++i) {
            for (int c = 0; c < 3; ++c) {
                const double d = p->rgb[3 * i + c] - full.rgb[3 * i + c];
                sum += d * d;
                if (cover[i] && d != 0) ++differentInCover;
            }
            covered += cover[i];
        }
        const double rmse = std::sqrt(sum / (W * H * 3));
        std::printf("render scale %s: RMSE %.2f of 255, %d overlay pixels\n",
                    p == &half ? "50 %" : "75 %", rmse, covered);
        EXPECT_LT(rmse, 8.0);
        EXPECT_GT(rmse, 0.0);
        EXPECT_GT(covered, 3000);
        EXPECT_EQ(differentInCover, 0);
    }
}
