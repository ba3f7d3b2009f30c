// The thinking-time clocks: how a total is shown beside the board, and the time arithmetic.
// With a time control of ours the clocks count down instead (match/MatchClocks).
#include "Form1.h"
#include "match/MatchClocks.h"
#include "record/MoveTime.h"

namespace kelvore {

// The timer tick: only the side to move has a running clock, redrawn once per whole second.
void Form1::Timer1_Timer() {
    if (!p_.timer.isEnabled()) return;
    if (持ち時間制()) {
        Countdown->tick();
        return;
    }
    MoveSeconds = 調査_経過秒(MoveStartTime, p_.clock.secondsSinceMidnight());
    const auto whole = static_cast<long long>(MoveSeconds);
    if (whole == LastShownSecond) return;
    LastShownSecond = whole;
    if (Turn == ComTurn)
        描画_所有時間(ComTurn, MoveSeconds + ComTime);
    else if (Turn == ManTurn)
        描画_所有時間(ManTurn, MoveSeconds + ManTime);
    p_.canvas.refresh();
}

void Form1::時計_開始() {
    if (p_.menu.isChecked(MenuItem::KEIKA) || 持ち時間制()) p_.timer.setEnabled(true);
}

void Form1::持ち時間_手番開始() {
    if (持ち時間制()) MoveStartTime = p_.clock.secondsSinceMidnight();
}

// 経過時間 (and F2): shows or hides both clocks. Clocks that count down go on counting hidden:
// only their showing is the option's.
void Form1::処理_経過時間() {
    if (p_.menu.isChecked(MenuItem::KEIKA)) {
        p_.menu.setChecked(MenuItem::KEIKA, false);
        if (!持ち時間制()) p_.timer.setEnabled(false);
        消去_所有時間(ManTurn);
        消去_所有時間(ComTurn);
    } else {
        p_.menu.setChecked(MenuItem::KEIKA, true);
        p_.timer.setEnabled(true);
        描画_所有時間(ComTurn, ComTime);
        描画_所有時間(ManTurn, ManTime);
    }
    書込_環境設定ファイル();
}

void Form1::描画_所有時間(int 手番, double 秒) {
    if (!p_.menu.isChecked(MenuItem::KEIKA)) return;
    const std::string text = 持ち時間制() ? Countdown->clockText(手番) : 調査_時間秒追加結果(秒);
    消去_所有時間(手番);
    FontSize = 12;
    if (手番 == ManTurn) {
        印字(text, gridX(13.1), gridY(9.3), ColorBlack);
        印字(text, gridX(13), gridY(9.2), ColorWhite);
    } else if (手番 == ComTurn) {
        印字(text, gridX(-1.5), gridY(9.3), ColorBlack);
        印字(text, gridX(-1.6), gridY(9.2), ColorWhite);
    }
}

void Form1::消去_所有時間(int 手番) {
    if (手番 == ManTurn) {
        for (int gx = 13; gx <= 15; ++gx) 描画_絵(CurrentBackground, gx, 9);
    } else if (手番 == ComTurn) {
        for (int gx = -2; gx <= 0; ++gx) 描画_絵(CurrentBackground, gx, 9);
        描画_桝輪郭(OutlineColor, 1, 9);
    }
}

// hh:mm:ss of the total's whole seconds, two digits each; a total of 100 hours or more leaves
// the hour field empty.
std::string Form1::調査_時間秒追加結果(double 秒) {
    const long long s = wholeSeconds(秒);
    return 変換_数字から文字(s / 3600) + ":" + 変換_数字から文字(s / 60 % 60) + ":" +
           変換_数字から文字(s % 60);
}

// Seconds from start to now, both times of day; a start after now means midnight has passed.
double Form1::調査_経過秒(double 開始, double 現在) {
    if (開始 <= 現在) return 現在 - 開始;
    return 現在 + 86400 - 開始;
}

} // namespace kelvore
