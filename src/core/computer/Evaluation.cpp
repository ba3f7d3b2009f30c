// The score of one candidate move of the computer, read from the influence maps of the
// position after the move. One ply only: everything the computer knows of the human's reply
// is in these terms. Scores are in tenths: 10 is one point; higher is better for the computer.
#include "Form1.h"

#include <cstdlib>

namespace kelvore {

using namespace piece;

namespace {

constexpr int kPoint = 10;

} // namespace

Form1::Score Form1::盤評価(int 取得駒, int 移動駒, int 移動元X, int 移動元Y, int 移動先X,
                           int 移動先Y) {
    const int captured = 取得駒, placed = 移動駒;
    const int fx = 移動元X, fy = 移動元Y, tx = 移動先X, ty = 移動先Y;
    const Pos king = ManKingPos, prince = ManPrincePos;
    Score S = 0;

    // 1. Decisive captures.
    if (captured == -OU && prince.X == 0) return 9999 * kPoint;
    if (captured == -KO && king.X == 0) return 9999 * kPoint;

    // 2. The computer's last royal piece left in check.
    if (NegAttackCount[ComKingPos.X][ComKingPos.Y] > 0 && ComPrincePos.X == 0)
        return -9999 * kPoint;
    if (NegAttackCount[ComPrincePos.X][ComPrincePos.Y] > 0 && ComKingPos.X == 0)
        return -9999 * kPoint;

    // 3. Check given.
    if (PosAttackCount[king.X][king.Y] > 0 || PosAttackCount[prince.X][prince.Y] > 0) {
        if (詰めかMAN() == 1) return placed == HU ? -9998 * kPoint : 9998 * kPoint;
        if ((NegThreatValue[tx][ty] == -OU || NegThreatValue[tx][ty] == -KO) &&
            PosAttackCount[tx][ty] > 0)
            S += 50 * kPoint;
        if (NegAttackCount[tx][ty] < 3 && PosGuardValue[tx][ty] == RYU) {
            const int gx = PosGuardX[tx][ty], gy = PosGuardY[tx][ty];
            auto dragonBeside = [&](Pos r) {
                return tx != r.X && ty != r.Y && std::abs(tx - r.X) < 2 && std::abs(ty - r.Y) < 2 &&
                       (gx == r.X || gy == r.Y);
            };
            if (dragonBeside(king) || dragonBeside(prince)) S += 900 * kPoint;
        }
        if (NegAttackCount[tx][ty] == 0) S += 10 * kPoint;
    }

    // 4. Kind of move.
    if (fx < 0)
        S -= 5 * kPoint;
    else if (placed > MovingPiece)
        S += 10 * kPoint;

    // 5. Danger squares.
    S += 盤評価_COM危険座標(placed, tx, ty);

    if (ComLevel < 2) return S;

    // 6. Approach to the human's king.
    {
        const int dx = std::abs(tx - king.X), dy = std::abs(ty - king.Y);
        if (dx > dy) {
            if (dx < KingDistanceBefore) S += 1 * kPoint;
        } else if (dy < KingDistanceBefore) {
            S += 1;
        }
    }

    // 7. Winning a pinned attacker.
    {
        const int ax = NegThreatX[tx][ty], ay = NegThreatY[tx][ty];
        const int nacTo = NegAttackCount[tx][ty];
        const bool countsFit = nacTo == 1 || (nacTo == 2 && PosAttackCount[king.X][king.Y] > 0 &&
                                              PosAttackCount[tx][ty] > 0);
        const bool lieDifferently =
            (ax == king.X && tx != king.X) || (ay == king.Y && ty != king.Y) ||
            ((tx == king.X || ty == king.Y) && ax != king.X && ay != king.Y);
        if (NegAttackCount[ax][ay] > 0 && NegImmovable[ax][ay] == 1 && countsFit &&
            lieDifferently && 移動チェック(tx, ty, ax, ay, MovingPiece) == 1) {
            if (fx < 0) {
                S += std::abs(Board[ax][ay]) * kPoint;
            } else {
                const int px = PosThreatXBefore[ax][ay], py = PosThreatYBefore[ax][ay];
                if (Board[px][py] != EMPTY) S += std::abs(Board[ax][ay]) * kPoint;
            }
        }
    }

    // 8. Safety of the destination.
    const int threat = std::abs(NegThreatValue[tx][ty]);
    if (NegAttackCount[tx][ty] == 0) {
        if (placed != KAKU && placed != UMA && placed != OU && placed != HU)
            S -= 盤評価_自角注意_COM(tx, ty, placed) * kPoint;
        const bool bigOrLance = placed == KYOU || (placed >= KAKU && placed <= RYU);
        if (bigOrLance || (std::abs(tx - king.X) < 3 && std::abs(ty - king.Y) < 3)) {
            const int now = 調査_自王逃道();
            if (ManKingEscapesBefore > now) S += (ManKingEscapesBefore - now) * kPoint;
        } else if (std::abs(tx - prince.X) < 3 && std::abs(ty - prince.Y) < 3) {
            const int now = 調査_自子逃道();
            if (ManPrinceEscapesBefore > now) S += (ManPrinceEscapesBefore - now) * kPoint;
        }
    } else if (PosAttackCount[tx][ty] > 0) {
        if ((OwnHand[4] > 0 || OwnHand[5] > 0) && tx > 1 && tx < 9) {
            const int left = Board[tx - 1][ty], right = Board[tx + 1][ty];
            if (((left == -SYA || left == -RYU) && right == OU) ||
                ((right == -SYA || right == -RYU) && left == OU))
                S -= placed * kPoint;
        }
        if (placed > threat) S += (threat - placed) * kPoint;
        if (NegThreatValue[tx][ty] == -OU && ty < king.Y && PosAttackCount[tx][ty] > 0)
            S += placed * kPoint;
    } else if (fx < 0) {
        S -= (placed + 50) * kPoint;
    }

    // 9. A lance of the human in its corner.
    if (Board[tx][9] == -KYOU && (tx == 1 || tx == 9) && placed != KYOU && placed != SYA &&
        placed != RYU && fx != tx)
        S -= 1;

    // 10. What the capture is worth.
    if (captured != 0) {
        if (NegAttackCount[tx][ty] == 0) {
            S += std::abs(captured) * kPoint;
            if (captured == -TO || captured == -NKYOU || captured == -NKEI) S += 50 * kPoint;
            if (captured == -OU || captured == -KO || captured == -ZOU) S += 300 * kPoint;
        } else if (PosAttackCount[tx][ty] > 0) {
            if (placed < threat) S += std::abs(captured) * kPoint;
        } else if (NegAttackCountBefore[fx][fy] > 0 && 調査_移動可場所数(fx, fy, placed) == 0) {
            S += std::abs(captured) * kPoint;
        }
    }

    // 11. Piece-kind strategy.
    if (ComLevel >= 3) return 盤評価_戦略(S, captured, placed, fx, fy, tx, ty);
    return S;
}

} // namespace kelvore
