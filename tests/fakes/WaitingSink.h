// The engine front's answers kept in memory, with a way to wait for one of them. The wait has
// a far deadline only so that a broken loop fails its test instead of hanging it; nothing is
// asserted about time.
#pragma once

#include "Output.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>

namespace kelvore::test {

class WaitingSink : public usi::LineSink {
public:
    void write(std::string_view lines) override {
        {
            std::lock_guard lock(mutex_);
            text_ += lines;
            ++writes_;
        }
        changed_.notify_all();
    }
    bool waitFor(const std::string& needle) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::minutes(5),
                                 [&] { return text_.find(needle) != std::string::npos; });
    }
    std::string text() {
        std::lock_guard lock(mutex_);
        return text_;
    }
    int writes() {
        std::lock_guard lock(mutex_);
        return writes_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::string text_;
    int writes_ = 0;
};

} // namespace kelvore::test
