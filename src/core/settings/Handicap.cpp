// The handicap: before the first move each △ removes one more piece of the upper side (or
// gives one back to the lower side), each ▽ the reverse, from "名人" to "12級".
#include "Form1.h"

namespace kelvore {

using namespace piece;

namespace {

using HandicapSquare = HandicapSquareRef;

// The square emptied at levels 1..10 (upper pieces) and -1..-10 (lower pieces).
constexpr HandicapSquare kUpper[11] = {{0, 0, 0},    {8, 2, KAKU}, {2, 2, SYA}, {9, 1, KYOU},
                                       {1, 1, KYOU}, {8, 1, KEI},  {2, 1, KEI}, {7, 1, GIN},
                                       {3, 1, GIN},  {6, 1, KIN},  {4, 1, KIN}};
constexpr HandicapSquare kLower[11] = {{0, 0, 0},     {2, 8, -KAKU}, {8, 8, -SYA}, {1, 9, -KYOU},
                                       {9, 9, -KYOU}, {2, 9, -KEI},  {8, 9, -KEI}, {3, 9, -GIN},
                                       {7, 9, -GIN},  {4, 9, -KIN},  {6, 9, -KIN}};

const HandicapSquare& row(int level) {
    return level > 0 ? kUpper[level] : kLower[-level];
}

} // namespace

void Form1::LBEL_UP_Click() {
    描画_可視(false, false, false);
    描画_棋譜_IO(1);
    // Refused in record mode, after a move and after 反転.
    if (const int m = KifuMode == 1 ? 1 : KifuCursor > 0 ? 2 : Reversed == 1 ? 3 : 0; m != 0) {
        音_禁止();
        描画_メッセージ(m);
        return;
    }
    KifuLength = 0;
    if (HandicapLevel < 10) {
        HandicapLevel += 1;
        // Up to a level of 1 or more a piece comes off; up to 0 or below one goes back.
        handicapSquare(HandicapLevel >= 1 ? row(HandicapLevel) : row(HandicapLevel - 1),
                       HandicapLevel >= 1);
    }
    HandicapSet = 1;
    tell([](GameListener& l) { l.historyChanged(); });
}

void Form1::LEBEL_DOWN_Click() {
    描画_可視(false, false, false);
    描画_棋譜_IO(1);
    // Refused in record mode, after a move and after 反転.
    if (const int m = KifuMode == 1 ? 1 : KifuCursor > 0 ? 2 : Reversed == 1 ? 3 : 0; m != 0) {
        音_禁止();
        描画_メッセージ(m);
        return;
    }
    KifuLength = 0;
    if (HandicapLevel > -10) {
        HandicapLevel -= 1;
        handicapSquare(HandicapLevel <= -1 ? row(HandicapLevel) : row(HandicapLevel + 1),
                       HandicapLevel <= -1);
    }
    HandicapSet = 1;
    tell([](GameListener& l) { l.historyChanged(); });
}

// Shows the new level, then empties the square or puts its piece back, and repaints it.
void Form1::handicapSquare(const HandicapSquareRef& s, bool empty) {
    描画_ハンデレベル(HandicapLevel);
    Board[s.x][s.y] = empty ? KARA : s.code;
    描画_絵(Board[s.x][s.y], s.x, s.y);
    描画_桝輪郭(OutlineColor, s.x, s.y);
    音_駒();
}

} // namespace kelvore
