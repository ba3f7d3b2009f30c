// Where the engine front's answers go. Answers are whole lines; lines written from different
// threads (the search's progress, `readyok` from the reader) never run into each other.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

namespace kelvore::usi {

// A receiver of whole lines. write() may be called from any thread; the text of one call is
// written in one piece.
class LineSink {
public:
    virtual ~LineSink() = default;
    virtual void write(std::string_view lines) = 0;
};

// Lines written to a file descriptor (the standard output). The first write that fails (a
// full disk, a closed pipe) ends all writing: failed() turns true, error() says why and
// `onFailure` is called once, on the thread that wrote.
class FdSink : public LineSink {
public:
    explicit FdSink(int fd) : fd_(fd) {}
    void write(std::string_view lines) override;
    bool failed() const { return failed_.load(); }
    int error() const { return error_.load(); }
    std::function<void()> onFailure; // set before the first write

private:
    int fd_;
    std::mutex mutex_;
    std::atomic<bool> failed_{false};
    std::atomic<int> error_{0};
};

// Lines kept in memory, for tests and the fuzzer.
class StringSink : public LineSink {
public:
    void write(std::string_view lines) override {
        std::lock_guard lock(mutex_);
        text_ += lines;
    }
    std::string text() const {
        std::lock_guard lock(mutex_);
        return text_;
    }

private:
    mutable std::mutex mutex_;
    std::string text_;
};

// A stream that hands every complete line to a sink as soon as its '\n' is written, so that
// progress lines leave while a command still runs. An unfinished last line is handed on when
// the stream is flushed or destroyed.
class LineStream : public std::ostream {
public:
    explicit LineStream(LineSink& sink) : std::ostream(&buffer_), buffer_(sink) {}
    ~LineStream() override { buffer_.pubsync(); }

private:
    class Buffer : public std::streambuf {
    public:
        explicit Buffer(LineSink& sink) : sink_(sink) {}

    protected:
        int_type overflow(int_type c) override;
        std::streamsize xsputn(const char* s, std::streamsize n) override;
        int sync() override;

    private:
        void handOnWholeLines();
        LineSink& sink_;
        std::string pending_;
    };
    Buffer buffer_;
};

} // namespace kelvore::usi
