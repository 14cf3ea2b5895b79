#pragma once
// Skipping hidden ground costs CPU time to decide and saves drawing time; a
// fast graphics card draws the whole ground in less time than the deciding
// takes. Both ways give the same picture, so the game times both over its
// first frames of play, taken in turns, and keeps the faster.
#include <vector>

class CullingTrial {
public:
    static constexpr int kFramesPerWay = 15;

    void start() { started_ = true; }
    // Whether the next frame is to be timed: the trial has started and not
    // ended, and no tile build is under way (collecting one costs time that
    // belongs to neither way).
    bool measuring(bool buildBusy) const { return started_ && !ended_ && !buildBusy; }
    // The way to time next: true to skip hidden ground.
    bool nextWay() const { return times_[1].size() <= times_[0].size(); }
    // Records one timed frame; returns the way to draw from now on (the
    // faster one once both have their frames, skipping until then).
    bool record(bool skipHidden, double seconds);
    bool ended() const { return ended_; }

private:
    bool started_ = false, ended_ = false, faster_ = true;
    std::vector<double> times_[2];  // per way: [0] drawing all, [1] skipping hidden
};
