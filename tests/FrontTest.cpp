// The engine front's command loop: commands run on a worker while input is still read, so
// that stop, isready and quit are heard during a long command; the answers leave whole lines.
#include "fakes/Harness.h"
#include "fakes/Talk.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <sstream>

using namespace kelvore;
using kelvore::test::Loop;
using kelvore::test::WaitingSink;
using namespace kelvore::usi;

namespace {

// The answers without the "info nodes … time …" lines, whose times vary.
std::string withoutTimes(const std::string& text) {
    std::istringstream in(text);
    std::string kept;
    for (std::string line; std::getline(in, line);)
        if (line.rfind("info nodes ", 0) != 0) kept += line + "\n";
    return kept;
}

} // namespace

TEST(Front, StopEndsADeepPerftWithAPartialCountAndThePositionIsAsBefore) {
    const std::string position = "position startpos moves 7g7f 3c3d";
    Protocol fresh;
    test::say(fresh, position);
    const std::string expected = test::say(fresh, "d") + test::say(fresh, "perft 2");

    Loop l;
    l.front.take(position);
    l.front.take("perft 7");
    l.waitUntilALongCommandRuns();
    // Some work of our own first, so that the stop usually finds the count deep in its lines.
    test::say(fresh, "perft 4");
    l.front.take("stop");
    ASSERT_TRUE(l.out.waitFor(" lines (a partial count)\n"));
    EXPECT_EQ(l.out.text().find("perft 7 stopped after "), 0u) << l.out.text();
    // Every move the stopped count made is taken back.
    l.front.take("d");
    l.front.take("perft 2");
    l.front.endOfInput();
    l.front.finish();
    const std::string after = l.out.text();
    EXPECT_EQ(withoutTimes(after.substr(after.find("upper hand:"))), withoutTimes(expected));
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

TEST(Front, WaitingCommandsRunInOrderAndAStopReachesThoseTakenBeforeIt) {
    Loop l;
    // The perft runs until the stop is taken, so the match behind it starts with the stop
    // already heard: both end at once, while what comes after the stop runs whole, also
    // after the end of the input.
    for (const char* line : {"perft 7", "match 1 1 100000 1", "stop", "position startpos",
                             "perft 3", "moves", "perft 2", "isready"})
        l.front.take(line);
    l.front.endOfInput();
    l.front.finish();
    const std::string text = l.out.text();
    EXPECT_EQ(text.find("perft 7 stopped after "), 0u) << text;
    EXPECT_NE(text.find("info string match stopped after 0 games\nmatch A 0 B 0 draws 0"),
              std::string::npos);
    const auto p3 = text.find("perft 3 17368\n"), m = text.find("moves "),
               p2 = text.find("perft 2 676\n"), ready = text.find("readyok\n");
    ASSERT_NE(p3, std::string::npos) << text;
    EXPECT_LT(p3, m);
    EXPECT_LT(m, p2);
    EXPECT_LT(p2, ready);
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

TEST(Output, TheProgramExitsWithAnErrorWhenItsAnswersCannotBeWritten) {
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

// A kifu read of a large record held isready back, and stop could not end it.
TEST(Front, IsreadyIsAnsweredAtOnceDuringALongKifuReadAndStopEndsIt) {
    const test::TempFolder dir;
    const std::string small = dir.path + "/small.棋譜", large = dir.path + "/large.棋譜";
    {
        // Both rooks out and back, over and over: the largest record read, some 400000 moves.
        Protocol writer;
        test::say(writer, "position startpos moves 2h3h 8b7b 3h2h 7b8b");
        test::say(writer, "kifu write " + small + " a|b|c");
        std::ifstream in(small, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        std::size_t at = 0;
        for (int i = 0; i < 3; ++i) at = bytes.find('\n', at) + 1;
        const std::string header = bytes.substr(0, at), cycle = bytes.substr(at);
        std::ofstream out(large, std::ios::binary);
        out << header;
        for (std::size_t size = header.size(); size + cycle.size() <= 16 * 1024 * 1024;
             size += cycle.size())
            out << cycle;
    }
    Loop l;
    l.front.take("position startpos");
    l.front.take("kifu read " + large);
    l.waitUntilALongCommandRuns();
    l.front.take("isready");
    l.front.take("stop");
    l.front.take("d");
    l.front.endOfInput();
    l.front.finish();
    const std::string text = l.out.text();
    const auto ready = text.find("readyok\n"), name = text.find("kifu name a\n");
    ASSERT_NE(ready, std::string::npos) << text.substr(0, 300);
    EXPECT_TRUE(name == std::string::npos || ready < name) << "answered while the read ran";
    EXPECT_NE(text.find("info string kifu read stopped"), std::string::npos);
    EXPECT_NE(text.find("sfen "), std::string::npos) << "the commands after it still run";
}
