#include "engine/Snapshot.h"

#include <cstring>

namespace kelvore::engine {

GameSnapshot snapshotOf(const Form1& f, int sideToMove) {
    GameSnapshot s;
    std::memcpy(s.board, f.Board, sizeof s.board);
    std::memcpy(s.lowerHand, f.OwnHand, sizeof s.lowerHand);
    std::memcpy(s.upperHand, f.EnemyHand, sizeof s.upperHand);
    s.sideToMove = sideToMove < 0 ? -1 : 1;
    return s;
}

} // namespace kelvore::engine
