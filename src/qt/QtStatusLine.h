// The status line of ours: a short text laid over the foot of the board view that fades away
// by itself after a few seconds, for notices and confirmations that need no answer. Clicks go
// through it to the board. Screen readers are told of every new text (the label's accessible
// name is the text).
#pragma once

#include "platform/Platform.h"

#include <QLabel>
#include <QTimer>

#include <functional>

class QGraphicsOpacityEffect;
class QPropertyAnimation;

namespace kelvore::qt {

class QtStatusLine : public QLabel, public StatusLine {
    Q_OBJECT
public:
    // `place` gives the rectangle of the parent the text stands in, at the parent's size now.
    QtStatusLine(QWidget* parent, std::function<QRect()> place);

    void show(std::string_view text) override;
    // How long a text stays before it fades, in milliseconds.
    static constexpr int kShownMs = 4000;
    static constexpr int kFadeMs = 700;

private:
    std::function<QRect()> place_;
    QTimer stay_;
    QGraphicsOpacityEffect* opacity_ = nullptr;
    QPropertyAnimation* fade_ = nullptr;
};

} // namespace kelvore::qt
