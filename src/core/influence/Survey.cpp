// The influence survey: from the board alone, how often each side attacks every square, the
// recorded defender and attacker of every occupied square, the check lines against each royal
// piece, and where the royal pieces stand. It is rebuilt from scratch for every position the
// computer tries, so it is one pass over the board with fixed step lists and no allocation.
#include "influence/Record.h"

namespace kelvore {

using namespace influence;
using namespace piece;

namespace {

struct Step {
    int dx, dy;
};

template <bool CheckMark, size_t N>
inline void stepsLower(Form1& f, int c, int x, int y, const Step (&steps)[N]) {
    for (const Step& s : steps)
        if (onBoard(x + s.dx, y + s.dy)) recordLower<CheckMark>(f, c, x, y, x + s.dx, y + s.dy);
}

template <UpperParts P, size_t N>
inline void stepsUpper(Form1& f, int c, int x, int y, const Step (&steps)[N]) {
    for (const Step& s : steps)
        if (onBoard(x + s.dx, y + s.dy)) recordUpper<P>(f, c, x, y, x + s.dx, y + s.dy);
}

constexpr Step kLowerPawn[] = {{0, -1}};
constexpr Step kLowerKnight[] = {{-1, -2}, {1, -2}};
constexpr Step kLowerSilver[] = {{0, -1}, {-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
constexpr Step kLowerElephant[] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {1, 1}};
constexpr Step kUpperPawnStep[] = {{0, 1}};
constexpr Step kUpperKnight[] = {{-1, 2}, {1, 2}};
constexpr Step kUpperSilver[] = {{0, 1}, {-1, 1}, {1, 1}, {-1, -1}, {1, -1}};
constexpr Step kUpperElephant[] = {{-1, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}};
constexpr Step kOrthogonal[] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
constexpr Step kDiagonal[] = {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
constexpr Step kBlock[] = {{-1, -1}, {-1, 0}, {-1, 1}, {0, -1}, {0, 0},
                           {0, 1},   {1, -1}, {1, 0},  {1, 1}};

} // namespace

void Form1::勢力調査() {
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            NegAttackCount[x][y] = 0;
            NegGuardValue[x][y] = 999;
            NegThreatValue[x][y] = -999;
            NegThreatX[x][y] = 0;
            NegThreatY[x][y] = 0;
            NegCheckLine[x][y] = 0;
            PosAttackCount[x][y] = 0;
            PosGuardValue[x][y] = 999;
            PosThreatValue[x][y] = 999;
            PosCheckLine[x][y] = 0;
            // PosGuardX/Y and PosThreatX/Y are only ever overwritten.
        }

    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int c = Board[x][y];
            switch (c) {
            case KARA: break;
            // ---------------------------------------- lower side
            case -HU: stepsLower<true>(*this, c, x, y, kLowerPawn); break;
            case -TO:
            case -NKYOU:
            case -NKEI:
            case -NGIN:
            case -KIN: 勢力確定自金(c, x, y); break;
            case -KYOU: 勢力確定上直進(c, x, y); break;
            case -KEI: stepsLower<true>(*this, c, x, y, kLowerKnight); break;
            case -GIN: stepsLower<true>(*this, c, x, y, kLowerSilver); break;
            case -KAKU: 勢力確定自角(x, y); break;
            case -UMA:
                stepsLower<true>(*this, c, x, y, kOrthogonal);
                勢力確定自角(x, y);
                break;
            case -SYA:
            case -RYU:
                勢力確定下直進(c, x, y);
                勢力確定上直進(c, x, y);
                勢力確定右直進(c, x, y);
                勢力確定左直進(c, x, y);
                if (c == -RYU) stepsLower<true>(*this, c, x, y, kDiagonal);
                break;
            case -ZOU: stepsLower<false>(*this, c, x, y, kLowerElephant); break;
            case -KO:
                ManPrincePos = {x, y};
                stepsLower<false>(*this, c, x, y, kBlock);
                break;
            case -OU:
                ManKingPos = {x, y};
                stepsLower<false>(*this, c, x, y, kBlock);
                break;
            // ---------------------------------------- upper side
            case HU: stepsUpper<kUpperPawn>(*this, c, x, y, kUpperPawnStep); break;
            case TO:
            case NKYOU:
            case NKEI:
            case NGIN:
            case KIN: 勢力確定敵金(x, y); break;
            case KYOU: 勢力確定下直進(c, x, y); break;
            case KEI: stepsUpper<kUpperKnightSilver>(*this, c, x, y, kUpperKnight); break;
            case GIN: stepsUpper<kUpperKnightSilver>(*this, c, x, y, kUpperSilver); break;
            case KAKU: 勢力確定敵角(c, x, y); break;
            case UMA:
                stepsUpper<kUpperHorseStep>(*this, c, x, y, kOrthogonal);
                勢力確定敵角(c, x, y);
                break;
            case SYA:
            case RYU:
                勢力確定下直進(c, x, y);
                勢力確定上直進(c, x, y);
                勢力確定右直進(c, x, y);
                勢力確定左直進(c, x, y);
                if (c == RYU) stepsUpper<kUpperFull>(*this, c, x, y, kDiagonal);
                break;
            case ZOU: stepsUpper<kUpperRoyal>(*this, c, x, y, kUpperElephant); break;
            case KO:
                ComPrincePos = {x, y};
                stepsUpper<kUpperRoyal>(*this, c, x, y, kBlock);
                break;
            case OU:
                ComKingPos = {x, y};
                stepsUpper<kUpperRoyal>(*this, c, x, y, kBlock);
                break;
            default: break; // ±111 and anything else record nothing
            }
        }
}

} // namespace kelvore
