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

bool samePosition(const GameSnapshot& a, const GameSnapshot& b) {
    return std::memcmp(a.board, b.board, sizeof a.board) == 0 &&
           std::memcmp(a.lowerHand, b.lowerHand, sizeof a.lowerHand) == 0 &&
           std::memcmp(a.upperHand, b.upperHand, sizeof a.upperHand) == 0 &&
           a.sideToMove == b.sideToMove;
}

} // namespace kelvore::engine
