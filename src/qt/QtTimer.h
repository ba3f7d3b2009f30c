// The time as the game reads it: the time of day, and its clock timer Timer1 ticking every
// 50 ms on the window's thread while the game keeps it enabled.
#pragma once

#include "platform/Platform.h"

#include <QTimer>

#include <functional>

namespace kelvore::qt {

class SystemClock : public Clock {
public:
    double secondsSinceMidnight() override;
    void sleepFor(double seconds) override;
};

class QtTimer : public Timer {
public:
    // `tick` runs at every tick: the game's Timer1_Timer.
    explicit QtTimer(std::function<void()> tick);
    void setEnabled(bool enabled) override;
    bool isEnabled() const override;

private:
    QTimer timer_;
};

} // namespace kelvore::qt
