#include "sound/sound_thread.h"

#include <chrono>
#include <system_error>

namespace {
// How often the sound thread hands the queue on: well under what an ear
// notices, and more often than the game ticks.
constexpr auto kHandOnEvery = std::chrono::milliseconds(5);
}  // namespace

SoundThread::SoundThread(GameEvents& target) : listener(target) {
    queue.reserve(256);
    worker = std::thread([this] { run(); });
}

SoundThread::~SoundThread() { finish(); }

std::unique_ptr<SoundThread> startSoundThread(GameEvents& listener) {
    try {
        return std::make_unique<SoundThread>(listener);
    } catch (const std::system_error&) {
        return nullptr;
    }
}

void SoundThread::push(const Event& event) {
    // Only the game's thread writes `stopping`, so it reads it unlocked.
    if (stopping) return;
    std::lock_guard<std::mutex> guard(lock);
    queue.push_back(event);
}

void SoundThread::shellFired(const Vec3& muzzle) { push({Event::ShellFired, 0, 0, muzzle, {}}); }

void SoundThread::missileLaunched(int missile, const Vec3& at) {
    push({Event::MissileLaunched, missile, 0, at, {}});
}

void SoundThread::enemyShellFired(const Vec3& at) { push({Event::EnemyShellFired, 0, 0, at, {}}); }

void SoundThread::projectileRemoved(int slot, int kind, const Vec3& at) {
    push({Event::ProjectileRemoved, slot, kind, at, {}});
}

void SoundThread::explosionStarted(int type, const Vec3& at) {
    push({Event::ExplosionStarted, type, 0, at, {}});
}

void SoundThread::enemyDamaged(int hitKind, const Vec3& at) {
    push({Event::EnemyDamaged, hitKind, 0, at, {}});
}

void SoundThread::playerHit(const Vec3& at) { push({Event::PlayerHit, 0, 0, at, {}}); }

void SoundThread::startClicked() { push({Event::StartClicked, 0, 0, {}, {}}); }

void SoundThread::tickEnded(const TickView& view) { push({Event::TickEnded, 0, 0, {}, view}); }

void SoundThread::muteToggled() { push({Event::MuteToggled, 0, 0, {}, {}}); }

void SoundThread::pauseChanged(bool paused) {
    push({Event::PauseChanged, paused ? 1 : 0, 0, {}, {}});
}

void SoundThread::programEnding() {
    const bool first = !stopping;
    finish();
    if (first) listener.programEnding();
}

void SoundThread::finish() {
    if (!worker.joinable()) return;
    {
        std::lock_guard<std::mutex> guard(lock);
        stopping = true;
    }
    wake.notify_one();
    worker.join();
}

void SoundThread::run() {
    std::vector<Event> batch;
    batch.reserve(256);
    for (;;) {
        bool last;
        {
            std::unique_lock<std::mutex> guard(lock);
            wake.wait_for(guard, kHandOnEvery, [this] { return stopping; });
            batch.swap(queue);
            last = stopping;
        }
        for (const Event& event : batch) handOn(event);
        batch.clear();
        if (last) return;
    }
}

void SoundThread::handOn(const Event& e) {
    switch (e.kind) {
        case Event::ShellFired:
            listener.shellFired(e.at);
            break;
        case Event::MissileLaunched:
            listener.missileLaunched(e.number, e.at);
            break;
        case Event::EnemyShellFired:
            listener.enemyShellFired(e.at);
            break;
        case Event::ProjectileRemoved:
            listener.projectileRemoved(e.number, e.other, e.at);
            break;
        case Event::ExplosionStarted:
            listener.explosionStarted(e.number, e.at);
            break;
        case Event::EnemyDamaged:
            listener.enemyDamaged(e.number, e.at);
            break;
        case Event::PlayerHit:
            listener.playerHit(e.at);
            break;
        case Event::StartClicked:
            listener.startClicked();
            break;
        case Event::TickEnded:
            listener.tickEnded(e.view);
            break;
        case Event::MuteToggled:
            listener.muteToggled();
            break;
        case Event::PauseChanged:
            listener.pauseChanged(e.number != 0);
            break;
    }
}
