// Showing the computer level and the handicap caption.
#include "Form1.h"

namespace kelvore {

void Form1::レベル_設定(int n) {
    p_.menu.setChecked(MenuItem::LEVEL1, false);
    p_.menu.setChecked(MenuItem::LEVEL2, false);
    p_.menu.setChecked(MenuItem::LEVEL3, false);
    if (n >= 1 && n <= 3) {
        p_.menu.setChecked(n == 1   ? MenuItem::LEVEL1
                           : n == 2 ? MenuItem::LEVEL2
                                    : MenuItem::LEVEL3,
                           true);
        ComLevel = n;
    }
    if (GameMode == GameModeCom) 描画_レベル(ComLevel);
}

// LEVEL1..LEVEL3: clears the level display, then sets the level.
void Form1::LEVEL_Click(int n) {
    描画_絵(CurrentBackground, -2, 0);
    描画_絵(CurrentBackground, -1, 0);
    描画_絵(CurrentBackground, 0, 0);
    レベル_設定(n);
}

void Form1::描画_レベル(int レベル) {
    FontSize = 10;
    印字("LEVEL", gridX(-1.4), gridY(0.2), ColorBlack);
    印字("LEVEL", gridX(-1.5), gridY(0.1), ColorWhite);
    描画_数値(0.1, 0.1, レベル, ColorBlack, 0, 12);
    描画_数値(0, 0, レベル, ColorWhite, 0, 12);
}

void Form1::描画_ハンデレベル(int レベル) {
    for (int gx = 11; gx <= 14; ++gx) 描画_絵(CurrentBackground, gx, 1);
    描画_文字列(11.1, 1.1, レベル, ColorBlack, 10);
    描画_文字列(11, 1, レベル, ColorWhite, 10);
}

} // namespace kelvore
