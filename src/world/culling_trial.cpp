#include "world/culling_trial.h"

#include <algorithm>

namespace {

// The median: one frame disturbed by another process cannot tip the choice.
double median(std::vector<double> times) {
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    return times[times.size() / 2];
}

}  // namespace

bool CullingTrial::record(bool skipHidden, double seconds) {
    if (ended_) return faster_;
    times_[skipHidden ? 1 : 0].push_back(seconds);
    if (times_[0].size() < kFramesPerWay || times_[1].size() < kFramesPerWay) return true;
    ended_ = true;
    faster_ = median(times_[1]) <= median(times_[0]);
    times_[0] = {};
    times_[1] = {};
    return faster_;
}
