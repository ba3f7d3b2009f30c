// Turning the board by half a turn: the side that played from the top plays from the bottom.
#include "Form1.h"

#include <cstring>
#include <utility>

namespace kelvore {

void Form1::処理_盤反転() {
    Map copy;
    std::memcpy(copy, Board, sizeof(Map));
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) Board[10 - x][10 - y] = -copy[x][y];
    for (int slot = 1; slot <= 7; ++slot) std::swap(OwnHand[slot], EnemyHand[slot]);
    // The totals follow their slots, so that the mate tests and the search read true counts.
    std::swap(OwnHandCount, EnemyHandCount);
}

} // namespace kelvore
