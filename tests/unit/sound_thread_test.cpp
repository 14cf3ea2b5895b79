// The sound thread hands every event on, in order and intact, to the
// listener; at the end it hands on what is still queued before it lets the
// listener close, and takes nothing more afterwards. When no thread can be
// started there is none, and no exception.
#include "sound/sound_thread.h"

#include <gtest/gtest.h>
#include <pthread.h>

#include <string>
#include <vector>

namespace {

std::string at(const Vec3& v) {
    return std::to_string(static_cast<int>(v.x)) + "," + std::to_string(static_cast<int>(v.y)) +
           "," + std::to_string(static_cast<int>(v.z));
}

class Recorder : public GameEvents {
public:
    std::vector<std::string> heard;
    void shellFired(const Vec3& m) override { heard.push_back("shell " + at(m)); }
    void missileLaunched(int n, const Vec3& a) override {
        heard.push_back("missile " + std::to_string(n) + " " + at(a));
    }
    void enemyShellFired(const Vec3& a) override { heard.push_back("enemy shell " + at(a)); }
    void projectileRemoved(int slot, int kind, const Vec3& a) override {
        heard.push_back("removed " + std::to_string(slot) + " " + std::to_string(kind) + " " +
                        at(a));
    }
    void explosionStarted(int type, const Vec3& a) override {
        heard.push_back("explosion " + std::to_string(type) + " " + at(a));
    }
    void enemyDamaged(int kind, const Vec3& a) override {
        heard.push_back("damaged " + std::to_string(kind) + " " + at(a));
    }
    void playerHit(const Vec3& a) override { heard.push_back("hit " + at(a)); }
    void startClicked() override { heard.push_back("start"); }
    void tickEnded(const TickView& v) override {
        heard.push_back("tick " + at(v.eye) + " " + at(v.target) + " " +
                        std::to_string(static_cast<int>(v.timeScale)) + " " + at(v.tank) +
                        (v.tankWorking ? " working" : "") +
                        (v.missileFlying[2] ? " flying " : " ") + at(v.missileAt[2]));
    }
    void muteToggled() override { heard.push_back("mute"); }
    void pauseChanged(bool paused) override { heard.push_back(paused ? "pause" : "resume"); }
    void programEnding() override { heard.push_back("end"); }
};

TEST(SoundThread, HandsEveryEventOnInOrderAndEndsAfterTheLast) {
    Recorder recorder;
    TickView view;
    view.eye = {1, 2, 3};
    view.target = {4, 5, 6};
    view.timeScale = 30.0f;
    view.tank = {7, 8, 9};
    view.tankWorking = true;
    view.missileFlying[2] = true;
    view.missileAt[2] = {10, 11, 12};
    {
        SoundThread thread(recorder);
        thread.startClicked();
        thread.shellFired({1, 1, 1});
        thread.missileLaunched(2, {2, 2, 2});
        thread.enemyShellFired({3, 3, 3});
        thread.enemyDamaged(4, {4, 4, 4});
        thread.playerHit({5, 5, 5});
        thread.explosionStarted(21, {6, 6, 6});
        thread.projectileRemoved(32, 2, {7, 7, 7});
        thread.tickEnded(view);
        thread.muteToggled();
        thread.pauseChanged(true);
        thread.pauseChanged(false);
        thread.programEnding();
        thread.shellFired({9, 9, 9});  // after the end: dropped
        thread.programEnding();        // told once
    }
    const std::vector<std::string> expected = {"start",
                                               "shell 1,1,1",
                                               "missile 2 2,2,2",
                                               "enemy shell 3,3,3",
                                               "damaged 4 4,4,4",
                                               "hit 5,5,5",
                                               "explosion 21 6,6,6",
                                               "removed 32 2 7,7,7",
                                               "tick 1,2,3 4,5,6 30 7,8,9 working flying 10,11,12",
                                               "mute",
                                               "pause",
                                               "resume",
                                               "end"};
    EXPECT_EQ(recorder.heard, expected);
}

TEST(SoundThread, NoneWhenTheSystemCannotStartAThread) {
    // New threads ask for a stack larger than the address space.
    pthread_attr_t usual, huge;
    ASSERT_EQ(pthread_getattr_default_np(&usual), 0);
    pthread_attr_init(&huge);
    pthread_attr_setstacksize(&huge, std::size_t(1) << 50);
    ASSERT_EQ(pthread_setattr_default_np(&huge), 0);
    Recorder recorder;
    const bool none = startSoundThread(recorder) == nullptr;
    pthread_setattr_default_np(&usual);
    EXPECT_TRUE(none);
}

}  // namespace
