// Attack and mate tests on the royal pieces, and the end-of-game dialogue.
//
// A side loses when it has no royal piece left or its only remaining royal piece is mated;
// while it has both king and prince it cannot be mated. The MAN tests examine the lower side's
// royal pieces (attacked by the upper side), the COM tests the upper side's. All of them read
// the influence maps of the last survey; the COM tests survey trial positions themselves and so
// leave the maps describing the last position they tried.
#include "Form1.h"
#include "platform/Translate.h"

#include <cstdlib>

namespace kelvore {

using namespace piece;

namespace {

constexpr bool adjacent(int x, int y, Pos k) {
    return std::abs(x - k.X) < 2 && std::abs(y - k.Y) < 2;
}

} // namespace

// ---------------------------------------------------------------- attack tests

int Form1::詰めかMAN_COM王移動() const {
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int c = Board[x][y];
            if (c >= HU && 移動チェック(x, y, ManKingPos.X, ManKingPos.Y, c) == 1) return 1;
        }
    return 0;
}

int Form1::詰めかMAN_COM子移動() const {
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int c = Board[x][y];
            if (c >= HU && 移動チェック(x, y, ManPrincePos.X, ManPrincePos.Y, c) == 1) return 1;
        }
    return 0;
}

// ---------------------------------------------------------------- dispatch

int Form1::詰めかMAN() {
    if (ManKingPos.X > 0 && ManPrincePos.X == 0) return 詰めかMAN_王();
    if (ManKingPos.X == 0 && ManPrincePos.X > 0) return 詰めかMAN_子();
    return 0;
}

int Form1::詰めかCOM() {
    if (ComKingPos.X > 0 && ComPrincePos.X == 0) return 詰めかCOM_王();
    if (ComKingPos.X == 0 && ComPrincePos.X > 0) return 詰めかCOM_子();
    return 0;
}

// ---------------------------------------------------------------- the lower side's royal piece
//
// Not in check: not mate. Then, with anything in hand, a drop on the attack line may block it
// (an adjacent attacker cannot be blocked). Then a royal step to an unattacked square, then any
// other defender moving onto the attack line so that no attacker reaches the royal square.

namespace {

template <class Form, class StillAttacked>
int mateOfLowerRoyal(Form& f, Pos k, int royalCode, StillAttacked stillAttacked) {
    if (f.PosAttackCount[k.X][k.Y] == 0) return 0;

    if (f.OwnHandCount > 0) {
        bool blocked = false;
        for (int x = 1; x <= 9 && !blocked; ++x)
            for (int y = 1; y <= 9; ++y) {
                if (f.PosCheckLine[x][y] == 9 && adjacent(x, y, k)) {
                    blocked = true; // an adjacent attacker: go on to the royal steps
                    break;
                }
                if (f.PosCheckLine[x][y] != 1) continue;
                const int saved = f.Board[x][y];
                const bool onlyPawns = f.OwnHandCount == f.OwnHand[1];
                if (!(onlyPawns && f.移動チェック(11, 0, x, y, -HU) == 0)) f.Board[x][y] = -HU;
                bool reaches = false;
                for (int x2 = 1; x2 <= 9 && !reaches; ++x2)
                    for (int y2 = 1; y2 <= 9; ++y2)
                        if (f.PosCheckLine[x2][y2] == 9 &&
                            f.移動チェック(x2, y2, k.X, k.Y, f.Board[x2][y2]) == 1) {
                            reaches = true;
                            break;
                        }
                f.Board[x][y] = saved;
                if (reaches) {
                    blocked = true;
                    break;
                }
            }
        if (!blocked) return 0; // a drop can block
    }

    for (int x = k.X - 1; x <= k.X + 1; ++x)
        for (int y = k.Y - 1; y <= k.Y + 1; ++y) {
            if (x < 1 || x > 9 || y < 1 || y > 9) continue;
            if (f.移動チェック(k.X, k.Y, x, y, royalCode) == 1 && f.PosAttackCount[x][y] == 0)
                return 0;
        }

    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int c = f.Board[x][y];
            if (c < -RYU || c > -HU) continue;
            for (int x2 = 1; x2 <= 9; ++x2)
                for (int y2 = 1; y2 <= 9; ++y2) {
                    if (x2 == x && y2 == y) continue;
                    if (f.移動チェック(x, y, x2, y2, c) != 1 || f.PosCheckLine[x2][y2] <= 0)
                        continue;
                    const int saved = f.Board[x2][y2];
                    f.Board[x2][y2] = c;
                    f.Board[x][y] = EMPTY;
                    const int attacked = stillAttacked();
                    f.Board[x][y] = c;
                    f.Board[x2][y2] = saved;
                    if (attacked == 0) return 0;
                }
        }
    return 1;
}

