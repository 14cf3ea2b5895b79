// The game's events turned into sounds, checked against a fake output: which
// sound, where, at what pitch, looped or not; and the game itself unchanged
// by listening.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <vector>

#include "app/globals.h"
#include "app/input.h"
#include "app/screen_flow.h"
#include "game/game_events.h"
#include "game/game_tick.h"
#include "game/hit_test.h"
#include "platform/console.h"
#include "platform/random.h"
#include "sound/sound_director.h"
#include "support/combat_fixture.h"

namespace {

struct Call {
    enum What { Play, Move, Adjust, Stop, Listener, PitchScale, Mute, ShutDown } what = Play;
    SoundId sound = SoundId::Count;
    int voice = -1;
    Vec3 at, target;
    float pitch = 0.0f, gain = 0.0f;
    bool looped = false;
};

Call callOf(Call::What what) {
    Call c;
    c.what = what;
    return c;
}

class FakeOutput : public SoundOutput {
public:
    std::vector<Call> calls;
    int voices = 0;

    int play(SoundId sound, const Vec3& at, float pitch, float gain, bool looped) override {
        Call c = callOf(Call::Play);
        c.sound = sound, c.voice = voices, c.at = at, c.pitch = pitch, c.gain = gain;
        c.looped = looped;
        calls.push_back(c);
        return voices++;
    }
    void move(int voice, const Vec3& at) override {
        Call c = callOf(Call::Move);
        c.voice = voice, c.at = at;
        calls.push_back(c);
    }
    void adjust(int voice, float pitch, float gain) override {
        Call c = callOf(Call::Adjust);
        c.voice = voice, c.pitch = pitch, c.gain = gain;
        calls.push_back(c);
    }
    void stop(int voice) override {
        Call c = callOf(Call::Stop);
        c.voice = voice;
        calls.push_back(c);
    }
    void placeListener(const Vec3& eye, const Vec3& target) override {
        Call c = callOf(Call::Listener);
        c.at = eye, c.target = target;
        calls.push_back(c);
    }
    void setPitchScale(float scale) override {
        Call c = callOf(Call::PitchScale);
        c.pitch = scale;
        calls.push_back(c);
    }
    void setMuted(bool muted) override {
        Call c = callOf(Call::Mute);
        c.looped = muted;
        calls.push_back(c);
    }
    void shutDown() override { calls.push_back(callOf(Call::ShutDown)); }

    std::vector<Call> plays() const { return of(Call::Play); }
    std::vector<Call> of(Call::What what) const {
        std::vector<Call> found;
        for (const Call& c : calls)
            if (c.what == what) found.push_back(c);
        return found;
    }
    std::vector<Call> playsOf(SoundId sound) const {
        std::vector<Call> found;
        for (const Call& c : calls)
            if (c.what == Call::Play && c.sound == sound) found.push_back(c);
        return found;
    }
};

void expectAt(const Vec3& a, const Vec3& b) {
    EXPECT_FLOAT_EQ(a.x, b.x);
    EXPECT_FLOAT_EQ(a.y, b.y);
    EXPECT_FLOAT_EQ(a.z, b.z);
}

class SoundEvents : public ::testing::Test {
protected:
    CombatState state;
    FakeOutput out;
    SoundDirector director{out};
    std::ostringstream lines;

