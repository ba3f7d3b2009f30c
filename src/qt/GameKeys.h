// The game's three keys (Esc, F1, F2) for the main window, wherever the keyboard focus is in
// it: on the board, in the record panel, or on the menu bar after a menu was closed with Esc,
// where the menu bar would otherwise keep Esc for itself. A key pressed in an open menu or a
// message box stays theirs; every other key is left alone.
#pragma once

#include "Form1.h"

#include <QObject>

#include <functional>
#include <optional>

class QWidget;

namespace kelvore::qt {

class GameKeys : public QObject {
    Q_OBJECT
public:
    // Watches every key press of the application for those aimed at `window`.
    GameKeys(QWidget& window, std::function<void(Form1::Key)> onKey);
    ~GameKeys() override;

    // The game's key of a Qt key, if it is one of the three.
    static std::optional<Form1::Key> gameKey(int qtKey);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    std::function<void(Form1::Key)> onKey_;
};

} // namespace kelvore::qt
