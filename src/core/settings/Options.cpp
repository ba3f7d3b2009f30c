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
