// How one attack of a piece on (x, y) against a target square is written into the influence
// maps. The lower side records value and position of every attack on an upper piece; the upper
// side's pieces each use only some parts of their record, as the flags below say.
#pragma once

#include "Form1.h"

namespace kelvore::influence {

using piece::HU;
using piece::KO;
using piece::OU;

// Lower-side record. The short form (elephant, prince, king) leaves out the check mark.
template <bool CheckMark> inline void recordLower(Form1& f, int c, int x, int y, int tx, int ty) {
    f.NegAttackCount[tx][ty] += 1;
    const int t = f.Board[tx][ty];
    if (t <= -HU) {
        if (f.NegGuardValue[tx][ty] > c) f.NegGuardValue[tx][ty] = c;
    } else if (t >= HU) {
        if (f.NegThreatValue[tx][ty] < c) {
            f.NegThreatValue[tx][ty] = c;
            f.NegThreatX[tx][ty] = x;
            f.NegThreatY[tx][ty] = y;
        }
        if (CheckMark && (t == OU || t == KO)) f.NegCheckLine[x][y] = 9;
    }
}

// Which parts of the upper-side record a piece uses.
struct UpperParts {
    bool guardValue, guardPos, threatValue, threatPos, checkMark;
};
inline constexpr UpperParts kUpperPawn{true, false, true, false, true};
inline constexpr UpperParts kUpperKnightSilver{true, true, false, false, true};
inline constexpr UpperParts kUpperHorseStep{false, false, false, false, true};
inline constexpr UpperParts kUpperFull{true, true, true, true, true};
inline constexpr UpperParts kUpperRoyal{true, false, false, false, false};
inline constexpr UpperParts kUpperGold{true, false, false, false, true};
inline constexpr UpperParts kUpperRay{true, true, true, true, false};

template <UpperParts P> inline void recordUpper(Form1& f, int c, int x, int y, int tx, int ty) {
    f.PosAttackCount[tx][ty] += 1;
    const int t = f.Board[tx][ty];
    if (t >= HU) {
        if (P.guardValue && f.PosGuardValue[tx][ty] > c) {
            f.PosGuardValue[tx][ty] = c;
            if (P.guardPos) {
                f.PosGuardX[tx][ty] = x;
                f.PosGuardY[tx][ty] = y;
            }
        }
    } else if (t <= -HU) {
        if (P.threatValue && f.PosThreatValue[tx][ty] > c) {
            f.PosThreatValue[tx][ty] = c;
            if (P.threatPos) {
                f.PosThreatX[tx][ty] = x;
                f.PosThreatY[tx][ty] = y;
            }
        }
        if (P.checkMark && (t == -OU || t == -KO)) f.PosCheckLine[x][y] = 9;
    }
}

constexpr bool onBoard(int x, int y) {
    return x >= 1 && x <= 9 && y >= 1 && y <= 9;
}

} // namespace kelvore::influence
