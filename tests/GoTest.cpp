// `go` at the searching levels through the engine front: the limits it reads, the progress
// and answer lines, stop and quit during a search, and the game's earlier positions handed on.
#include "Go.h"
#include "BenchPositions.h"
#include "engine/Snapshot.h"
#include "fakes/Talk.h"
#include "notation/Usi.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <sstream>
#include <thread>

using namespace kelvore;
using namespace kelvore::usi;
using kelvore::notation::words;
using kelvore::test::linesOf;

namespace {

bool isNumber(const std::string& s, bool maySign = false) {
    const std::size_t from = maySign && !s.empty() && s[0] == '-' ? 1 : 0;
    return s.size() > from && s.find_first_not_of("0123456789", from) == std::string::npos;
}

// A move as USI writes it: 7g7f, 8h2b+ or B*5e.
bool isMove(const std::string& m) {
    auto square = [&](std::size_t i) {
        return m[i] >= '1' && m[i] <= '9' && m[i + 1] >= 'a' && m[i + 1] <= 'i';
    };
    if (m.size() == 4 && m[1] == '*') return m[0] >= 'A' && m[0] <= 'Z' && square(2);
    return (m.size() == 4 || (m.size() == 5 && m[4] == '+')) && square(0) && square(2);
}

// "info depth D seldepth S score cp|mate N nodes N nps N time T [pv m…]": depth, seldepth and
// the moves of the line; depth 0 when the line has another shape.
struct InfoLine {
    int depth = 0, selDepth = 0;
    std::vector<std::string> pv;
};
InfoLine readInfo(const std::string& line) {
    const auto w = words(line);
    const char* const keys[] = {"info", "depth", "", "seldepth", "", "score", "",
                                "",     "nodes", "", "nps",      "", "time",  ""};
    if (w.size() < 14 || (w.size() > 14 && (w[14] != "pv" || w.size() == 15))) return {};
    for (int i = 0; i < 14; ++i)
        if (*keys[i] != '\0' && w[i] != keys[i]) return {};
    if ((w[6] != "cp" && w[6] != "mate") || !isNumber(w[7], true)) return {};
    for (int i : {2, 4, 9, 11, 13})
        if (!isNumber(w[i])) return {};
    InfoLine r{std::stoi(w[2]), std::stoi(w[4]), {}};
    for (std::size_t i = 15; i < w.size(); ++i) {
        if (!isMove(w[i])) return {};
        r.pv.push_back(w[i]);
    }
    return r;
}

// "bestmove m [ponder p]": the two moves, or nothing when the line has another shape.
std::optional<std::pair<std::string, std::string>> readBest(const std::string& line) {
    const auto w = words(line);
    if ((w.size() != 2 && w.size() != 4) || w[0] != "bestmove" || !isMove(w[1])) return {};
    if (w.size() == 4 && (w[2] != "ponder" || !isMove(w[3]))) return {};
    return std::make_pair(w[1], w.size() == 4 ? w[3] : std::string());
}

} // namespace

// The protocol at level 4, spoken to straight or through its command loop.
class GoSearching : public ::testing::Test {
protected:
    GoSearching() { EXPECT_EQ(say("setoption name Level value 4"), ""); }
    std::string say(const std::string& line) { return test::say(protocol, line); }
    std::vector<std::string> legalMoves() {
        auto w = words(say("moves"));
        w.erase(w.begin());
        return w;
    }
    // The command loop over the protocol from now on, at `level`, given its first commands;
    // its answers go to `out`.
    Front& loop(int level, std::initializer_list<const char*> commands) {
        protocol.form().ComLevel = level;
        front.emplace(protocol, out);
        for (const char* c : commands) front->take(c);
        return *front;
    }

    Protocol protocol;
    test::WaitingSink out;
    std::optional<Front> front;
};

