// Where the main window opens and how large: about 85 % of the screen's height for the board
// on the first start, the remembered size and place afterwards, always on the screen.
// The size and place are kept in "window.ini" in the work folder, beside the game's settings.
#pragma once

#include "screen/Grid.h"

#include <QRect>
#include <QString>

#include <functional>
#include <optional>

namespace kelvore::qt {

// The window's size and place as it is remembered between runs: its client area (menu bar
// and board, without the window manager's frame) in logical pixels.
struct SavedGeometry {
    QRect rect;
    bool maximized = false;
};

// Room kept above the client area for a title bar the window manager adds.
inline constexpr int kTitleBarAllowance = 40;

// The base size of the board view: the game's window at 15 twips per pixel.
inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kBaseWidth = screen::kWindowWidth / kTwipsPerPixel,
                     kBaseHeight = screen::kWindowHeight / kTwipsPerPixel;

// The first start: the board view about 85 % of the available height with the game's aspect,
// never smaller than the base size nor larger than the available area, centred in it.
// `menuHeight` is the menu bar's height; the result is the client area. `sideWidth`, when
// given, is the width of a panel beside the board for a board of that height: the window is
// that much wider, and the board smaller where the screen is too narrow for both.
QRect firstGeometry(const QRect& available, int menuHeight,
                    const std::function<int(int)>& sideWidth = {});

// A remembered client area made to fit `available`: shrunk where it is larger, then moved
// inside.
QRect fitGeometry(const QRect& remembered, const QRect& available);

// Reads the remembered geometry; nothing when the file is missing, is not a regular file, is
// unreasonably large, or does not hold a usable size.
std::optional<SavedGeometry> readGeometry(const QString& path);

// Writes the geometry; a path that exists and is not a regular file is left alone.
bool writeGeometry(const QString& path, const SavedGeometry& geometry);

// Whether the move list beside the board is shown, as kept in the same file; nothing when the
// file does not say (or cannot be read as readGeometry reads it).
std::optional<bool> readMoveListShown(const QString& path);
bool writeMoveListShown(const QString& path, bool shown);

} // namespace kelvore::qt
