#pragma once
// Slot tables own their objects and leave a slot empty when it holds none.
#include <cstddef>
#include <memory>

// The lowest empty slot from `first` to `last` (both included), or -1 when
// every one of them is taken.
template <typename T, std::size_t N>
int firstEmptySlot(const std::unique_ptr<T> (&table)[N], int first = 0,
                   int last = static_cast<int>(N) - 1) {
    for (int i = first; i <= last; ++i) {
        if (!table[i]) return i;
    }
    return -1;
}