TEST(GoLimits, EveryLimitOfTheProtocolIsRead) {
    GoLimits g = parseGo(words("go btime 60000 wtime 50000 byoyomi 10000"));
    EXPECT_TRUE(g.anyLimit);
    EXPECT_EQ(g.limits.lowerTimeMs, 60000) << "b is the lower side, which moves first";
    EXPECT_EQ(g.limits.upperTimeMs, 50000);
    EXPECT_EQ(g.limits.byoyomiMs, 10000);
    EXPECT_EQ(g.ignored, "");

    g = parseGo(words("go binc 100 winc 200 btime 1 wtime 2"));
    EXPECT_EQ(g.limits.lowerIncMs, 100);
    EXPECT_EQ(g.limits.upperIncMs, 200);
    EXPECT_EQ(g.limits.lowerTimeMs, 1);
    EXPECT_EQ(g.limits.upperTimeMs, 2);

    g = parseGo(words("go movetime 500 depth 7 nodes 123456789012"));
    EXPECT_EQ(g.limits.moveTimeMs, 500);
    EXPECT_EQ(g.limits.depth, 7);
    EXPECT_EQ(g.limits.nodes, 123456789012u);
    EXPECT_FALSE(g.limits.infinite);

    EXPECT_TRUE(parseGo(words("go infinite")).limits.infinite);
    EXPECT_TRUE(parseGo(words("go ponder btime 5 wtime 5")).limits.infinite);

    g = parseGo(words("go"));
    EXPECT_FALSE(g.anyLimit) << "a bare go takes the level's own time";
    EXPECT_EQ(g.limits.lowerTimeMs, -1);
}

TEST(GoLimits, UnreadableWordsAreSkippedAndNamed) {
    GoLimits g = parseGo(words("go depth x nodes"));
    EXPECT_FALSE(g.anyLimit);
    EXPECT_EQ(g.ignored, "depth x nodes");
    g = parseGo(words("go depth 0 movetime -5 mate 3 nodes 5"));
    EXPECT_EQ(g.ignored, "depth 0 movetime -5 mate 3");
    EXPECT_EQ(g.limits.depth, 0);
    EXPECT_EQ(g.limits.moveTimeMs, 0);
    EXPECT_EQ(g.limits.nodes, 5u);
    // Too large to mean anything: clamped, never wrapped round to a small or negative time.
    g = parseGo(words("go btime 99999999999 depth 1000"));
    EXPECT_EQ(g.limits.lowerTimeMs, 2147483647);
    EXPECT_EQ(g.limits.depth, 64);
}

TEST_F(GoSearching, ProgressLinesDeepenAndEndWithTheBestMoveOfTheLast) {
    say("position startpos moves 7g7f 3c3d");
    const auto out = linesOf(say("go depth 4"));
    ASSERT_GE(out.size(), 2u);
    int depth = 0;
    std::string lastPv;
    for (std::size_t i = 0; i + 1 < out.size(); ++i) {
        const InfoLine info = readInfo(out[i]);
        EXPECT_EQ(info.depth, depth + 1) << out[i] << ": one line per completed iteration";
        depth = info.depth;
        EXPECT_GE(info.selDepth, depth);
        lastPv = info.pv.empty() ? "" : info.pv[0];
    }
    EXPECT_EQ(depth, 4);
    const auto best = readBest(out.back());
    ASSERT_TRUE(best) << out.back();
    EXPECT_EQ(best->first, lastPv);
    const auto legal = legalMoves();
    EXPECT_NE(std::find(legal.begin(), legal.end(), best->first), legal.end());
    if (!best->second.empty()) {
        // The answer to the move found: legal in the position after it.
        say("position startpos moves 7g7f 3c3d " + best->first);
        const auto replies = legalMoves();
        EXPECT_NE(std::find(replies.begin(), replies.end(), best->second), replies.end());
    }
}

