// A platform that draws nothing, says nothing and plays nothing: for the engine front and the
// benchmarks, which run the game without a window.
#pragma once

#include "platform/Platform.h"

#include <deque>
#include <mutex>

namespace kelvore {

class NullPlatform : public Canvas,
                     public Dialogs,
                     public Menu,
                     public Timer,
                     public Clock,
                     public SoundLibrary,
                     public RecordPanel,
                     public Window,
                     public Dispatcher,
                     public StatusLine {
public:
    // Canvas
    void fillWindow(int) override {}
    void drawPicture(int, double, double) override {}
    void drawOutline(int, double, double, double, double) override {}
    void drawText(std::string_view, double, double, int, int, bool) override {}
    // Dialogs: every box is answered No / OK, so nothing starts over by itself.
    Answer messageBox(std::string_view, std::string_view, Buttons b, Icon) override {
        return b == Buttons::OK ? Answer::OK : Answer::No;
    }
    // StatusLine
    void show(std::string_view) override {}
    // Menu
    void setChecked(MenuItem item, bool c) override { checked_[static_cast<int>(item)] = c; }
    bool isChecked(MenuItem item) const override { return checked_[static_cast<int>(item)]; }
    void setEnabled(MenuItem, bool) override {}
    // Timer
    void setEnabled(bool e) override { timer_ = e; }
    bool isEnabled() const override { return timer_; }
    // Clock
    double secondsSinceMidnight() override { return 0; }
    void sleepFor(double) override {}
    // Sound
    std::int32_t dsInitialize(std::intptr_t) override { return 0; }
    std::int32_t dsCreateDSB(std::int32_t, const std::vector<std::uint8_t>&,
                             std::int32_t) override {
        return 0;
    }
    void dsPlay(std::int32_t) override {}
    void dsPlayLooping(std::int32_t) override {}
    void dsStop(std::int32_t) override {}
    void dsFree(std::int32_t) override {}
    void dsTerminate(std::int32_t) override {}
    // RecordPanel
    void setListsVisible(bool, bool, bool) override {}
    void setFieldsVisible(bool) override {}
    void setFieldText(int, std::string_view) override {}
    std::string fieldText(int) const override { return {}; }
    std::string folder() const override { return {}; }
    void showFolder(const std::string&) override {}
    void setFileFolder(const std::string&) override {}
    void refreshFiles() override {}
    // Window
    std::intptr_t handle() const override { return 0; }
    int top() const override { return -60; }
    void place(int, int, int, int) override {}
    void quit() override {}
    // Dispatcher: there is no window thread; whoever drives the game runs the continuations.
    void post(std::function<void()> continuation) override {
        std::lock_guard lock(postedMutex_);
        posted_.push_back(std::move(continuation));
    }
    // Runs the continuations posted so far, and those they post, in order; returns how many.
    int runPosted() {
        int n = 0;
        for (;;) {
            std::function<void()> next;
            {
                std::lock_guard lock(postedMutex_);
                if (posted_.empty()) return n;
                next = std::move(posted_.front());
                posted_.pop_front();
            }
            next();
            ++n;
        }
    }

    Platform platform{*this, *this, *this, *this, *this, *this, *this, *this, *this, *this};

private:
    std::mutex postedMutex_;
    std::deque<std::function<void()>> posted_;
    bool checked_[static_cast<int>(MenuItem::Count)]{};
    bool timer_ = false;
};

} // namespace kelvore
