#pragma once
// Runs the sound on a thread of its own. The game's thread only puts each
// event in a queue, so it never waits on the sound library (which locks
// against its mixer) and spends next to nothing per tick; the sound thread
// hands the events, in order, to the listener that turns them into sound.
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "game/game_events.h"

class SoundThread : public GameEvents {
public:
    // `listener` hears every event on the sound thread, in the order the
    // game told them.
    explicit SoundThread(GameEvents& listener);
    ~SoundThread() override;

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
    // Hands on everything still queued, stops the thread, then tells the
    // listener on the calling thread and returns once it has answered (the
    // sound has faded out and the device is closed).
    void programEnding() override;

    struct Event {
        enum Kind {
            ShellFired,
            MissileLaunched,
            EnemyShellFired,
            ProjectileRemoved,
            ExplosionStarted,
            EnemyDamaged,
            PlayerHit,
            StartClicked,
            TickEnded,
            MuteToggled,
            PauseChanged
        } kind;
        int number = 0, other = 0;
        Vec3 at;
        TickView view;
    };

private:
    void push(const Event& event);
    void run();
    void handOn(const Event& event);
    void finish();

    GameEvents& listener;
    std::mutex lock;
    std::condition_variable wake;
    std::vector<Event> queue;  // filled by the game, emptied by the sound thread
    bool stopping = false;     // written by the game's thread only
    std::thread worker;
};

// A sound thread for `listener`, or nullptr when the system cannot start one
// more thread: the game then plays on without sound.
std::unique_ptr<SoundThread> startSoundThread(GameEvents& listener);
