// Showing the computer level and the handicap caption.
#include "Form1.h"

namespace kelvore {

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
