#include "platform/random.h"

#include <cstdint>

namespace rng {

namespace {
thread_local std::uint32_t sequence = 1;
}

void srand(unsigned seed) { sequence = seed; }

unsigned state() { return sequence; }

int rand() {
    sequence = sequence * 214013u + 2531011u;
    return static_cast<int>((sequence >> 16) & 0x7FFF);
}

}  // namespace rng