// The upper side's royal piece: the same steps mirrored, except that a defender's trial move is
// judged by surveying the trial position.
template <class Form> int mateOfUpperRoyal(Form& f, Pos k, int royalCode) {
    if (f.NegAttackCount[k.X][k.Y] == 0) return 0;

    if (f.EnemyHandCount > 0) {
        bool blocked = false;
        for (int x = 1; x <= 9 && !blocked; ++x)
            for (int y = 1; y <= 9; ++y) {
                if (f.NegCheckLine[x][y] == 9 && adjacent(x, y, k)) {
                    blocked = true;
                    break;
                }
                if (f.NegCheckLine[x][y] != 1) continue;
                const int saved = f.Board[x][y];
                const bool onlyPawns = f.EnemyHandCount == f.EnemyHand[1];
                if (!(onlyPawns && f.移動チェック(-1, 0, x, y, HU) == 0)) f.Board[x][y] = HU;
                bool reaches = false;
                for (int x2 = 1; x2 <= 9 && !reaches; ++x2)
                    for (int y2 = 1; y2 <= 9; ++y2)
                        if (f.NegCheckLine[x2][y2] == 9 &&
                            f.移動チェック(x2, y2, k.X, k.Y, f.Board[x2][y2]) == 1) {
                            reaches = true;
                            break;
                        }
                f.Board[x][y] = saved;
                if (reaches) {
                    blocked = true;
                    break;
                }
            }
        if (!blocked) return 0;
    }

    for (int x = k.X - 1; x <= k.X + 1; ++x)
        for (int y = k.Y - 1; y <= k.Y + 1; ++y) {
            if (x < 1 || x > 9 || y < 1 || y > 9) continue;
            if (f.移動チェック(k.X, k.Y, x, y, royalCode) == 1 && f.NegAttackCount[x][y] == 0)
                return 0;
        }

    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int c = f.Board[x][y];
            if (c < HU || c > RYU) continue;
            for (int x2 = 1; x2 <= 9; ++x2)
                for (int y2 = 1; y2 <= 9; ++y2) {
                    if (x2 == x && y2 == y) continue;
                    // The check-line map read here is the one the last trial survey left.
                    if (f.移動チェック(x, y, x2, y2, c) != 1 || f.NegCheckLine[x2][y2] <= 0)
                        continue;
                    const int saved = f.Board[x2][y2];
                    f.Board[x2][y2] = c;
                    f.Board[x][y] = EMPTY;
                    f.勢力調査();
                    f.Board[x][y] = c;
                    f.Board[x2][y2] = saved;
                    if (f.NegAttackCount[k.X][k.Y] == 0) return 0;
                }
        }
    return 1;
}

} // namespace

int Form1::詰めかMAN_王() {
    return mateOfLowerRoyal(*this, ManKingPos, -OU, [this] { return 詰めかMAN_COM王移動(); });
}

int Form1::詰めかMAN_子() {
    return mateOfLowerRoyal(*this, ManPrincePos, -KO, [this] { return 詰めかMAN_COM子移動(); });
}

int Form1::詰めかCOM_王() {
    return mateOfUpperRoyal(*this, ComKingPos, OU);
}

int Form1::詰めかCOM_子() {
    return mateOfUpperRoyal(*this, ComPrincePos, KO);
}

// ---------------------------------------------------------------- end of the game

void Form1::終了(std::string_view 勝者) {
    終了(勝者, {});
}

// The winners the game announces, by the names the listeners are told.
[[maybe_unused]] constexpr const char* kWinners[] = {
    KELVORE_TRANSLATE_NOOP("Game", "先手"), KELVORE_TRANSLATE_NOOP("Game", "後手"),
    KELVORE_TRANSLATE_NOOP("Game", "あなた"), KELVORE_TRANSLATE_NOOP("Game", "ｺﾝﾋﾟｭｰﾀ")};

void Form1::終了(std::string_view 勝者, std::string_view 理由) {
    tell([勝者](GameListener& l) { l.gameWon(勝者); });
    const std::string result =
        args(translate("Game", "%1の勝ちです"), {translate("Game", std::string(勝者).c_str())});
    p_.dialogs.messageBox(理由.empty() ? result : std::string(理由) + "\r" + result,
                          translate("Game", "終了"), Buttons::OK);
    if (p_.dialogs.messageBox(translate("Game", "続けますか？"), translate("Game", "再ゲーム"),
                              Buttons::YesNo) == Answer::Yes)
        初期設定();
    else
        処理_終了();
}

} // namespace kelvore
