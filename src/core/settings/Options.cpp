// The options of the menu ｵﾌﾟｼｮﾝ: background marks and the default settings.
#include "Form1.h"

namespace kelvore {

namespace {

constexpr MenuItem kBackgroundItems[5] = {MenuItem::MIDORI, MenuItem::TATAMI, MenuItem::TAKE,
                                          MenuItem::UCHU, MenuItem::RENGA};

} // namespace

// Marks the background item of a picture code 2..6; any other code leaves all five unmarked.
void Form1::チェック設定(int 絵) {
    for (MenuItem item : kBackgroundItems) p_.menu.setChecked(item, false);
    if (絵 >= BackgroundMidori && 絵 <= BackgroundRenga)
        p_.menu.setChecked(kBackgroundItems[絵 - BackgroundMidori], true);
}

// 緑, 畳, 竹, 宇宙, 煉瓦: the background, remembered in the settings file.
void Form1::背景_Click(int 絵) {
    if (絵 < BackgroundMidori || 絵 > BackgroundRenga) return;
    if (!p_.menu.isChecked(kBackgroundItems[絵 - BackgroundMidori])) {
        チェック設定(絵);
        CurrentBackground = 絵;
    }
    書込_環境設定ファイル();
    画面_再描画();
}

// 移動指導: the squares a picked-up piece may reach are outlined, or not.
void Form1::SIDOU_Click() {
    if (p_.menu.isChecked(MenuItem::SIDOU)) {
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y) 描画_桝輪郭(BoardLineColor, x, y);
        for (int i = 1; i <= 7; ++i) {
            描画_桝輪郭(BoardLineColor, -1, i);
            描画_桝輪郭(BoardLineColor, 11, i + 2);
        }
        p_.menu.setChecked(MenuItem::SIDOU, false);
        MoveGuidance = 0;
        HighlightColor = BoardLineColor;
    } else {
        p_.menu.setChecked(MenuItem::SIDOU, true);
        MoveGuidance = 1;
        HighlightColor = ColorWhite;
    }
    書込_環境設定ファイル();
}

// The default options: background 緑, move guidance off, clocks and music marked.
void Form1::設定_既定値() {
    チェック設定(BackgroundMidori);
    描画_背景(BackgroundMidori);
    CurrentBackground = BackgroundMidori;
    p_.menu.setChecked(MenuItem::SIDOU, false);
    p_.menu.setChecked(MenuItem::KEIKA, true);
    p_.menu.setChecked(MenuItem::BGM, true);
}

} // namespace kelvore
