// The risks a candidate move leaves in the computer's position: its weak squares and pieces,
// the forks the human could play, and the pressure it puts on the human's pieces. Scores are
// in tenths: 10 is one point.
#include "Form1.h"

#include <cstdlib>

namespace kelvore {

using namespace piece;

namespace {

constexpr int kPoint = 10; // one point in tenths

} // namespace

Form1::Score Form1::盤評価_COM危険座標(int 移動駒, int 移動先X, int 移動先Y) {
    Score d = 0;
    int count = 0;
    int cheapest = 9999;
    const bool humanHasSilverOrGold = OwnHand[4] > 0 || OwnHand[5] > 0;

    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int v = Board[x][y];
            const int nac = NegAttackCount[x][y];
            const int pac = PosAttackCount[x][y];

            if (v == EMPTY) {
                // A.1: squares the human attacks.
                if (nac > 0) {
                    if (std::abs(x - ComKingPos.X) < 2 && std::abs(y - ComKingPos.Y) < 2) {
                        d -= 5 * nac;
                        if (pac == 1 && nac > 1) d -= 10 * kPoint;
                        if (humanHasSilverOrGold) d -= 10 * kPoint;
                    }
                    if (pac == 0 && y < 4) {
                        d -= 1;
                        if (調査_自守駒MAN_直進駒(x, y) == 1) d -= 10 * kPoint;
                    }
                    if (y < 4 && Board[x][y + 1] == -HU && nac >= pac) {
                        d -= 30 * kPoint;
                        if (調査_自守駒MAN_直進駒(x, y + 1) == 1) d -= 70 * kPoint;
                    }
                }
                // A.2: a lance dropped here would skewer a big piece up the file.
                if (OwnHandCount > 0 && OwnHand[2] > 0 && y > 2 && Board[x][y - 1] > KYOU &&
                    (pac == 0 || nac > 0)) {
                    for (int k = y - 2; k >= 1; --k) {
                        if (Board[x][k] == EMPTY) continue;
                        if (Board[x][k] > KYOU) d -= 100 * kPoint + Board[x][k] * kPoint / 2;
                        break;
                    }
                }
                // A.3: a knight dropped here would fork two pieces.
                if (OwnHand[3] > 0 && (pac == 0 || (nac > 0 && PosThreatValue[x][y] > 30)) &&
                    y > 2 && x > 1 && x < 9 && Board[x - 1][y - 2] > HU && Board[x + 1][y - 2] > HU)
                    d -= 20 * kPoint;
                // A.4: a silver or gold dropped among the computer's big pieces.
                if (humanHasSilverOrGold) {
                    if (pac <= 1 && 調査_周辺状況(x, y) < -1) d -= 5 * kPoint;
                    if (pac == 0 && 調査_周辺状況(x, y) < 0) {
                        d -= 1 * kPoint;
                        if (y < 4) d -= 10 * kPoint;
                    }
                }
                // A.5: squares the computer does not defend.
                if (pac == 0) {
                    if (y == 2 && Board[x][1] == KEI) d -= 5 * kPoint;
                    if (y < 4) d -= 1;
                    if (OwnHand[4] > 0 && x > 1 && x < 9 && y > 1 && y < 9) {
                        if (Board[x - 1][y - 1] >= HU && Board[x + 1][y + 1] >= HU &&
                            PosAttackCount[x - 1][y - 1] == 0 && PosAttackCount[x + 1][y + 1] == 0)
                            d -= 20 * kPoint;
                        if (Board[x - 1][y + 1] >= HU && Board[x + 1][y - 1] >= HU &&
                            PosAttackCount[x - 1][y + 1] == 0 && PosAttackCount[x + 1][y - 1] == 0)
                            d -= 20 * kPoint;
                    }
                }
            } else if (v >= HU) {
                const int threat = std::abs(NegThreatValue[x][y]);
                // B.1: the king on its first rank with the square in front attacked.
                if (v == OU && y == 1 && NegAttackCount[x][2] > 0) {
                    d -= 50 * kPoint;
                    if (NegAttackCount[x][2] >= PosAttackCount[x][2]) d -= 250 * kPoint;
                    if (humanHasSilverOrGold) d -= 700 * kPoint;
                }
                // B.2: a pawn held by the human's rook.
                if (v == HU && NegThreatValue[x][y] == -SYA && OwnHand[1] > 0 && nac >= pac &&
                    y < 9 && PosAttackCount[x][y + 1] == 1)
                    d -= 5 * kPoint;
                // B.3: pieces the human attacks.
                if (nac > 0) {
                    const int ax = NegThreatX[x][y], ay = NegThreatY[x][y];
                    if (PosGuardValue[x][y] == OU && (nac > 1 || v > threat)) d -= 100 * kPoint;
                    if (NegImmovable[ax][ay] == 0 && v > threat) d += (threat - v) * kPoint;
                    if (pac > 0 && NegImmovable[ax][ay] == 0) {
                        if (nac > pac && PosGuardValue[x][y] >= threat) d -= v * kPoint;
                        if (y <= 3 && pac == nac && Board[x][y + 1] != EMPTY &&
                            調査_自守駒MAN_直進駒(x, y + 1) == 1)
                            d -= (v + std::abs(NegThreatValue[x][y + 1])) * kPoint;
                    }
                    if (pac == 0) {
                        d -= v * kPoint;
                        if (y <= 3) d -= 10 * kPoint;
                        if (BoardBackup[x][y] <= -HU) d += std::abs(BoardBackup[x][y]) * kPoint;
                        if (y < 4 && (NegThreatValue[x][y] == -HU || NegThreatValue[x][y] == -KYOU))
                            d -= 20 * kPoint;
                    }
                }
            } else {
                // C: pieces of the human.
                if (PosAttackCountBefore[x][y] == 0 && pac > 0) {
                    if (v == -KEI && y > 2 && NegAttackCount[x][y - 1] == 0 &&
                        (Board[x][y - 1] == GIN || Board[x][y - 1] == RYU ||
                         Board[x][y - 1] == UMA))
                        d += 1 * kPoint;
                    if (std::abs(x - ComKingPos.X) < 3 && std::abs(y - ComKingPos.Y) < 3)
                        d += 15 * kPoint;
                }
                if (v == -KEI && y > 4 && Board[x][y - 4] >= GIN) {
                    if (x > 1 && Board[x - 1][y - 2] > -HU && PosAttackCount[x - 1][y - 2] == 0)
                        d -= 1 * kPoint;
                    if (x < 9 && Board[x + 1][y - 2] > -HU && PosAttackCount[x + 1][y - 2] == 0)
                        d -= 1 * kPoint;
                } else if ((v == -SYA || v == -RYU || v == -KYOU) && x == ComKingPos.X) {
                    d -= 1 * kPoint;
                }
                // C.4: the candidate attacks an undefended piece (or the king) from safety.
                if (NegAttackCount[移動先X][移動先Y] == 0 &&
                    (nac == 0 || (x == ManKingPos.X && y == ManKingPos.Y)) &&
                    移動チェック(移動先X, 移動先Y, x, y, 移動駒) == 1) {
                    d += 1;
                    ++count;
                    if (std::abs(v) < cheapest) cheapest = std::abs(v);
                }
            }
        }
    if (count > 1) d += cheapest * kPoint;
    return d;
}

// The placed piece's value when a bishop of the human could fork it with the computer's king.
int Form1::盤評価_自角注意_COM(int 移動先X, int 移動先Y, int 移動駒) {
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            if (BishopCheckSquares[x][y] != 1) continue;
            if (移動チェック(移動先X, 移動先Y, x, y, -KAKU) != 1 &&
                移動チェック(移動先X, 移動先Y, x, y, -UMA) != 1)
                continue;
            // The first such square decides.
            for (int bx = 1; bx <= 9; ++bx)
                for (int by = 1; by <= 9; ++by) {
                    const int c = Board[bx][by];
                    if ((c == -KAKU || c == -UMA) && 移動チェック(bx, by, x, y, c) == 1)
                        return 移動駒;
                }
            if (OwnHand[6] > 0 && 移動チェック(-1, 6, x, y, -KAKU) == 1) return 移動駒;
            return 0;
        }
    return 0;
}

} // namespace kelvore
