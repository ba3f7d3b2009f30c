// The thinking-time clocks: how a total is shown beside the board, and the time arithmetic.
#include "Form1.h"

namespace kelvore {

void Form1::描画_所有時間(int 手番, double 秒) {
    if (!p_.menu.isChecked(MenuItem::KEIKA)) return;
    const std::string text = 調査_時間秒追加結果(秒);
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

// hh:mm:ss, two digits each; a total of 100 hours or more leaves the hour field empty.
std::string Form1::調査_時間秒追加結果(double 秒) {
    double s = 秒;
    double h = 0;
    if (s >= 3600) {
        h = static_cast<long long>(s / 3600);
        s = s - 3600 * h;
    }
    const long long m = static_cast<long long>(s / 60);
    const double sec = s - 60.0 * m;
    return 変換_数字から文字(static_cast<long long>(h)) + ":" + 変換_数字から文字(m) + ":" +
           変換_数字から文字(static_cast<long long>(sec));
}

// Seconds from start to now, both times of day; a start after now means midnight has passed.
double Form1::調査_経過秒(double 開始, double 現在) {
    if (開始 <= 現在) return 現在 - 開始;
    return 現在 + 86400 - 開始;
}

} // namespace kelvore
