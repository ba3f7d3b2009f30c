#include "GameKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <utility>

namespace kelvore::qt {

GameKeys::GameKeys(QWidget& window, std::function<void(Form1::Key)> onKey)
    : QObject(&window), window_(window), onKey_(std::move(onKey)) {
    qApp->installEventFilter(this);
}

GameKeys::~GameKeys() {
    if (qApp != nullptr) qApp->removeEventFilter(this);
}

std::optional<Form1::Key> GameKeys::gameKey(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Escape: return Form1::Key::Escape;
    case Qt::Key_F1: return Form1::Key::F1;
    case Qt::Key_F2: return Form1::Key::F2;
    default: return std::nullopt;
    }
}

// A key press reaches the focus widget first, then its parents: it is taken at the first
// widget of the main window it reaches, before the menu bar (or any other control) can keep it.
bool GameKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const std::optional<Form1::Key> key = gameKey(static_cast<QKeyEvent*>(event)->key());
    if (!key) return false;
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != &window_) return false;
    if (QApplication::activePopupWidget() != nullptr ||
        QApplication::activeModalWidget() != nullptr)
        return false;
    onKey_(*key);
    return true;
}

} // namespace kelvore::qt
