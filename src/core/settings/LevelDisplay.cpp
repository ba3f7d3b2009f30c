// Showing the computer level and the handicap caption.
#include "Form1.h"
#include "match/MatchSettings.h"

namespace kelvore {

// The levels 1 to 3 of the game's design, and the searching levels 4 and 5 of our own.
void Form1::レベル_設定(int n) {
    constexpr MenuItem items[] = {MenuItem::LEVEL1, MenuItem::LEVEL2, MenuItem::LEVEL3,
                                  MenuItem::LEVEL4, MenuItem::LEVEL5};
    for (MenuItem item : items) p_.menu.setChecked(item, false);
    if (n >= 1 && n <= 5) {
        p_.menu.setChecked(items[n - 1], true);
        ComLevel = n;
    }
    if (GameMode == GameModeCom) 描画_レベル(ComLevel);
}

// LEVEL1..LEVEL5: clears the level display, then sets the level.
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
    // The searching levels (ours) show the strength chosen for them beneath the word.
    if (レベル >= 4) {
        const std::string strength = match::strengthText(ComSkill);
        FontSize = 9;
        印字(strength, gridX(-1.4), gridY(0.6), ColorBlack);
        印字(strength, gridX(-1.5), gridY(0.5), ColorWhite);
    }
}

void Form1::描画_ハンデレベル(int レベル) {
    for (int gx = 11; gx <= 14; ++gx) 描画_絵(CurrentBackground, gx, 1);
    描画_文字列(11.1, 1.1, レベル, ColorBlack, 10);
    描画_文字列(11, 1, レベル, ColorWhite, 10);
}

} // namespace kelvore
