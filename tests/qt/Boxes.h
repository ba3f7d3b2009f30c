// A timer that answers every message box the window shows (OK, or the default Yes), so a test
// of the real window never waits for a person. A machine without sound shows one at start.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace kelvore::qt::test {

inline void answerEveryBox(QTimer& timer) {
    QObject::connect(&timer, &QTimer::timeout, [] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(top); box && box->isVisible()) box->accept();
    });
    timer.start(20);
}

} // namespace kelvore::qt::test
