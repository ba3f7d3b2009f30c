// Clicks on the screen grid, in window units as the window hands them to the game.
#pragma once

#include "Form1.h"

namespace kelvore::test {

inline constexpr int kLeft = 1, kRight = 2;

// A click well inside grid cell (col, row).
inline void click(Form1& f, int col, int row, int button = kLeft) {
    f.Form_MouseDown(button, 0, 1050 + col * 495 + 200, 100 + row * 615 + 300);
}

// A move by two clicks; a drop is picked up from the hand cell (11, slot + 2) or (-1, 8 - slot).
inline void move(Form1& f, int fx, int fy, int tx, int ty, int button = kLeft) {
    click(f, fx, fy);
    click(f, tx, ty, button);
}

} // namespace kelvore::test
