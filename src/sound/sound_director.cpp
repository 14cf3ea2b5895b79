#include "sound/sound_director.h"

#include <algorithm>

#include "game/explosion.h"
#include "game/projectile.h"

namespace {
float mix(float a, float b, float t) { return a + (b - a) * t; }
}  // namespace

float missileHissPitch(int ticks) {
    const float t = std::min(ticks, kMissileRiseTicks) / static_cast<float>(kMissileRiseTicks);
    return mix(kMissilePitchStart, kMissilePitchTop, t);
}

void SoundDirector::shellFired(const Vec3& muzzle) {
    out.play(SoundId::ShellFire, muzzle, 1.0f, 1.0f, false);
}

void SoundDirector::missileLaunched(int missile, const Vec3& at) {
    if (missile < 0 || missile >= TickView::kMissiles) return;
    out.play(SoundId::MissileLaunch, at, 1.0f, 1.0f, false);
    stopMissile(missile);
    missileTicks[missile] = 0;
    missileVoice[missile] =
        out.play(SoundId::MissileFlight, at, missileHissPitch(0), kMissileHissGain, true);
}

void SoundDirector::enemyShellFired(const Vec3& at) {
    out.play(SoundId::EnemyFire, at, 1.0f, 1.0f, false);
}

void SoundDirector::projectileRemoved(int slot, int kind, const Vec3&) {
    if (kind == HitKind::PlayerMissile) stopMissile(slot - kPlayerMissileFirst);
}

void SoundDirector::explosionStarted(int type, const Vec3& at) {
    switch (type) {
        case ExplosionType::WhiteBurst:
            out.play(SoundId::BurstDestroyed, at, 1.0f, 1.0f, false);
            break;
        case ExplosionType::GreenBurst:
            out.play(SoundId::BurstMissile, at, 1.0f, 1.0f, false);
            break;
        case ExplosionType::OrangeBurst:
            out.play(SoundId::BurstEnemyShell, at, 1.0f, 1.0f, false);
            break;
        case ExplosionType::Ember:
            out.play(SoundId::Embers, at, 1.0f, 1.0f, false);
            break;
        default:
            break;
    }
}

void SoundDirector::enemyDamaged(int, const Vec3& at) {
    out.play(SoundId::EnemyImpact, at, 1.0f, 1.0f, false);
}

void SoundDirector::playerHit(const Vec3& at) {
    out.play(SoundId::PlayerHit, at, 1.0f, 1.0f, false);
}

void SoundDirector::startClicked() { out.play(SoundId::MenuClick, eye, 1.0f, 1.0f, false); }

namespace {
bool same(const Vec3& a, const Vec3& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }
}  // namespace

void SoundDirector::tickEnded(const TickView& view) {
    // Only what changed is passed on.
    if (!same(view.eye, eye) || !same(view.target, target)) {
        eye = view.eye;
        target = view.target;
        out.placeListener(eye, target);
    }
    if (view.timeScale != timeScale) {
        timeScale = view.timeScale;
        out.setPitchScale(timeScale / 100.0f);
    }

    // The engine glides between its rest and working tones.
    const float goal = view.tankWorking ? 1.0f : 0.0f;
    const float before = work;
    work = goal > work ? std::min(goal, work + kEngineGlidePerTick)
                       : std::max(goal, work - kEngineGlidePerTick);
    const float pitch = mix(kEngineAtRest.pitch, kEngineWorking.pitch, work);
    const float gain = mix(kEngineAtRest.gain, kEngineWorking.gain, work);
    if (engineVoice < 0) {
        tank = view.tank;
        engineVoice = out.play(SoundId::Engine, tank, pitch, gain, true);
    } else {
        if (!same(view.tank, tank)) {
            tank = view.tank;
            out.move(engineVoice, tank);
        }
        if (work != before) out.adjust(engineVoice, pitch, gain);
    }

    for (int i = 0; i < TickView::kMissiles; ++i) {
        if (missileVoice[i] < 0) continue;
        if (!view.missileFlying[i]) {
            stopMissile(i);
            continue;
        }
        ++missileTicks[i];
        out.move(missileVoice[i], view.missileAt[i]);
        if (missileTicks[i] <= kMissileRiseTicks)
            out.adjust(missileVoice[i], missileHissPitch(missileTicks[i]), kMissileHissGain);
    }
}

void SoundDirector::muteToggled() {
    isMuted = !isMuted;
    out.setMuted(isMuted || isPaused);
}

void SoundDirector::pauseChanged(bool paused) {
    isPaused = paused;
    out.setMuted(isMuted || isPaused);
}

void SoundDirector::programEnding() { out.shutDown(); }

void SoundDirector::stopMissile(int missile) {
    if (missile < 0 || missile >= TickView::kMissiles || missileVoice[missile] < 0) return;
    out.stop(missileVoice[missile]);
    missileVoice[missile] = -1;
}