// At levels 4 and 5 a short search sometimes answered another move than the first of its last
// info line (3 searches of 18 on fixed positions): a depth cut short by its limit had found a
// better move and said nothing of it. Here the first depth prefers 4c4d and the second, cut
// short at 300 nodes, 1c1d: its line now comes before the answer, and over the fixed positions
// the answer is always the first move of the last line.
TEST_F(GoSearching, ABetterMoveFoundByADepthCutShortIsReportedBeforeTheAnswer) {
    say(std::string("position sfen ") + kBenchPositions[6]);
    const auto out = linesOf(say("go nodes 300"));
    ASSERT_EQ(out.size(), 3u);
    const InfoLine first = readInfo(out[0]), cut = readInfo(out[1]);
    EXPECT_EQ(first.depth, 1);
    EXPECT_EQ(first.pv, std::vector<std::string>{"4c4d"});
    EXPECT_EQ(cut.depth, 2) << out[1];
    EXPECT_EQ(cut.pv, (std::vector<std::string>{"1c1d", "8h5e"}));
    EXPECT_EQ(readBest(out[2]), std::make_pair(std::string("1c1d"), std::string("8h5e")));

    for (const char* sfen : kBenchPositions)
        for (const int nodes : {300, 700, 3000}) {
            say(std::string("position sfen ") + sfen);
            const auto answer = linesOf(say("go nodes " + std::to_string(nodes)));
            ASSERT_GE(answer.size(), 2u) << sfen;
            const InfoLine last = readInfo(answer[answer.size() - 2]);
            const auto best = readBest(answer.back());
            ASSERT_TRUE(best && !last.pv.empty()) << sfen << " " << nodes;
            EXPECT_EQ(best->first, last.pv[0]) << sfen << " " << nodes;
            EXPECT_EQ(best->second, last.pv.size() > 1 ? last.pv[1] : "") << sfen << " " << nodes;
        }
}

TEST_F(GoSearching, AWinByCaptureIsReportedAsAMateAndAFinishedGameIsResigned) {
    // The upper king stands in front of the lower gold: taking it ends the game.
    say("position sfen 9/9/9/9/9/9/4k4/4G4/4K4 b - 1");
    const std::string out = say("go depth 2");
    EXPECT_NE(out.find(" score mate 1 "), std::string::npos) << out;
    EXPECT_NE(out.find("bestmove 5h5g\n"), std::string::npos) << out;
    say("position sfen 9/9/9/9/9/9/9/4G4/4K4 w - 1");
    EXPECT_EQ(say("go depth 2"), "bestmove resign\n");
}

TEST_F(GoSearching, TheSpecifiedLevelsAnswerAsBeforeWhateverTheLimits) {
    say("setoption name Level value 3");
    EXPECT_EQ(say("position startpos moves 7g7f"), "");
    const std::string bare = say("go");
    EXPECT_EQ(say("go btime 1000 wtime 1000 byoyomi 100 depth 9"), bare);
    EXPECT_TRUE(readBest(bare.substr(0, bare.size() - 1)));
}

TEST_F(GoSearching, TheGamesEarlierPositionsAreHandedOnOldestFirst) {
    // Both rooks out and back: the position after four moves is the starting one again.
    say("position startpos moves 2h3h 8b7b 3h2h 7b8b");
    const auto& keys = protocol.history();
    ASSERT_EQ(keys.size(), 4u);
    const auto now = engine::positionKey(engine::snapshotOf(protocol.form(), -1));
    EXPECT_EQ(keys[0], now) << "the start, with the lower side to move";
    EXPECT_NE(keys[1], now);
    EXPECT_NE(keys[1], keys[3]) << "the same board with the other side to move";
    say("position startpos");
    EXPECT_TRUE(protocol.history().empty());
    say("position startpos moves 7g7f zz");
    EXPECT_EQ(protocol.history().size(), 1u) << "up to the last accepted move";
}

TEST_F(GoSearching, StopEndsAnEndlessSearchWithItsBestMove) {
    Front& front = loop(5, {"position startpos moves 7g7f 3c3d", "go infinite"});
    ASSERT_TRUE(out.waitFor("info depth 2 "));
    EXPECT_EQ(out.text().find("bestmove"), std::string::npos) << "it searches until stopped";
    front.take("isready");
    ASSERT_TRUE(out.waitFor("readyok\n"));
    front.take("stop");
    ASSERT_TRUE(out.waitFor("bestmove "));
    front.take("go depth 1");
    front.endOfInput();
    front.finish();
    const auto out1 = linesOf(out.text());
    int bestmoves = 0;
    for (const std::string& l : out1) {
        if (l.rfind("info depth", 0) == 0) {
            EXPECT_GT(readInfo(l).depth, 0) << l;
        }
        if (l.rfind("bestmove", 0) == 0) {
            ++bestmoves;
            EXPECT_TRUE(readBest(l)) << l;
        }
    }
    EXPECT_EQ(bestmoves, 2) << "one answer for each go";
}

