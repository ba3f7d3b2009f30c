// Pieces that stand between their own king and an enemy long-range piece: lifting one off the
// board would let that piece reach the king. Lower pieces are marked on NegImmovable; for the
// upper side only a flag is raised. Only the kings are protected, never the princes.
#include "Form1.h"

namespace kelvore {

using namespace piece;

namespace {

constexpr bool isUpperLongRange(int c) {
    return c == KYOU || c == KAKU || c == UMA || c == SYA || c == RYU;
}
constexpr bool isLowerLongRange(int c) {
    return isUpperLongRange(-c);
}

} // namespace

void Form1::調査_移動不可駒() {
    PosImmovableFlag = 0;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            NegImmovable[x][y] = 0;
            const int s = Board[x][y];
            if (s == KARA) continue;
            Board[x][y] = KARA;
            if (s <= -HU) {
                for (int i = 1; i <= 9; ++i)
                    for (int j = 1; j <= 9; ++j)
                        if (isUpperLongRange(Board[i][j]) &&
                            移動チェック(i, j, ManKingPos.X, ManKingPos.Y, Board[i][j]) == 1)
                            NegImmovable[x][y] = 1;
            } else {
                for (int i = 1; i <= 9; ++i)
                    for (int j = 1; j <= 9; ++j)
                        if (isLowerLongRange(Board[i][j]) &&
                            移動チェック(i, j, ComKingPos.X, ComKingPos.Y, Board[i][j]) == 1)
                            PosImmovableFlag = 1;
            }
            Board[x][y] = s;
        }
}

} // namespace kelvore
