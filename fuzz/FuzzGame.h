// What the fuzz targets that play in the window share: the soundness of the game's position,
// checked after every step, and a folder of their own for the files they write.
#pragma once

#include "Form1.h"
#include "rules/Pieces.h"

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace kelvore::fuzz {

// Stops the run when the position is not sound: a hand count below zero, hands that do not
// add up to their totals, or a square holding no piece's code.
inline void checkSound(const Form1& f) {
    int own = 0, enemy = 0;
    for (int s = 1; s <= 7; ++s) {
        if (f.OwnHand[s] < 0 || f.EnemyHand[s] < 0) std::abort();
        own += f.OwnHand[s];
        enemy += f.EnemyHand[s];
    }
    if (own != f.OwnHandCount || enemy != f.EnemyHandCount) std::abort();
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            if (f.Board[x][y] != 0 && !piece::isPieceCode(f.Board[x][y])) std::abort();
}

// A folder made once for the run, under /tmp.
inline const std::string& scratchFolder() {
    static const std::string dir = [] {
        char pattern[] = "/tmp/kelvore-fuzz-XXXXXX";
        return std::string(mkdtemp(pattern));
    }();
    return dir;
}

} // namespace kelvore::fuzz
