#include "QtStatusLine.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QGraphicsOpacityEffect>
#include <QPropertyAnimation>

namespace kelvore::qt {

QtStatusLine::QtStatusLine(QWidget* parent, std::function<QRect()> place)
    : QLabel(parent), place_(std::move(place)) {
    setObjectName(QStringLiteral("statusLine"));
    setAccessibleDescription(QCoreApplication::translate("QtStatusLine", "お知らせ"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setStyleSheet(QStringLiteral("QLabel { background: rgba(0, 0, 0, 170); color: white; "
                                 "border-radius: 6px; padding: 2px 10px; }"));
    opacity_ = new QGraphicsOpacityEffect(this);
    opacity_->setOpacity(1.0);
    setGraphicsEffect(opacity_);
    fade_ = new QPropertyAnimation(opacity_, "opacity", this);
    fade_->setDuration(kFadeMs);
    fade_->setStartValue(1.0);
    fade_->setEndValue(0.0);
    connect(fade_, &QPropertyAnimation::finished, this, &QWidget::hide);
    stay_.setSingleShot(true);
    connect(&stay_, &QTimer::timeout, fade_, [this] { fade_->start(); });
    hide();
}

void QtStatusLine::show(std::string_view text) {
    const QString t = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    fade_->stop();
    opacity_->setOpacity(1.0);
    setText(t);
    setAccessibleName(t);
    if (place_) {
        const QRect area = place_();
        // As wide as the text needs on one line, within the area, at its foot.
        const QMargins m = contentsMargins();
        const int one = fontMetrics().horizontalAdvance(t) + m.left() + m.right() + 24;
        const int width = std::min(area.width(), one);
        const int height = std::min(area.height(), heightForWidth(width));
        setGeometry(area.center().x() - width / 2, area.bottom() - height, width, height);
    }
    raise();
    QWidget::show();
    QAccessibleEvent changed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
    stay_.start(kShownMs);
}

} // namespace kelvore::qt
