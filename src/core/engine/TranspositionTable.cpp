#include "engine/TranspositionTable.h"

#include <algorithm>

namespace kelvore::engine {

TranspositionTable::TranspositionTable(std::size_t megabytes) {
    resize(megabytes);
}

void TranspositionTable::resize(std::size_t megabytes) {
    const std::size_t clusters =
        std::max<std::size_t>(1, megabytes * 1024 * 1024 / sizeof(Cluster));
    table_.assign(clusters, Cluster{});
    generation_ = 0;
}

void TranspositionTable::clear() {
    std::fill(table_.begin(), table_.end(), Cluster{});
    generation_ = 0;
}

const TTEntry* TranspositionTable::probe(std::uint64_t key) const {
    const std::uint32_t check = std::uint32_t(key >> 32);
    const Cluster* c = clusterOf(key);
    for (const TTEntry& e : c->entries)
        if (e.check == check && e.bound() != BOUND_NONE) return &e;
    return nullptr;
}

void TranspositionTable::store(std::uint64_t key, Mv move, int score, int eval, int depth,
                               Bound bound) {
    const std::uint32_t check = std::uint32_t(key >> 32);
    Cluster* c = clusterOf(key);
    TTEntry* replace = &c->entries[0];
    for (TTEntry& e : c->entries) {
        if (e.check == check || e.bound() == BOUND_NONE) {
            replace = &e;
            break;
        }
        // Prefer to replace an entry of an older search, then a shallower one.
        auto worth = [&](const TTEntry& t) {
            const int age = (generation_ - (t.genBound >> 2)) & 63;
            return t.depth - 8 * age;
        };
        if (worth(e) < worth(*replace)) replace = &e;
    }
    // Keep the move of an earlier result for the same position when this one has none.
    if (move.isNone() && replace->check == check) move = replace->bestMove();
    if (replace->check == check && bound != BOUND_EXACT && depth + 2 < replace->depth &&
        (replace->genBound >> 2) == generation_)
        return; // a much deeper result of this search is worth more
    replace->check = check;
    replace->move = move.v;
    replace->score = std::int16_t(score);
    replace->eval = std::int16_t(eval);
    replace->depth = std::int8_t(std::clamp(depth, -1, 127));
    replace->genBound = std::uint8_t(generation_ << 2 | bound);
}

} // namespace kelvore::engine
