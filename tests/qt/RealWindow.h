// The real window as the tests of the window use it: shown on the offscreen screen, and clicked
// on the board as a player clicks.
#pragma once

#include "MainWindow.h"

#include <QTemporaryDir>
#include <QtTest/QtTest>

namespace kelvore::qt::test {

// Shows the window and waits until it is on the screen; false when it never comes.
[[nodiscard]] inline bool showAndWait(QWidget& window) {
    window.show();
    return QTest::qWaitForWindowExposed(&window);
}

// The middle of grid cell (col, row) in the board view's coordinates.
inline QPoint cellCentre(BoardView& view, int col, int row) {
    return view.fromTwips(BoardView::cell(col, row)).center();
}

// A real click there.
inline void clickCell(MainWindow& w, int col, int row, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(&w.view(), button, {}, cellCentre(w.view(), col, row));
}

// A move by two such clicks, the second with `button`.
inline void clickMove(MainWindow& w, int fromCol, int fromRow, int toCol, int toRow,
                      Qt::MouseButton button = Qt::LeftButton) {
    clickCell(w, fromCol, fromRow);
    clickCell(w, toCol, toRow, button);
}

// A window on a work folder of its own, as most tests of the move list begin, with its game and
// its move list at hand: `auto& [dir, w, f, panel] = fresh;`.
struct FreshWindow {
    QTemporaryDir dir;
    MainWindow w{dir.path()};
    Form1& f = w.form();
    MoveListPanel& panel = w.moveList();
};

} // namespace kelvore::qt::test
