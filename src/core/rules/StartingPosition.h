// The starting position: each side's 21 pieces, the elephant directly in front of the king.
#pragma once

#include "rules/Pieces.h"

namespace kelvore {

// Empties the board and places the 42 pieces of the starting position.
inline void placeStartingPosition(int (&board)[10][10]) {
    using namespace piece;
    constexpr int back[10] = {0, KYOU, KEI, GIN, KIN, OU, KIN, GIN, KEI, KYOU};
    for (int x = 0; x <= 9; ++x)
        for (int y = 0; y <= 9; ++y) board[x][y] = EMPTY;
    for (int x = 1; x <= 9; ++x) {
        board[x][1] = back[x];
        board[x][3] = HU;
        board[x][7] = -HU;
        board[x][9] = -back[10 - x];
    }
    board[2][2] = SYA;
    board[5][2] = ZOU;
    board[8][2] = KAKU;
    board[2][8] = -KAKU;
    board[5][8] = -ZOU;
    board[8][8] = -SYA;
}

} // namespace kelvore
