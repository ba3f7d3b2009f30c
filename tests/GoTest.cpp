// `go` at the searching levels through the engine front: the limits it reads, the progress
// and answer lines, stop and quit during a search, and the game's earlier positions handed on.
#include "Go.h"
#include "Engine.h"
#include "Front.h"
#include "engine/Snapshot.h"
#include "fakes/WaitingSink.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <thread>

using namespace kelvore;
using namespace kelvore::usi;
using kelvore::test::WaitingSink;

namespace {

std::vector<std::string> split(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> w;
    for (std::string s; in >> s;) w.push_back(s);
    return w;
}

std::vector<std::string> lines(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> r;
    for (std::string l; std::getline(in, l);) r.push_back(l);
    return r;
}

const std::regex
    kInfo("info depth (\\d+) seldepth (\\d+) score (cp -?\\d+|mate -?\\d+) nodes "
          "(\\d+) nps (\\d+) time (\\d+)( pv( [1-9][a-i][1-9][a-i]\\+?| [A-Z]\\*[1-9][a-i])+)?");
const std::regex kBest("bestmove ([1-9][a-i][1-9][a-i]\\+?|[A-Z]\\*[1-9][a-i])( ponder "
                       "([1-9][a-i][1-9][a-i]\\+?|[A-Z]\\*[1-9][a-i]))?");

struct Searching {
    Engine engine;
    Searching() { EXPECT_EQ(say("setoption name Level value 4"), ""); }
    std::string say(const std::string& line) {
        std::ostringstream out;
        engine.handle(line, out);
        return out.str();
    }
    std::vector<std::string> legalMoves() {
        auto w = split(say("moves"));
        w.erase(w.begin());
        return w;
    }
};

} // namespace

TEST(GoLimits, EveryLimitOfTheProtocolIsRead) {
    GoLimits g = parseGo(split("go btime 60000 wtime 50000 byoyomi 10000"));
    EXPECT_TRUE(g.anyLimit);
    EXPECT_EQ(g.limits.lowerTimeMs, 60000) << "b is the lower side, which moves first";
    EXPECT_EQ(g.limits.upperTimeMs, 50000);
    EXPECT_EQ(g.limits.byoyomiMs, 10000);
    EXPECT_EQ(g.ignored, "");

    g = parseGo(split("go binc 100 winc 200 btime 1 wtime 2"));
    EXPECT_EQ(g.limits.lowerIncMs, 100);
    EXPECT_EQ(g.limits.upperIncMs, 200);
    EXPECT_EQ(g.limits.lowerTimeMs, 1);
    EXPECT_EQ(g.limits.upperTimeMs, 2);

    g = parseGo(split("go movetime 500 depth 7 nodes 123456789012"));
    EXPECT_EQ(g.limits.moveTimeMs, 500);
    EXPECT_EQ(g.limits.depth, 7);
    EXPECT_EQ(g.limits.nodes, 123456789012u);
    EXPECT_FALSE(g.limits.infinite);

    EXPECT_TRUE(parseGo(split("go infinite")).limits.infinite);
    EXPECT_TRUE(parseGo(split("go ponder btime 5 wtime 5")).limits.infinite);

    g = parseGo(split("go"));
    EXPECT_FALSE(g.anyLimit) << "a bare go takes the level's own time";
    EXPECT_EQ(g.limits.lowerTimeMs, -1);
}

TEST(GoLimits, UnreadableWordsAreSkippedAndNamed) {
    GoLimits g = parseGo(split("go depth x nodes"));
    EXPECT_FALSE(g.anyLimit);
    EXPECT_EQ(g.ignored, "depth x nodes");
    g = parseGo(split("go depth 0 movetime -5 mate 3 nodes 5"));
    EXPECT_EQ(g.ignored, "depth 0 movetime -5 mate 3");
    EXPECT_EQ(g.limits.depth, 0);
    EXPECT_EQ(g.limits.moveTimeMs, 0);
    EXPECT_EQ(g.limits.nodes, 5u);
    // Too large to mean anything: clamped, never wrapped round to a small or negative time.
    g = parseGo(split("go btime 99999999999 depth 1000"));
    EXPECT_EQ(g.limits.lowerTimeMs, 2147483647);
    EXPECT_EQ(g.limits.depth, 64);
}

TEST(GoSearching, ProgressLinesDeepenAndEndWithTheBestMoveOfTheLast) {
    Searching s;
    s.say("position startpos moves 7g7f 3c3d");
    const auto out = lines(s.say("go depth 4"));
    ASSERT_GE(out.size(), 2u);
    int depth = 0;
    std::string lastPv;
    for (std::size_t i = 0; i + 1 < out.size(); ++i) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(out[i], m, kInfo)) << out[i];
        EXPECT_EQ(std::stoi(m[1]), depth + 1) << "one line per completed iteration";
        depth = std::stoi(m[1]);
        EXPECT_GE(std::stoi(m[2]), depth);
        lastPv = m[7].matched ? split(m[7])[1] : "";
    }
    EXPECT_EQ(depth, 4);
    std::smatch best;
    ASSERT_TRUE(std::regex_match(out.back(), best, kBest)) << out.back();
    EXPECT_EQ(best[1], lastPv);
    const auto legal = s.legalMoves();
    EXPECT_NE(std::find(legal.begin(), legal.end(), best[1]), legal.end());
    if (best[3].matched) {
        // The answer to the move found: legal in the position after it.
        s.say("position startpos moves 7g7f 3c3d " + best[1].str());
        const auto replies = s.legalMoves();
        EXPECT_NE(std::find(replies.begin(), replies.end(), best[3]), replies.end());
    }
}