TEST_F(GoSearching, QuitDuringASearchAnswersAndEnds) {
    Front& front = loop(4, {"position startpos", "go infinite"});
    ASSERT_TRUE(out.waitFor("info depth 1 "));
    EXPECT_FALSE(front.take("quit"));
    front.finish();
    const auto all = linesOf(out.text());
    ASSERT_FALSE(all.empty());
    EXPECT_TRUE(readBest(all.back())) << all.back();
}

TEST_F(GoSearching, TheEndOfInputStopsAnEndlessSearchButNotALimitedOne) {
    Front& front = loop(4, {"position startpos", "go depth 3", "go infinite"});
    front.endOfInput();
    front.finish();
    const std::string text = out.text();
    EXPECT_NE(text.find("info depth 3 "), std::string::npos) << "the limited search ran whole";
    std::size_t answers = 0;
    for (std::size_t at = text.find("bestmove"); at != std::string::npos;
         at = text.find("bestmove", at + 1))
        ++answers;
    EXPECT_EQ(answers, 2u);
}

// A limit of zero or a clock that is not the mover's was read as "no limit": such a `go`
// waited for a stop that nobody sends.
TEST(GoLimits, ZeroLimitsAndMissingClocksAreGivenAnEnd) {
    engine::Limits own;
    own.moveTimeMs = 1234;
    auto limitsOf = [&](const std::string& line, int side) {
        return searchLimits(parseGo(words(line)), side, own);
    };
    for (const char* zero : {"go movetime 0", "go nodes 0", "go nodes 0 depth 9",
                             "go btime 0 wtime 0", "go btime 0 wtime 9000 movetime 500"}) {
        const engine::Limits l = limitsOf(zero, -1);
        EXPECT_EQ(l.depth, 1) << zero << ": the shallowest search";
        EXPECT_EQ(l.nodes, 0u) << zero;
        EXPECT_EQ(l.moveTimeMs, 0) << zero;
        EXPECT_EQ(l.lowerTimeMs, -1) << zero;
        EXPECT_FALSE(l.infinite) << zero;
    }
    EXPECT_TRUE(limitsOf("go ponder movetime 0", -1).infinite) << "still pondering";

    // The mover on byoyomi or living on its increment.
    engine::Limits l = limitsOf("go byoyomi 1000", 1);
    EXPECT_EQ(l.upperTimeMs, 0);
    EXPECT_EQ(l.byoyomiMs, 1000);
    l = limitsOf("go binc 100 winc 200", -1);
    EXPECT_EQ(l.lowerTimeMs, 0);
    EXPECT_EQ(l.lowerIncMs, 100);
    l = limitsOf("go btime 0 byoyomi 500", -1);
    EXPECT_EQ(l.lowerTimeMs, 0) << "time 0 is no zero limit while byoyomi remains";
    EXPECT_EQ(l.depth, 0);

    // Nothing for the mover: the level's own time, as for a bare go.
    for (const auto& [none, side] :
         {std::pair{"go wtime 5000", -1}, std::pair{"go wtime 5000 winc 100", -1},
          std::pair{"go btime 1 binc 100", 1}}) {
        l = limitsOf(none, side);
        EXPECT_EQ(l.moveTimeMs, 1234) << none;
        EXPECT_EQ(l.lowerTimeMs, -1) << none;
        EXPECT_EQ(l.upperTimeMs, -1) << none;
    }
    l = limitsOf("go wtime 5000 depth 3", -1);
    EXPECT_EQ(l.depth, 3) << "a finite limit of its own is kept";
    EXPECT_EQ(l.moveTimeMs, 0);

    // An endless search stays endless; a ponder gets the time it will have after ponderhit.
    l = limitsOf("go infinite", -1);
    EXPECT_TRUE(l.infinite);
    EXPECT_EQ(l.moveTimeMs, 0);
    l = limitsOf("go ponder", -1);
    EXPECT_TRUE(l.infinite);
    EXPECT_EQ(l.moveTimeMs, 1234);
    l = limitsOf("go ponder btime 60000 wtime 1 byoyomi 3000", -1);
    EXPECT_TRUE(l.infinite);
    EXPECT_EQ(l.lowerTimeMs, 60000);
    EXPECT_EQ(l.moveTimeMs, 0);
}

