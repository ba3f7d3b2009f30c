#include "engine/TranspositionTable.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace kelvore::engine {

TranspositionTable::TranspositionTable(std::size_t megabytes) {
    resize(megabytes);
}

void TranspositionTable::Free::operator()(Cluster* p) const {
    std::free(p);
}

void TranspositionTable::resize(std::size_t megabytes) {
    // Aligned to 2 MiB and marked for huge pages where the system offers them: the table is
    // read at random, and with small pages most reads would first miss the address cache.
    constexpr std::size_t kAlign = 2 * 1024 * 1024;
    const std::size_t bytes = std::max<std::size_t>(1, megabytes) * 1024 * 1024;
    const std::size_t rounded = (bytes + kAlign - 1) / kAlign * kAlign;
    table_.reset();
    void* memory = std::aligned_alloc(kAlign, rounded);
    if (!memory) throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    madvise(memory, rounded, MADV_HUGEPAGE);
#endif
    table_.reset(static_cast<Cluster*>(memory));
    clusters_ = bytes / sizeof(Cluster);
    clear();
}

void TranspositionTable::clear() {
    std::memset(static_cast<void*>(table_.get()), 0, clusters_ * sizeof(Cluster));
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
