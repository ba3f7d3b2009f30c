#include "engine/GameEnd.h"

#include "engine/MoveGen.h"

namespace kelvore::engine {

bool isMated(Position& pos) {
    const Color us = pos.sideToMove();
    if (pos.royalCount(us) != 1) return false;
    MvList list;
    generate(pos, list);
    for (const Mv m : list) {
        if (takesLastRoyal(pos, m)) return false;
        pos.make(m);
        const bool safe = !pos.lastRoyalAttacked(us);
        pos.unmake(m);
        if (safe) return false;
    }
    return true;
}

} // namespace kelvore::engine
