// Where the game's window and its screen grid stand, in window units (twips). The start-up
// sequence sets the game's screen constants (BoardLeft, BoardTop, SquareWidth, SquareHeight)
// from these, and the window program maps them to pixels with the same numbers. The grid runs
// on beyond the board's nine columns: the hands are its columns -1 and 11.
#pragma once

namespace kelvore::screen {

// The game's window: 600 x 533 pixels at 15 twips a pixel.
inline constexpr int kWindowWidth = 9000, kWindowHeight = 8000;

// The top-left corner of grid cell (0, 0), and the size of every cell: a square of the board,
// or a piece in a hand.
inline constexpr int kBoardLeft = 1050, kBoardTop = 100;
inline constexpr int kSquareWidth = 495, kSquareHeight = 615;

} // namespace kelvore::screen
