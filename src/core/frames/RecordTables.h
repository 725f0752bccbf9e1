#pragma once

#include "core/recorder/StoredDate.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <optional>
#include <utility>

namespace zurval {

// Turns a ring into a list that begins with entry `first`. Each entry is moved once, by
// following the cycles of the rotation, so no second table is needed.
template <class Record, std::size_t N>
void startRingAt(std::array<Record, N>& ring, std::size_t first) {
    first %= N;
    if (first == 0)
        return;
    const std::size_t cycles = std::gcd(N, first);
    for (std::size_t start = 0; start < cycles; ++start) {
        Record held = std::move(ring[start]);
        std::size_t to = start;
        for (std::size_t from = (start + first) % N; from != start; from = (from + first) % N) {
            ring[to] = std::move(ring[from]);
            to = from;
        }
        ring[to] = std::move(held);
    }
}

// FrameSelection and OverloadSelection: positions into their list, in list order. Only the
// first count() are in use; an entry past them is a reset entry. The table has the list's
// capacity and is overwritten in place.
template <class Record, std::size_t N> class Selection {
    static_assert(N <= 0x10000, "a position must fit 16 bits");

public:
    using List = std::array<Record, N>;

    [[nodiscard]] int count() const { return count_; }
    // The list position of entry k, which must be below count().
    [[nodiscard]] int position(int k) const { return positions_[static_cast<std::size_t>(k)]; }
    // Entry k as shown: the list's record, or a reset entry past the count.
    [[nodiscard]] const Record& entry(const List& list, int k) const {
        static const Record reset{};
        return k >= 0 && k < count_ ? list[positions_[static_cast<std::size_t>(k)]] : reset;
    }

    void clear() { count_ = 0; }
    void add(int position) {
        positions_[static_cast<std::size_t>(count_++)] = static_cast<std::uint16_t>(position);
    }
    // Every position in list order, as after opening.
    void selectAll() {
        std::iota(positions_.begin(), positions_.end(), std::uint16_t{0});
        count_ = static_cast<int>(N);
    }

private:
    std::array<std::uint16_t, N> positions_{};
    int count_ = 0;
};

} // namespace zurval
