// The engine front's command loop: commands run on a worker while input is still read, so
// that stop, isready and quit are heard during a long command; the answers leave whole lines.
#include "Front.h"

#include <gtest/gtest.h>

#include <sstream>

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace kelvore;
using namespace kelvore::usi;

namespace {

// Keeps the answers and lets a test wait for one. The wait has a far deadline only so that a
// broken loop fails the test instead of hanging it; nothing is asserted about time.
class WaitingSink : public LineSink {
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

// The answers without the "info nodes … time …" lines, whose times vary.
std::string withoutTimes(const std::string& text) {
    std::istringstream in(text);
    std::string kept;
    for (std::string line; std::getline(in, line);)
        if (line.rfind("info nodes ", 0) != 0) kept += line + "\n";
    return kept;
}

struct Loop {
    Engine engine;
    WaitingSink out;
    Front front{engine, out};
    void waitUntilALongCommandRuns() {
        while (!front.runningLong()) std::this_thread::yield();
    }
};

} // namespace

TEST(Front, StopEndsADeepPerftWithAPartialCountAndThePositionIsAsBefore) {
    const std::string position = "position startpos moves 7g7f 3c3d";
    Engine fresh;
    std::ostringstream ignored, expected;
    fresh.handle(position, ignored);
    fresh.handle("d", expected);
    fresh.handle("perft 2", expected);

    Loop l;
    l.front.take(position);
    l.front.take("perft 7");
    l.waitUntilALongCommandRuns();
    // Some work of our own first, so that the stop usually finds the count deep in its lines.
    fresh.handle("perft 4", ignored);
    l.front.take("stop");
    ASSERT_TRUE(l.out.waitFor(" lines (a partial count)\n"));
    EXPECT_EQ(l.out.text().find("perft 7 stopped after "), 0u) << l.out.text();
    // Every move the stopped count made is taken back.
    l.front.take("d");
    l.front.take("perft 2");
    l.front.endOfInput();
    l.front.finish();
    const std::string after = l.out.text();
    EXPECT_EQ(withoutTimes(after.substr(after.find("upper hand:"))), withoutTimes(expected.str()));
}

TEST(Front, AStopTakenBeforeTheCommandStartsStillStopsIt) {
    Loop l;
    // Both lines are taken before the worker can start the perft.
    l.front.take("perft 7");
    l.front.take("stop");
    l.front.take("perft 1");
    l.front.endOfInput();
    l.front.finish();
    const std::string text = l.out.text();
    EXPECT_EQ(text.find("perft 7 stopped after "), 0u) << text;
    EXPECT_NE(text.find("perft 1 26\n"), std::string::npos) << "a command after stop runs whole";
}

TEST(Front, IsreadyIsAnsweredAtOnceWhileALongCommandRunsAndInTurnOtherwise) {
    Loop l;
    l.front.take("usi");
    l.front.take("isready");
    l.front.take("perft 7");
    l.waitUntilALongCommandRuns();
    l.front.take("isready");
    ASSERT_TRUE(l.out.waitFor("usiok\nreadyok\nreadyok\n"));
    EXPECT_EQ(l.out.text().find("perft"), std::string::npos) << "the perft still runs";
    l.front.take("stop");
    l.front.endOfInput();
    l.front.finish();
    EXPECT_NE(l.out.text().find("readyok\nperft 7 stopped"), std::string::npos);
}

TEST(Front, QuitStopsTheRunningCommandAndNothingAfterItIsRead) {
    Loop l;
    l.front.take("perft 7");
    l.waitUntilALongCommandRuns();
    EXPECT_FALSE(l.front.take("quit"));
    EXPECT_FALSE(l.front.take("isready"));
    l.front.finish();
    const std::string text = l.out.text();
    EXPECT_EQ(text.find("perft 7 stopped after "), 0u) << text;
    EXPECT_EQ(text.find("readyok"), std::string::npos);
}

TEST(Front, AtTheEndOfInputTheWaitingCommandsRunInOrder) {
    Loop l;
    for (const char* line : {"position startpos", "perft 3", "moves", "perft 2", "isready"})
        l.front.take(line);
    l.front.endOfInput();
    l.front.finish();
    const std::string text = l.out.text();
    const auto p3 = text.find("perft 3 17368\n"), m = text.find("moves "),
               p2 = text.find("perft 2 676\n"), ready = text.find("readyok\n");
    ASSERT_NE(p3, std::string::npos) << text;
    EXPECT_LT(p3, m);
    EXPECT_LT(m, p2);
    EXPECT_LT(p2, ready);
}

TEST(Front, DestroyingTheLoopStopsWhatRunsAndForgetsWhatWaits) {
    WaitingSink out;
    Engine engine;
    {
        Front front(engine, out);
        front.take("perft 7");
        front.take("perft 7");
        while (!front.runningLong()) std::this_thread::yield();
    }
    const std::string text = out.text();
    EXPECT_EQ(text.find("perft 7 stopped"), 0u) << text;
    EXPECT_EQ(text.find("perft 7", 1), std::string::npos) << "the second never started";
}

TEST(LineStream, HandsOnOnlyWholeLinesUntilFlushed) {
    WaitingSink sink;
    {
        LineStream out(sink);
        out << "info depth " << 3;
        EXPECT_EQ(sink.writes(), 0);
        out << " nodes 10\nbestm";
        EXPECT_EQ(sink.text(), "info depth 3 nodes 10\n");
        out << "ove 7g7f\n" << 'x' << '\n';
        EXPECT_EQ(sink.text(), "info depth 3 nodes 10\nbestmove 7g7f\nx\n");
        out << "tail";
    }
    EXPECT_EQ(sink.text(), "info depth 3 nodes 10\nbestmove 7g7f\nx\ntail");
}

TEST(FdSink, AFailedWriteIsReportedOnceAndEndsWriting) {
    const int full = ::open("/dev/full", O_WRONLY);
    ASSERT_GE(full, 0);
    FdSink sink(full);
    int failures = 0;
    sink.onFailure = [&] { ++failures; };
    sink.write("usiok\n");
    sink.write("readyok\n");
    EXPECT_TRUE(sink.failed());
    EXPECT_EQ(sink.error(), ENOSPC);
    EXPECT_EQ(failures, 1);
    ::close(full);

    // A pipe whose reader has gone, with the signal ignored as the program ignores it.
    const auto previous = std::signal(SIGPIPE, SIG_IGN);
    int p[2];
    ASSERT_EQ(::pipe(p), 0);
    ::close(p[0]);
    FdSink closed(p[1]);
    closed.write("bestmove 7g7f\n");
    EXPECT_TRUE(closed.failed());
    EXPECT_EQ(closed.error(), EPIPE);
    ::close(p[1]);
    std::signal(SIGPIPE, previous);
}

namespace {

// Runs the program with `input` on its standard input and `stdoutFd` as its standard output;
// returns its exit status, or -1 when it did not exit normally.
int runWithOutput(const std::string& input, int stdoutFd) {
    int in[2];
    if (::pipe(in) != 0) return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(in[0], 0);
        ::dup2(stdoutFd, 1);
        ::close(in[0]);
        ::close(in[1]);
        // The signal is left as a caller might leave it: the program must not rely on it.
        std::signal(SIGPIPE, SIG_DFL);
        ::execl(KELVORE_USI_BINARY, KELVORE_USI_BINARY, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(in[0]);
    [[maybe_unused]] const ssize_t n = ::write(in[1], input.data(), input.size());
    ::close(in[1]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(FdSink, TheProgramExitsWithAnErrorWhenItsAnswersCannotBeWritten) {
    const int full = ::open("/dev/full", O_WRONLY);
    ASSERT_GE(full, 0);
    EXPECT_EQ(runWithOutput("usi\nisready\nquit\n", full), 1) << "a full disk";
    ::close(full);

    int p[2];
    ASSERT_EQ(::pipe(p), 0);
    ::close(p[0]);
    EXPECT_EQ(runWithOutput("usi\nisready\n", p[1]), 1) << "a closed pipe, not a signal";
    ::close(p[1]);

    const int null = ::open("/dev/null", O_WRONLY);
    EXPECT_EQ(runWithOutput("usi\nisready\nquit\n", null), 0);
    ::close(null);
}