TEST_F(GoSearching, AZeroMovetimeAndAMissingClockAnswerWithoutAStop) {
    Front& front = loop(5, {"setoption name MoveTime value 20", "position startpos"});
    for (const char* go : {"go movetime 0", "go nodes 0", "go byoyomi 100", "go binc 50 winc 50",
                           "go wtime 5000", "go btime 0 wtime 0"})
        front.take(go);
    front.endOfInput(); // nothing will stop them: each must end by itself
    front.finish();
    const auto all = linesOf(out.text());
    std::vector<std::string> answers;
    int depthAtZero = 0;
    for (const std::string& l : all) {
        if (l.rfind("bestmove", 0) == 0) {
            EXPECT_TRUE(readBest(l)) << l;
            answers.push_back(l);
        } else if (answers.empty()) {
            depthAtZero = std::max(depthAtZero, readInfo(l).depth);
        }
    }
    EXPECT_EQ(answers.size(), 6u) << out.text();
    EXPECT_EQ(depthAtZero, 1) << "movetime 0 searches one ply";
}

// ponderhit stopped the search: its answer came within milliseconds, often before a single
// iteration, where a plain go with the same clock searched for seconds.
TEST_F(GoSearching, PonderhitKeepsSearchingUntilItsClock) {
    Front& front = loop(4, {"position startpos moves 7g7f 3c3d"});
    // The byoyomi is all there is: about 600 ms to 1 s of search from the ponderhit.
    front.take("go ponder btime 0 wtime 0 byoyomi 1000");
    ASSERT_TRUE(out.waitFor("info depth 3 "));
    // Longer than that budget, so that a clock counted from the go would already be spent.
    std::this_thread::sleep_for(std::chrono::milliseconds(1200));
    EXPECT_EQ(out.text().find("bestmove"), std::string::npos) << "pondering until told";
    const std::size_t before = out.text().size();
    const auto hit = std::chrono::steady_clock::now();
    front.take("ponderhit");
    front.endOfInput(); // after its ponderhit the search is no longer endless: it runs on
    front.finish();
    const auto took = std::chrono::steady_clock::now() - hit;
    const std::string after = out.text().substr(before);
    const auto tail = linesOf(after);
    ASSERT_FALSE(tail.empty());
    EXPECT_TRUE(readBest(tail.back())) << after;
    // Searching on for most of the byoyomi (only a lower bound: a busy machine takes longer).
    EXPECT_GE(took, std::chrono::milliseconds(250)) << "the clock runs from the ponderhit";
}

TEST_F(GoSearching, APonderhitBeforeThePonderStartsIsKeptForIt) {
    Front& front = loop(4, {"position startpos"});
    front.take("perft 5"); // the go ponder waits behind it
    front.take("go ponder movetime 300");
    front.take("ponderhit");
    // The end of the input stops an endless search; after its ponderhit this one is not.
    front.endOfInput();
    front.finish();
    const auto all = linesOf(out.text());
    ASSERT_GE(all.size(), 3u);
    EXPECT_EQ(all[0], "perft 5 11555679");
    EXPECT_TRUE(readBest(all.back())) << all.back();
    int deepest = 0;
    for (const std::string& l : all) deepest = std::max(deepest, readInfo(l).depth);
    EXPECT_GE(deepest, 2) << "searched on its move time, not stopped";
}