    void SetUp() override {
        gameEvents = &director;
        setConsoleStream(&lines);
    }
    void TearDown() override {
        gameEvents = nullptr;
        setConsoleStream(nullptr);
    }
    std::unique_ptr<Projectile> finished(int kind, int timer, Vec3 at) {
        auto p = std::make_unique<Projectile>(0.0f, 0.0f, at, kind, 0);
        p->timer = timer;
        return p;
    }
};

TEST_F(SoundEvents, ThePlayersShotsSoundAtTheTankAndTheMissileHissFollowsItUntilItEnds) {
    player->position = {10.0f, 3.0f, 20.0f};
    fireShell();
    auto plays = out.plays();
    ASSERT_EQ(plays.size(), 1u);
    EXPECT_EQ(plays[0].sound, SoundId::ShellFire);
    expectAt(plays[0].at, {10.0f, 4.0f, 20.0f});  // the muzzle, one above the tank
    EXPECT_FLOAT_EQ(plays[0].pitch, 1.0f);
    EXPECT_FALSE(plays[0].looped);

    fireMissile();
    const auto launch = out.playsOf(SoundId::MissileLaunch);
    const auto flight = out.playsOf(SoundId::MissileFlight);
    ASSERT_EQ(launch.size(), 1u);
    ASSERT_EQ(flight.size(), 1u);
    expectAt(launch[0].at, player->position);
    EXPECT_FALSE(launch[0].looped);
    EXPECT_TRUE(flight[0].looped);
    EXPECT_FLOAT_EQ(flight[0].pitch, kMissilePitchStart);
    EXPECT_FLOAT_EQ(flight[0].gain, kMissileHissGain);

    // Each tick the hiss moves with the missile and rises in pitch.
    out.calls.clear();
    gameTick();
    gameTick();
    std::vector<Call> moves, adjusts;
    for (const Call& c : out.calls) {
        if (c.voice != flight[0].voice) continue;
        if (c.what == Call::Move) moves.push_back(c);
        if (c.what == Call::Adjust) adjusts.push_back(c);
    }
    ASSERT_EQ(moves.size(), 2u);
    expectAt(moves[1].at, projectiles[kPlayerMissileFirst]->position);
    ASSERT_EQ(adjusts.size(), 2u);
    EXPECT_GT(adjusts[0].pitch, kMissilePitchStart);
    EXPECT_GT(adjusts[1].pitch, adjusts[0].pitch);
    EXPECT_FLOAT_EQ(missileHissPitch(kMissileRiseTicks + 40), kMissilePitchTop);

    // The missile ends: its hiss stops and its green burst sounds where it ended.
    projectiles[kPlayerMissileFirst]->timer = -1;
    const Vec3 end = projectiles[kPlayerMissileFirst]->position;
    out.calls.clear();
    gameTick();
    const auto stops = out.of(Call::Stop);
    ASSERT_EQ(stops.size(), 1u);
    EXPECT_EQ(stops[0].voice, flight[0].voice);
    const auto burst = out.playsOf(SoundId::BurstMissile);
    ASSERT_EQ(burst.size(), 1u);
    expectAt(burst[0].at, end);
}

TEST_F(SoundEvents, NoShotNoSound) {
    for (int slot = kPlayerShellFirst; slot <= kPlayerShellLast; ++slot)
        projectiles[slot] = std::make_unique<Projectile>(0.0f, 0.0f, Vec3{}, 1, 5);
    for (int slot = kPlayerMissileFirst; slot <= kPlayerMissileLast; ++slot)
        projectiles[slot] = std::make_unique<Projectile>(0.0f, 0.0f, Vec3{}, 2, 600);
    fireShell();
    fireMissile();
    EXPECT_TRUE(out.plays().empty());
}

TEST_F(SoundEvents, EnemyShotsImpactsAndExplosionsSoundWhereTheyHappen) {
    EnemyUnit& unit = state.addEnemy(3, EnemyKind::Car, {30.0f, 0.0f, 40.0f});
    unit.fire();
    auto fire = out.playsOf(SoundId::EnemyFire);
    ASSERT_EQ(fire.size(), 1u);
    expectAt(fire[0].at, unit.position);
    EXPECT_FALSE(fire[0].looped);

    // A shell hit: the clank where the enemy stands, on its next tick.
    unit.lastHit = HitKind::PlayerShell;
    unit.tick();
    auto impact = out.playsOf(SoundId::EnemyImpact);
    ASSERT_EQ(impact.size(), 1u);
    expectAt(impact[0].at, {30.0f, 0.0f, 40.0f});

    // Destroyed: the big burst where it stood.
    const Vec3 stood = enemies[3]->position;
    enemies[3]->lastHit = HitKind::PlayerMissile;
    enemies[3]->tick();
    auto destroyed = out.playsOf(SoundId::BurstDestroyed);
    ASSERT_EQ(destroyed.size(), 1u);
    expectAt(destroyed[0].at, stood);
    EXPECT_EQ(out.playsOf(SoundId::EnemyImpact).size(), 2u);

    // Finished enemy shells: an orange burst sounds, a quiet one does not.
    out.calls.clear();
    projectiles[40] = finished(HitKind::EnemyShell, -1, {5.0f, 6.0f, 7.0f});
    projectiles[41] = finished(HitKind::EnemyShell, -10000, {8.0f, 9.0f, 10.0f});
    gameTick();
    auto shellBursts = out.playsOf(SoundId::BurstEnemyShell);
    ASSERT_EQ(shellBursts.size(), 1u);
    expectAt(shellBursts[0].at, {5.0f, 6.0f, 7.0f});
}

TEST_F(SoundEvents, AnEnemyShellOnTheTankSoundsAtTheTank) {
    player->position = {0.0f, 0.0f, 0.0f};
    hitTest({0.5f, 0.0f, 0.0f}, 0.0f, HitKind::EnemyShell, -1);
    auto hit = out.playsOf(SoundId::PlayerHit);
    ASSERT_EQ(hit.size(), 1u);
    expectAt(hit[0].at, player->position);
    // The tank driving into something is no hit.
    hitTest({0.5f, 0.0f, 0.0f}, 0.0f, HitKind::PlayerBody, -1);
    EXPECT_EQ(out.playsOf(SoundId::PlayerHit).size(), 1u);
}

TEST_F(SoundEvents, TheEngineLoopsAtTheTankAndRunsHigherAndLouderWhileDriving) {
    gameTick();
    auto engine = out.playsOf(SoundId::Engine);
    ASSERT_EQ(engine.size(), 1u);
    EXPECT_TRUE(engine[0].looped);
    EXPECT_FLOAT_EQ(engine[0].pitch, kEngineAtRest.pitch);
    EXPECT_FLOAT_EQ(engine[0].gain, kEngineAtRest.gain);

    player->driveInput = 1;
    for (int i = 0; i < 8; ++i) gameTick();
    EXPECT_EQ(out.playsOf(SoundId::Engine).size(), 1u);  // still the one loop
    const auto adjusts = out.of(Call::Adjust);
    ASSERT_FALSE(adjusts.empty());
    EXPECT_FLOAT_EQ(adjusts.back().pitch, kEngineWorking.pitch);
    EXPECT_FLOAT_EQ(adjusts.back().gain, kEngineWorking.gain);
    EXPECT_GT(kEngineWorking.pitch, kEngineAtRest.pitch);
    EXPECT_GT(kEngineWorking.gain, kEngineAtRest.gain);
    const auto moves = out.of(Call::Move);
    ASSERT_FALSE(moves.empty());
    expectAt(moves.back().at, player->position);

    // Turning on the spot works the engine too; standing lets it settle back.
    player->driveInput = 0;
    player->turnInput = 180;
    gameTick();
    EXPECT_FLOAT_EQ(director.engineWork(), 1.0f);
    player->turnInput = 0;
    for (int i = 0; i < 8; ++i) gameTick();
    EXPECT_FLOAT_EQ(out.of(Call::Adjust).back().pitch, kEngineAtRest.pitch);
}

TEST_F(SoundEvents, TheListenerIsTheCameraAndSlowMotionLowersEveryPitchByItsFactor) {
    player->turretYaw = 90.0f;
    gameTick();
    const auto listener = out.of(Call::Listener);
    ASSERT_EQ(listener.size(), 1u);
    expectAt(listener[0].at, CameraState.eye);
    expectAt(listener[0].target, CameraState.target);
    EXPECT_TRUE(out.of(Call::PitchScale).empty());

    onGameKeyDown(' ', 0, 0);
    gameTick();
    onGameKeyDown(' ', 0, 0);
    gameTick();
    const auto scales = out.of(Call::PitchScale);
    ASSERT_EQ(scales.size(), 2u);
    EXPECT_FLOAT_EQ(scales[0].pitch, 0.3f);
    EXPECT_FLOAT_EQ(scales[1].pitch, 1.0f);
}

TEST_F(SoundEvents, KeysEmbersMuteAndTheEnd) {
    player->position = {50.0f, 7.0f, 60.0f};
    onGameKeyDown('g', 0, 0);
    auto embers = out.playsOf(SoundId::Embers);
    ASSERT_EQ(embers.size(), 1u);  // one shower, one sound
    expectAt(embers[0].at, {50.0f, 12.0f, 60.0f});
    int showered = 0;
    for (auto& e : explosions) showered += e && e->type == 23;
    EXPECT_EQ(showered, 10);

    const bool status = showStatus;
    onGameKeyDown('m', 0, 0);
    onGameKeyDown('m', 0, 0);
    onGameKeyUp('m', 0, 0);
    const auto mutes = out.of(Call::Mute);
    ASSERT_EQ(mutes.size(), 2u);
    EXPECT_TRUE(mutes[0].looped);
    EXPECT_FALSE(mutes[1].looped);
    EXPECT_EQ(showStatus, status);
    EXPECT_EQ(TimeScale, 100.0f);

    // A pause is silent; resuming gives back the player's own choice.
    for (char key : {'\t', 'x', 'm', '\t', 'x'}) onGameKeyDown(key, 0, 0);  // Tab pauses
    std::vector<bool> muted;
    for (const auto& c : out.of(Call::Mute)) muted.push_back(c.looped);
    EXPECT_EQ(muted, (std::vector<bool>{true, false, true, false, true, true, true}));

    director.programEnding();
    EXPECT_EQ(out.of(Call::ShutDown).size(), 1u);
}

TEST_F(SoundEvents, StartClickOnTheMenuClicksOnce) {
    windowWidth = 800;
    windowHeight = 600;
    screenState = ScreenState::Menu;
    onMenuButton(0 /* GLUT_LEFT_BUTTON */, 0 /* GLUT_DOWN */, 100, 300);  // outside START
    EXPECT_TRUE(out.plays().empty());
    onMenuButton(0, 0, 280, 450);
    onMenuButton(0, 0, 280, 450);  // already loading
    EXPECT_EQ(screenState, ScreenState::Loading);
    const auto clicks = out.playsOf(SoundId::MenuClick);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_FALSE(clicks[0].looped);
    screenState = ScreenState::Intro;
}

// A scripted fight through the game's own tick and fire actions: counters,
// positions, console lines and the random sequence come out the same
// whether the sound listens or not.
struct FightTrace {
    std::string lines;
    GameStatsRecord stats;
    std::vector<float> numbers;
    int nextRandom = 0;
};

FightTrace scriptedFight(GameEvents* listener) {
    CombatState state;
    std::ostringstream lines;
    setConsoleStream(&lines);
    gameEvents = listener;
    state.placeFightersForScript();
    for (int tick = 0; tick < 400; ++tick) {
        state.scriptTick(tick);
        // Aim at the nearest unit and fire every 8th tick; a missile and
        // embers on the way; slow motion from tick 300.
        const int best = nearestEnemy();
        const Vec3 muzzle = vecAdd(player->position, {0.0f, 1.0f, 0.0f});
        const Aim aim = directionToAim(vecSub(enemies[best]->position, muzzle));
        player->turretYaw = aim.yaw;
        player->gunPitch = aim.pitch;
        if (tick % 8 == 0) fireShell();
        if (tick == 120) {
            AimPoint = enemies[best]->position;
            fireMissile();
        }
        if (tick == 130) onGameKeyDown('g', 0, 0);
        if (tick == 300) onGameKeyDown(' ', 0, 0);
        gameTick();
    }
    FightTrace trace;
    trace.lines = lines.str();
    trace.stats = GameStats;
    for (const auto& unit : enemies) {
        trace.numbers.insert(trace.numbers.end(), {unit->position.x, unit->position.z,
                                                   static_cast<float>(unit->health)});
    }
    for (const auto& p : projectiles)
        if (p) trace.numbers.insert(trace.numbers.end(), {p->position.x, p->position.y});
    for (const auto& e : explosions)
        if (e) trace.numbers.insert(trace.numbers.end(), {e->position.x, e->life});
    trace.numbers.insert(trace.numbers.end(),
                         {player->position.x, player->position.z, player->hullHeading,
                          CameraState.eye.x, CameraState.target.z, AimPoint.x});
    trace.nextRandom = rng::rand();
    gameEvents = nullptr;
    setConsoleStream(nullptr);
    return trace;
}

TEST(SoundListening, TheFightIsTheSameWithSoundOnOrOff) {
    const FightTrace silent = scriptedFight(nullptr);
    FakeOutput out;
    SoundDirector director(out);
    const FightTrace heard = scriptedFight(&director);
    EXPECT_EQ(heard.lines, silent.lines);
    EXPECT_FALSE(silent.lines.empty());
    EXPECT_EQ(heard.stats.fired, silent.stats.fired);
    EXPECT_EQ(heard.stats.hit, silent.stats.hit);
    EXPECT_EQ(heard.stats.killed, silent.stats.killed);
    EXPECT_EQ(heard.stats.hurt, silent.stats.hurt);
    EXPECT_EQ(heard.numbers, silent.numbers);
    EXPECT_EQ(heard.nextRandom, silent.nextRandom);
    // And the sound did hear the fight.
    EXPECT_EQ(out.playsOf(SoundId::ShellFire).size(), static_cast<size_t>(silent.stats.fired));
    EXPECT_EQ(out.playsOf(SoundId::EnemyImpact).size(),
              static_cast<size_t>(std::count(silent.lines.begin(), silent.lines.end(), '\n')));
    EXPECT_EQ(out.playsOf(SoundId::MissileLaunch).size(), 1u);
    EXPECT_EQ(out.playsOf(SoundId::Embers).size(), 1u);
}

}  // namespace
