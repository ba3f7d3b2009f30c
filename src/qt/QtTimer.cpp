#include "QtTimer.h"

#include <QTime>

#include <chrono>
#include <thread>

namespace kelvore::qt {

double SystemClock::secondsSinceMidnight() {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

void SystemClock::sleepFor(double seconds) {
    if (seconds > 0) std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

QtTimer::QtTimer(std::function<void()> tick) {
    timer_.setInterval(50);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, std::move(tick));
}

void QtTimer::setEnabled(bool enabled) {
    if (enabled)
        timer_.start();
    else
        timer_.stop();
}

bool QtTimer::isEnabled() const {
    return timer_.isActive();
}

} // namespace kelvore::qt
