#include "app/timing.h"

#include <cmath>

#include "app/globals.h"
#include "platform/clock.h"

// `now` is read once at the start of each tick; the stamps are compared
// against it so every test within one tick sees the same time.
bool elapsedOver(float limit, float stamp) { return now - stamp > limit; }

bool elapsedOver(double limit, double stamp) { return static_cast<double>(now) - stamp > limit; }

void stampTime(float& stamp) { stamp = static_cast<float>(elapsedMilliseconds()); }

void stampTime(double& stamp) { stamp = static_cast<double>(elapsedMilliseconds()); }

bool easeToward(float& value, float goal) {
    if (std::fabs(goal - value) < 0.005f) {
        value = goal;
        return true;
    }
    return false;
}