TEST(GoSearching, AWinByCaptureIsReportedAsAMateAndAFinishedGameIsResigned) {
    Searching s;
    // The upper king stands in front of the lower gold: taking it ends the game.
    s.say("position sfen 9/9/9/9/9/9/4k4/4G4/4K4 b - 1");
    const std::string out = s.say("go depth 2");
    EXPECT_NE(out.find(" score mate 1 "), std::string::npos) << out;
    EXPECT_NE(out.find("bestmove 5h5g\n"), std::string::npos) << out;
    s.say("position sfen 9/9/9/9/9/9/9/4G4/4K4 w - 1");
    EXPECT_EQ(s.say("go depth 2"), "bestmove resign\n");
}

TEST(GoSearching, TheSpecifiedLevelsAnswerAsBeforeWhateverTheLimits) {
    Engine e;
    std::ostringstream bare, timed;
    e.handle("position startpos moves 7g7f", bare);
    e.handle("go", bare);
    e.handle("go btime 1000 wtime 1000 byoyomi 100 depth 9", timed);
    EXPECT_EQ(timed.str(), bare.str());
    EXPECT_TRUE(std::regex_match(bare.str().substr(0, bare.str().size() - 1), kBest));
}

TEST(GoSearching, TheGamesEarlierPositionsAreHandedOnOldestFirst) {
    Searching s;
    // Both rooks out and back: the position after four moves is the starting one again.
    s.say("position startpos moves 2h3h 8b7b 3h2h 7b8b");
    const auto& keys = s.engine.history();
    ASSERT_EQ(keys.size(), 4u);
    const auto now = engine::positionKey(engine::snapshotOf(s.engine.form(), -1));
    EXPECT_EQ(keys[0], now) << "the start, with the lower side to move";
    EXPECT_NE(keys[1], now);
    EXPECT_NE(keys[1], keys[3]) << "the same board with the other side to move";
    s.say("position startpos");
    EXPECT_TRUE(s.engine.history().empty());
    s.say("position startpos moves 7g7f zz");
    EXPECT_EQ(s.engine.history().size(), 1u) << "up to the last accepted move";
}

TEST(GoSearching, StopEndsAnEndlessSearchWithItsBestMove) {
    Engine engine;
    engine.form().ComLevel = 5;
    WaitingSink out;
    Front front(engine, out);
    front.take("position startpos moves 7g7f 3c3d");
    front.take("go infinite");
    ASSERT_TRUE(out.waitFor("info depth 2 "));
    EXPECT_EQ(out.text().find("bestmove"), std::string::npos) << "it searches until stopped";
    front.take("isready");
    ASSERT_TRUE(out.waitFor("readyok\n"));
    front.take("stop");
    ASSERT_TRUE(out.waitFor("bestmove "));
    front.take("go depth 1");
    front.endOfInput();
    front.finish();
    const auto out1 = lines(out.text());
    int bestmoves = 0;
    for (const std::string& l : out1) {
        if (l.rfind("info depth", 0) == 0) {
            EXPECT_TRUE(std::regex_match(l, kInfo)) << l;
        }
        if (l.rfind("bestmove", 0) == 0) {
            ++bestmoves;
            EXPECT_TRUE(std::regex_match(l, kBest)) << l;
        }
    }
    EXPECT_EQ(bestmoves, 2) << "one answer for each go";
}

TEST(GoSearching, QuitDuringASearchAnswersAndEnds) {
    Engine engine;
    engine.form().ComLevel = 4;
    WaitingSink out;
    Front front(engine, out);
    front.take("position startpos");
    front.take("go infinite");
    ASSERT_TRUE(out.waitFor("info depth 1 "));
    EXPECT_FALSE(front.take("quit"));
    front.finish();
    const auto all = lines(out.text());
    ASSERT_FALSE(all.empty());
    EXPECT_TRUE(std::regex_match(all.back(), kBest)) << all.back();
}

TEST(GoSearching, TheEndOfInputStopsAnEndlessSearchButNotALimitedOne) {
    Engine engine;
    engine.form().ComLevel = 4;
    WaitingSink out;
    {
        Front front(engine, out);
        front.take("position startpos");
        front.take("go depth 3");
        front.take("go infinite");
        front.endOfInput();
        front.finish();
    }
    const std::string text = out.text();
    EXPECT_NE(text.find("info depth 3 "), std::string::npos) << "the limited search ran whole";
    std::size_t answers = 0;
    for (std::size_t at = text.find("bestmove"); at != std::string::npos;
         at = text.find("bestmove", at + 1))
        ++answers;
    EXPECT_EQ(answers, 2u);
}
