// Recording fakes of the platform: what the game drew, said, marked, timed and played.
#pragma once

#include "platform/Platform.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace kelvore::test {

struct DrawOp {
    enum Kind { Fill, Picture, Outline, Text } kind;
    int value = 0; // picture code or colour
    double x = 0, y = 0, x2 = 0, y2 = 0;
    std::string text;
    int size = 0;
    bool bold = false;
};

class RecordingCanvas : public Canvas {
public:
    std::vector<DrawOp> ops;
    void fillWindow(int colour) override { ops.push_back({DrawOp::Fill, colour}); }
    void drawPicture(int code, double x, double y) override {
        ops.push_back({DrawOp::Picture, code, x, y});
    }
    void drawOutline(int colour, double x1, double y1, double x2, double y2) override {
        ops.push_back({DrawOp::Outline, colour, x1, y1, x2, y2});
    }
    void drawText(std::string_view text, double x, double y, int colour, int size,
                  bool bold) override {
        ops.push_back({DrawOp::Text, colour, x, y, 0, 0, std::string(text), size, bold});
    }
    std::vector<DrawOp> of(DrawOp::Kind k) const {
        std::vector<DrawOp> r;
        std::copy_if(ops.begin(), ops.end(), std::back_inserter(r),
                     [k](const DrawOp& o) { return o.kind == k; });
        return r;
    }
    void clear() { ops.clear(); }
};

struct Box {
    std::string prompt, title;
    Buttons buttons;
    Icon icon;
};

class ScriptedDialogs : public Dialogs {
public:
    std::vector<Box> shown;
    // Answers for the Yes/No and promotion boxes, in order; Yes when empty.
    std::deque<Answer> answers;
    std::function<void(const Box&)> onShow; // called while each box is open, when set
    Answer messageBox(std::string_view prompt, std::string_view title, Buttons buttons,
                      Icon icon) override {
        shown.push_back({std::string(prompt), std::string(title), buttons, icon});
        if (onShow) onShow(shown.back());
        if (buttons == Buttons::OK) return Answer::OK;
        if (answers.empty()) return Answer::Yes;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
};

class FakeMenu : public Menu {
public:
    std::map<MenuItem, bool> checked, enabled;
    void setChecked(MenuItem item, bool c) override { checked[item] = c; }
    bool isChecked(MenuItem item) const override {
        auto it = checked.find(item);
        return it != checked.end() && it->second;
    }
    void setEnabled(MenuItem item, bool e) override { enabled[item] = e; }
};

class FakeTimer : public Timer {
public:
    bool enabled = false;
    void setEnabled(bool e) override { enabled = e; }
    bool isEnabled() const override { return enabled; }
};

class FakeClock : public Clock {
public:
    double now = 36000;        // 10:00:00
    double advancePerRead = 0; // seconds the clock moves on at every reading
    double secondsSinceMidnight() override {
        const double t = now;
        now += advancePerRead;
        if (now >= 86400) now -= 86400;
        return t;
    }
    void sleepFor(double s) override { now = std::fmod(now + s, 86400.0); }
};

class FakeSound : public SoundLibrary {
public:
    std::vector<std::string> calls;
    std::int32_t device = 7; // what dsInitialize returns; 0 means no sound device
    std::int32_t dsInitialize(std::intptr_t) override {
        calls.push_back("dsInitialize");
        return device;
    }
    std::int32_t dsCreateDSB(std::int32_t, const std::vector<std::uint8_t>&,
                             std::int32_t flag) override {
        calls.push_back("dsCreateDSB " + std::to_string(flag));
        return static_cast<std::int32_t>(calls.size());
    }
    void dsPlay(std::int32_t b) override { calls.push_back("dsPlay " + std::to_string(b)); }
    void dsPlayLooping(std::int32_t b) override {
        calls.push_back("dsPlayLooping " + std::to_string(b));
    }
    void dsStop(std::int32_t b) override { calls.push_back("dsStop " + std::to_string(b)); }
    void dsFree(std::int32_t b) override { calls.push_back("dsFree " + std::to_string(b)); }
    void dsTerminate(std::int32_t d) override {
        calls.push_back("dsTerminate " + std::to_string(d));
    }
};

class FakePanel : public RecordPanel {
public:
    bool driveList = false, folderList = false, fileList = false, fields = false;
    std::string text[5];
    void setListsVisible(bool d, bool fo, bool fi) override {
        driveList = d;
        folderList = fo;
        fileList = fi;
    }
    void setFieldsVisible(bool v) override { fields = v; }
    void setFieldText(int f, std::string_view t) override {
        if (f >= 1 && f <= 4) text[f] = std::string(t);
    }
    std::string fieldText(int f) const override { return f >= 1 && f <= 4 ? text[f] : ""; }
    std::string dir, fileDir;
    int refreshed = 0;
    std::string folder() const override { return dir; }
    void showFolder(const std::string& path) override { dir = path; }
    void setFileFolder(const std::string& path) override { fileDir = path; }
    void refreshFiles() override { ++refreshed; }
};

class FakeWindow : public Window {
public:
    int topEdge = 200;
    int placed = 0, placedWidth = 0, placedHeight = 0;
    int quits = 0;
    std::intptr_t handle() const override { return 42; }
    int top() const override { return topEdge; }
    void place(int, int, int w, int h) override {
        ++placed;
        placedWidth = w;
        placedHeight = h;
    }
    void quit() override { ++quits; }
};

// Continuations for the window thread, kept until the test runs them: nothing of a worker's
// result reaches the game before the test says so.
class FakeDispatcher : public Dispatcher {
public:
    void post(std::function<void()> continuation) override {
        std::lock_guard lock(mutex_);
        queue_.push_back(std::move(continuation));
    }
    std::size_t waiting() {
        std::lock_guard lock(mutex_);
        return queue_.size();
    }
    // Runs what is posted, and what that posts, in order; returns how many ran.
    int drain() {
        int n = 0;
        for (;;) {
            std::function<void()> next;
            {
                std::lock_guard lock(mutex_);
                if (queue_.empty()) return n;
                next = std::move(queue_.front());
                queue_.pop_front();
            }
            next();
            ++n;
        }
    }

private:
    std::mutex mutex_;
    std::deque<std::function<void()>> queue_;
};

// The status texts shown, in order.
class RecordingStatus : public StatusLine {
public:
    std::vector<std::string> shown;
    void show(std::string_view text) override { shown.emplace_back(text); }
};

struct FakePlatform {
    RecordingCanvas canvas;
    ScriptedDialogs dialogs;
    FakeMenu menu;
    FakeTimer timer;
    FakeClock clock;
    FakeSound sound;
    FakePanel panel;
    FakeWindow window;
    FakeDispatcher dispatcher;
    RecordingStatus status;
    Platform platform{canvas, dialogs, menu,   timer,      clock,
                      sound,  panel,   window, dispatcher, status};
};

} // namespace kelvore::test