// A finished game answered `bestmove resign` also to the side that had won, and at once
// during `go infinite`.
TEST_F(GoSearching, AWonPositionIsReportedAsAWinAndAnEndlessGoWaitsForItsStop) {
    // The upper side has no royal piece left: the lower side, to move, has won.
    say("position sfen 9/9/9/9/9/9/9/4G4/4K4 b - 1");
    const std::string won = say("go depth 2");
    EXPECT_EQ(won.rfind("info string the game is over: the lower side (b), to move, has won", 0),
              0u)
        << won;
    EXPECT_EQ(won.substr(won.find('\n') + 1), "bestmove win\n");
    say("setoption name Level value 2");
    EXPECT_EQ(linesOf(say("go")).back(), "bestmove win") << "the game's own levels too";
    say("position sfen 9/9/9/9/9/9/9/4G4/4K4 w - 1");
    EXPECT_EQ(say("go"), "bestmove resign\n");

    Front& front = loop(4, {"position sfen 9/9/9/9/9/9/9/4G4/4K4 b - 1", "go infinite"});
    while (!front.runningLong()) std::this_thread::yield();
    front.take("isready");
    ASSERT_TRUE(out.waitFor("readyok\n"));
    EXPECT_EQ(out.text().find("bestmove"), std::string::npos) << "no answer before the stop";
    front.take("stop");
    ASSERT_TRUE(out.waitFor("bestmove win\n"));
    front.take("go ponder");
    front.take("ponderhit");
    front.endOfInput();
    front.finish();
    const auto all = linesOf(out.text());
    EXPECT_EQ(all.back(), "bestmove win") << "a ponderhit ends the wait as well";
}

// MultiPV: each completed depth reports its best moves, numbered, each with its own first move
// and score; the answer is the first line's move. With 1 the
// lines are the single search's, unnumbered, node for node.
TEST_F(GoSearching, MultiPVReportsTheBestMovesEachWithItsLine) {
    EXPECT_NE(say("usi").find("option name MultiPV type spin default 1 min 1 max 5\n"),
              std::string::npos);
    say("position startpos moves 7g7f 3c3d");
    const std::string single = say("go depth 5");
    EXPECT_EQ(single.find("multipv"), std::string::npos);

    EXPECT_EQ(say("setoption name MultiPV value 9"),
              "info string MultiPV must be a number from 1 to 5\n");
    EXPECT_EQ(say("setoption name MultiPV value 3"), "");
    const auto out = linesOf(say("go depth 5"));
    std::vector<std::string> firsts;
    std::vector<int> scores;
    for (const std::string& line : out) {
        if (line.rfind("info multipv ", 0) != 0) continue;
        const auto w = words(line);
        ASSERT_GE(w.size(), 5u) << line;
        if (w[4] != "5") continue; // depth 5 only
        EXPECT_EQ(w[2], std::to_string(firsts.size() + 1)) << line;
        const auto pv = std::find(w.begin(), w.end(), "pv");
        ASSERT_NE(pv, w.end()) << line;
        ASSERT_NE(pv + 1, w.end()) << line;
        firsts.push_back(*(pv + 1));
        const auto cp = std::find(w.begin(), w.end(), "cp");
        if (cp != w.end()) scores.push_back(std::stoi(*(cp + 1)));
    }
    ASSERT_EQ(firsts.size(), 3u) << say("d");
    EXPECT_NE(firsts[0], firsts[1]);
    EXPECT_NE(firsts[1], firsts[2]);
    EXPECT_NE(firsts[0], firsts[2]);
    EXPECT_EQ(scores.size(), 3u);
    const auto best = readBest(out.back());
    ASSERT_TRUE(best) << out.back();
    EXPECT_EQ(best->first, firsts[0]);

    // Back to one line: the same lines as the first search.
    EXPECT_EQ(say("setoption name MultiPV value 1"), "");
    say("usinewgame");
    const std::string again = say("go depth 5");
    auto withoutTimes = [](const std::string& text) {
        std::string kept;
        for (const std::string& line : linesOf(text)) {
            const auto w = words(line);
            for (std::size_t i = 0; i < w.size(); ++i) {
                if ((w[i] == "nps" || w[i] == "time") && i + 1 < w.size()) {
                    ++i;
                    continue;
                }
                kept += w[i] + " ";
            }
            kept += "\n";
        }
        return kept;
    };
    EXPECT_EQ(withoutTimes(again), withoutTimes(single));
}
