// Small board scans, each answering one tactical question for the computer's evaluation.
// They read the board and the maps of the last influence survey.
#include "Form1.h"

#include <cstdlib>

namespace kelvore {

using namespace piece;

namespace {

constexpr bool isBigLowerPiece(int code) {
    return code >= -RYU && code <= -KAKU;
}

} // namespace

// Destinations the piece could move to from (x, y) that the other side does not attack.
int Form1::調査_移動可場所数(int x, int y, int 駒) {
    int count = 0;
    for (int tx = 1; tx <= 9; ++tx)
        for (int ty = 1; ty <= 9; ++ty) {
            if (移動チェック(x, y, tx, ty, 駒) != 1) continue;
            if (駒 >= HU ? NegAttackCount[tx][ty] == 0 : PosAttackCount[tx][ty] == 0) ++count;
        }
    return count;
}

// A computer pawn or lance on (x, y) attacked by a big piece of the human: a knight dropped
// two rows behind it, beside it, would attack both that square and a big piece beside it.
int Form1::調査_桂狙い(int x, int y) {
    if (!isBigLowerPiece(NegThreatValue[x][y]) || y <= 5) return 0;
    int result = 0;
    if (x > 2 && Board[x - 1][y - 2] == EMPTY && NegAttackCount[x - 1][y - 2] == 0 &&
        Board[x - 2][y] <= -KAKU && NegThreatX[x][y] != x - 2)
        result += std::abs(Board[x - 2][y]);
    if (x < 8 && Board[x + 1][y - 2] == EMPTY && NegAttackCount[x + 1][y - 2] == 0 &&
        Board[x + 2][y] <= -KAKU && NegThreatX[x][y] != x + 2)
        result += std::abs(Board[x + 2][y]);
    return result;
}

// A computer pawn deep in the human's camp, attacked by a big piece: what a lance standing
// on the pawn's square could take down the file.
int Form1::調査_香狙い(int x, int y) {
    if (y <= 6 || PosAttackCount[x][y - 1] <= 0 || NegAttackCount[x][y - 1] != 0 ||
        !isBigLowerPiece(NegThreatValue[x][y]))
        return 0;
    for (int k = y + 1; k <= 9; ++k) {
        if (Board[x][k] == EMPTY) continue;
        return 移動チェック(x, y, x, k, KYOU) == 1 ? std::abs(Board[x][k]) : 0;
    }
    return 0;
}

// 1 when, with (x, y) emptied, a lance, rook or dragon of the human further down the file
// could move up onto (x, y).
int Form1::調査_自守駒MAN_直進駒(int x, int y) {
    const int saved = Board[x][y];
    Board[x][y] = EMPTY;
    int result = 0;
    for (int k = y + 1; k <= 9; ++k) {
        const int c = Board[x][k];
        if (c >= HU) break;
        if (c == -KYOU || c == -SYA || c == -RYU) {
            result = 移動チェック(x, k, x, y, c) == 1 ? 1 : 0;
            break;
        }
    }
    Board[x][y] = saved;
    return result;
}

// The empty squares from which a bishop of the human would attack the computer's king, where
// the computer does not defend them, or defends them only once right beside its king.
void Form1::調査_持角狙座標() {
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            BishopCheckSquares[x][y] = 0;
            if (Board[x][y] != EMPTY) continue;
            const bool besideKing =
                std::abs(x - ComKingPos.X) < 2 && std::abs(y - ComKingPos.Y) < 2;
            const bool weak =
                PosAttackCount[x][y] == 0 || (PosAttackCount[x][y] == 1 && besideKing);
            if (weak && 移動チェック(x, y, ComKingPos.X, ComKingPos.Y, -KAKU) == 1)
                BishopCheckSquares[x][y] = 1;
        }
}

// Minus the number of the computer's big pieces (800 and above) around (x, y).
int Form1::調査_周辺状況(int x, int y) {
    int result = 0;
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy) {
            if (dx == 0 && dy == 0) continue;
            const int i = x + dx, j = y + dy;
            if (i < 1 || i > 9 || j < 1 || j > 9) continue;
            if (Board[i][j] >= KAKU) --result;
        }
    return result;
}

} // namespace kelvore
