// The transposition table: what earlier searches learnt about a position (best move, score and
// the kind of bound it is, depth, static evaluation), found again by the position's hash.
// Clusters of four entries fill one cache line; a new result replaces the shallowest or oldest.
#pragma once

#include "engine/Types.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace kelvore::engine {

enum Bound : std::uint8_t { BOUND_NONE = 0, BOUND_UPPER = 1, BOUND_LOWER = 2, BOUND_EXACT = 3 };

struct TTEntry {
    std::uint32_t check; // the upper half of the key
    std::uint32_t move;
    std::int16_t score;
    std::int16_t eval;
    std::int8_t depth;
    std::uint8_t genBound; // generation << 2 | bound

    Bound bound() const { return Bound(genBound & 3); }
    Mv bestMove() const { return Mv{move}; }
};

class TranspositionTable {
public:
    explicit TranspositionTable(std::size_t megabytes);
    void resize(std::size_t megabytes);
    void clear();
    // A new search begins: entries from earlier ones become first to be replaced.
    void newSearch() { generation_ = std::uint8_t((generation_ + 1) & 63); }

    // The entry of the key, or nullptr.
    const TTEntry* probe(std::uint64_t key) const;
    void store(std::uint64_t key, Mv move, int score, int eval, int depth, Bound bound);

    // Starts loading the key's cluster into the cache.
    void prefetch(std::uint64_t key) const { __builtin_prefetch(clusterOf(key)); }

private:
    struct alignas(64) Cluster {
        TTEntry entries[4];
    };
    Cluster* clusterOf(std::uint64_t key) const {
        return &table_[(key & 0xFFFFFFFFull) * clusters_ >> 32];
    }

    struct Free {
        void operator()(Cluster* p) const;
    };
    std::unique_ptr<Cluster[], Free> table_;
    std::size_t clusters_ = 0;
    std::uint8_t generation_ = 0;
};

} // namespace kelvore::engine
