// The random numbers of the position hash, fixed at compile time so that every run, every
// thread and every program hashes a position the same way.
#pragma once

#include "engine/Types.h"

#include <array>
#include <cstdint>

namespace kelvore::engine::zobrist {

// The largest hand count that gets a key of its own; more of one kind than there are pieces
// (a malformed position) share the last key.
constexpr int kMaxHandCount = 31;

struct Keys {
    std::uint64_t piece[PIECE_NB][SQUARE_NB];
    std::uint64_t hand[2][kHandKinds][kMaxHandCount + 1];
    std::uint64_t upperToMove;
};

constexpr std::uint64_t splitmix(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

constexpr Keys makeKeys() {
    Keys k{};
    std::uint64_t state = 0x4B454C564F5245ull; // any fixed seed
    for (auto& row : k.piece)
        for (auto& key : row) key = splitmix(state);
    for (auto& side : k.hand)
        for (auto& kind : side) {
            kind[0] = 0; // an empty slot adds nothing
            for (int n = 1; n <= kMaxHandCount; ++n) kind[n] = splitmix(state);
        }
    k.upperToMove = splitmix(state);
    return k;
}

inline constexpr Keys kKeys = makeKeys();

constexpr std::uint64_t handKey(Color c, int kind, int count) {
    return kKeys.hand[c][kind][count > kMaxHandCount ? kMaxHandCount : count];
}

} // namespace kelvore::engine::zobrist
