// The computer's opening knowledge, applied at level 3 as the last step of the evaluation: one
// block of rules chosen by the piece that now stands on the to-square. Some rules end the
// evaluation at once with the running score plus or minus a bonus. Scores are in tenths.
#include "Form1.h"

#include <cstdlib>

namespace kelvore {

using namespace piece;

namespace {

constexpr int kPoint = 10;

} // namespace

Form1::Score Form1::盤評価_戦略(Score S, int 取得駒, int 移動駒, int 移動元X, int 移動元Y,
                                int 移動先X, int 移動先Y) {
    const int tx = 移動先X, ty = 移動先Y, fx = 移動元X, fy = 移動元Y;
    const int captured = 取得駒;
    auto pac = [this](int x, int y) { return PosAttackCount[x][y]; };
    auto nac = [this](int x, int y) { return NegAttackCount[x][y]; };

    switch (移動駒) {
    case HU: {
        if (EnemyHand[2] > 0) S += 調査_香狙い(tx, ty) * kPoint;
        if (EnemyHand[3] > 0) S += 調査_桂狙い(tx, ty) * kPoint;
        if (ty < 9) {
            const int front = Board[tx][ty + 1];
            if (front == KIN)
                S += 5;
            else if (front == SYA)
                S -= 1 * kPoint;
            if (front < -HU && 調査_移動可場所数(tx, ty + 1, front) == 0)
                S += std::abs(front) * kPoint;
        }
        if (pac(tx, ty) > 0 && tx > 1 && tx < 9 &&
            (Board[tx - 1][ty] == SYA || Board[tx + 1][ty] == SYA))
            S -= 1 * kPoint;
        if (fx < 0) {
            if (pac(tx, ty) > 0 && ty > 1 && Board[tx][ty - 1] >= GIN &&
                (OwnHand[1] > 0 || OwnHand[2] > 0))
                S += 6 * kPoint;
            if (Board[2][8] == -KAKU && tx == 2 && ty == 7 && (nac(2, 7) != 0 || pac(2, 7) > 0))
                S += 30 * kPoint;
            const int ax = NegThreatX[tx][ty], ay = NegThreatY[tx][ty];
            if (!(PosAttackCountBefore[ax][ay] > 0 && nac(ax, ay) == 0) && pac(tx, ty) > 0 &&
                ax == tx && (NegThreatValue[tx][ty] == -KYOU || NegThreatValue[tx][ty] == -SYA) &&
                ay > ty)
                return S + 120 * kPoint;
        } else if (fx > 0) {
            S -= 1;
            if (PosGuardValue[tx][ty] == KIN || PosGuardValue[tx][ty] == GIN) S += 6;
            if (ty < 8) {
                if (PosGuardValue[tx][ty] == KYOU) {
                    S += 1 * kPoint;
                } else if (PosGuardValue[tx][ty] == SYA && PosGuardX[tx][ty] == tx &&
                           pac(tx, ty) >= nac(tx, ty) && PosGuardY[tx][ty] < ty) {
                    S += 2 * kPoint;
                }
                if (nac(tx, ty + 1) == 0 && Board[tx][ty + 2] <= -KEI) S += 1 * kPoint;
                if (ty < 7) {
                    if (Board[tx][ty + 1] == -HU && nac(tx, ty + 1) > 0) S -= 5 * kPoint;
                    if (tx < 9 && Board[tx + 1][ty] == KAKU) {
                        S += 5;
                        if (Board[tx + 1][ty + 2] == -HU) S += 5 * kPoint;
                    }
                    if (tx > 1) {
                        if (tx == 7 && ty == 4 && Board[8][2] == KAKU) S += 10 * kPoint;
                        if (Board[tx - 1][ty] == KAKU) {
                            S += 5;
                            if (Board[tx - 1][ty + 2] == -HU) S += 5 * kPoint;
                        }
                    }
                }
            }
            if (captured <= -HU && pac(fx, fy) == 1) {
                if (ty > 2 && NegThreatValue[tx][ty] == -KYOU && Board[tx][ty - 2] == KAKU)
                    S -= 5 * kPoint;
                else
                    S += 5 * kPoint;
            }
            if (captured == -HU &&
                (NegThreatValue[tx][ty] == -KYOU || NegThreatValue[tx][ty] == -SYA) &&
                pac(fx, fy) < 2)
                S += 50 * kPoint;
            if (ty < 9 && Board[tx][ty + 1] <= -HU) {
                if (pac(tx, ty) > nac(tx, ty)) return S + 1 * kPoint;
                if (Board[tx][ty + 1] == -HU) return S - 5 * kPoint;
                if (pac(tx, ty) > 0) {
                    if (PosAttackCountBefore[tx][ty + 1] > 0 &&
                        NegAttackCountBefore[tx][ty + 1] == 0)
                        return S - 1 * kPoint;
                    if (pac(tx, ty) >= nac(tx, ty)) return S + 5 * kPoint;
                }
                if (pac(tx, ty) == 0 && nac(tx, ty) == 0) return S + 1 * kPoint;
            }
        }
        break;
    }
    case TO:
        if (pac(tx, ty) >= nac(tx, ty)) return S + 1 * kPoint;
        break;
    case KYOU: {
        if (EnemyHand[3] > 0) S += 調査_桂狙い(tx, ty) * kPoint;
        if (fx == -1 && ty < 8) {
            if (OwnHand[1] > 0 && nac(tx, ty + 1) > 0 && nac(tx, ty) == 0) S -= 10 * kPoint;
            if (Board[tx][ty + 1] <= -KYOU && (nac(tx, ty) == 0 || pac(tx, ty) >= nac(tx, ty))) {
                for (int y = ty + 2; y <= 9; ++y) {
                    if (Board[tx][y] == EMPTY) continue;
                    if (移動チェック(tx, ty + 1, tx, y, KYOU) == 1 && Board[tx][y] < -KYOU)
                        return S + std::abs(Board[tx][y]) * kPoint;
                    break;
                }
            }
        }
        if (fx > 0 && captured == 0) return S - 9;
        break;
    }
    case KEI: {
        S -= 1;
        if (ty < 9 && nac(tx, ty + 1) > 0) S -= 1 * kPoint;
        if (ty < 8 && tx > 1 && tx < 9) {
            if (nac(tx - 1, ty + 2) > 0 && nac(tx + 1, ty + 2) > 0) S -= 1 * kPoint;
            if (tx == 7 && ty == 3 && Board[8][4] == KAKU) return S - 5 * kPoint;
        }
        break;
    }
    case GIN: {
        if (ty > 1) {
            if (ty > fy && fx == tx) S -= 1;
            if (Board[tx][ty - 1] == KEI) S -= 5;
            if (tx == 7 && ty == 3 && Board[8][3] == HU && Board[8][5] == -HU)
                return S + 115 * kPoint;
        }
        break;
    }
    case KIN: {
        if (ty > fy && tx != fx) S -= 5;
        if (ty == 4) {
            if (Board[6][4] == KAKU && nac(6, 4) > 0) return S - 5 * kPoint;
            break;
        }
        if (ty == 2) {
            if (Board[8][3] == HU && Board[8][6] == -HU && tx == 7 && NegGuardValue[8][6] == -SYA)
                S += 10 * kPoint;
            if (OwnHand[6] > 0 && PosAttackCountBefore[tx][ty + 1] == 0 &&
                Board[tx][ty + 1] >= HU) {
                S += 2 * kPoint;
                if (PosAttackCountBefore[tx][ty + 2] == 1 && Board[tx][ty + 2] == KAKU)
                    return S + 125 * kPoint;
            }
        }
        break;
    }
    case KAKU: {
        S += 調査_周辺状況(tx, ty) * kPoint;
        if (ty < 9) {
            if (ty == 3) {
                if (tx == 9 && Board[9][4] == HU && Board[9][6] == -HU && Board[9][9] == -KYOU)
                    S -= 10 * kPoint;
                if (tx == 7 && Board[8][5] == -HU && NegGuardValue[8][5] == -SYA) S += 9 * kPoint;
            }
            if (nac(tx, ty + 1) > 0) {
                if (調査_移動可場所数(tx, ty, KAKU) == 0) S -= 100 * kPoint;
                if (ty < 8 && Board[tx][ty + 2] == -HU) S -= 1 * kPoint;
            }
        }
        if (fy == 3) {
            if (fx == 9 && Board[9][4] == HU && Board[9][6] == -HU && NegGuardValue[9][6] == -KYOU)
                return S + 10 * kPoint;
            if (fx == 7 && Board[8][5] == -HU && NegGuardValue[8][5] == -SYA &&
                PosAttackCountBefore[8][4] > pac(8, 4))
                return S - 10 * kPoint;
        }
        break;
    }
    case UMA: S += 調査_周辺状況(tx, ty) * kPoint; break;
    case SYA: {
        S += 調査_周辺状況(tx, ty) * kPoint;
        if (fx == -1) {
            if (ty == 9 && Board[tx][8] == -GIN && tx > 1 && tx < 9 &&
                ((Board[tx + 1][ty - 1] == -KIN && Board[tx - 1][ty] != EMPTY) ||
                 (Board[tx - 1][ty - 1] == -KIN && Board[tx + 1][ty] != EMPTY)))
                return S - 1 * kPoint;
            break;
        }
        if (nac(tx, ty) == 0 && tx == 3 && ty == 4 && Board[3][7] == -KAKU && Board[3][6] == -HU &&
            Board[3][5] == EMPTY)
            S += 7 * kPoint;
        if (ty < 8 && nac(tx, ty + 1) > 0) {
            S -= 1 * kPoint;
            if (Board[tx][ty + 2] == -HU && fy == ty) S -= 5 * kPoint;
        }
        if (fy < 9 && Board[8][fy + 1] == -HU && NegGuardValue[8][fy + 1] == -SYA) {
            if (pac(8, fy) < PosAttackCountBefore[8][fy]) S -= 11 * kPoint;
            if (Board[7][fy] == HU && ty != fy) S -= 11 * kPoint;
        }
        if (nac(fx, fy) == 0 && fx == 2 && fy == 2 && tx == 2 && ty == 3) S -= 1 * kPoint;
        if (nac(tx, ty) == 0 || (NegThreatValue[tx][ty] == -OU && pac(tx, ty) > 0)) {
            if (調査_移動可場所数(tx, ty, SYA) <= 1) return S - 35 * kPoint;
            if ((tx == ManKingPos.X || ty == ManKingPos.Y) && std::abs(tx - ManKingPos.X) < 3 &&
                std::abs(ty - ManKingPos.Y) < 3)
                return S + 100 * kPoint;
        }
        break;
    }
    case RYU: {
        S += 調査_周辺状況(tx, ty) * kPoint;
        if (ty > 1 && Board[tx][ty - 1] == -GIN && tx > 1 && tx < 9 &&
            ((Board[tx + 1][ty - 1] == -KIN && Board[tx - 1][ty] != EMPTY) ||
             (Board[tx - 1][ty - 1] == -KIN && Board[tx + 1][ty] != EMPTY)))
            S -= 10 * kPoint;
        if (fy == 9 && Board[fx][8] == -GIN) {
            if (fx > 1 && Board[fx - 1][8] == -KIN) S += 2 * kPoint;
            if (fx < 9 && Board[fx + 1][8] == -KIN) S += 2 * kPoint;
        }
        if (ty == 9 && Board[tx][8] <= -HU &&
            ((tx == 3 && Board[2][9] <= -HU && Board[4][8] == -KIN) ||
             (tx == 7 && Board[8][9] <= -HU && Board[6][8] == -KIN)))
            S -= 150 * kPoint;
        if ((nac(tx, ty) == 0 || (NegThreatValue[tx][ty] == -OU && pac(tx, ty) > 0)) &&
            (tx == ManKingPos.X || ty == ManKingPos.Y) && std::abs(tx - ManKingPos.X) < 3 &&
            std::abs(ty - ManKingPos.Y) < 3)
            return S + 100 * kPoint;
        break;
    }
    case OU: {
        if (PosImmovableFlag == 1) S += 10 * kPoint;
        if (pac(tx, ty) > PosAttackCountBefore[tx][ty]) S += 1 * kPoint;
        if (調査_移動可場所数(tx, ty, OU) < 2) return S - 20 * kPoint;
        break;
    }
    default: break;
    }
    return S;
}

} // namespace kelvore
