// The engine front's match between levels: the searching levels, draws by repetition, and the
// summary.
#include "fakes/Talk.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <thread>

using namespace kelvore;
using kelvore::test::say;

namespace {

struct Summary {
    int a = -1, b = -1, draws = -1, repetitions = -1;
    int gameLines = 0, repeatedLines = 0;
};

// Reads the lines "game <n> A <lower|upper> winner <A|B|draw> plies <n> [repetition]" and
// "match A <n> B <n> draws <n> repetitions <n>".
Summary summaryOf(const std::string& text) {
    Summary s;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string w[10];
        int n = 0;
        while (n < 10 && words >> w[n]) ++n;
        if (n >= 8 && w[0] == "game" && w[2] == "A" && w[4] == "winner" && w[6] == "plies") {
            ++s.gameLines;
            EXPECT_TRUE(w[3] == "lower" || w[3] == "upper") << line;
            EXPECT_TRUE(w[5] == "A" || w[5] == "B" || w[5] == "draw") << line;
            if (n == 9) {
                EXPECT_EQ(w[8], "repetition") << line;
                ++s.repeatedLines;
                EXPECT_EQ(w[5], "draw") << line;
                EXPECT_LT(std::stoi(w[7]), 400) << line;
            }
        } else if (n == 9 && w[0] == "match" && w[1] == "A" && w[3] == "B" && w[5] == "draws" &&
                   w[7] == "repetitions") {
            s.a = std::stoi(w[2]);
            s.b = std::stoi(w[4]);
            s.draws = std::stoi(w[6]);
            s.repetitions = std::stoi(w[8]);
        }
    }
    return s;
}

} // namespace

// The specified levels shuffle the same pieces back and forth when they meet: those games now
// end at the fourth occurrence of a position instead of running on to the ply limit.
TEST(UsiMatch, CyclesEndAsDrawsByRepetition) {
    usi::Protocol engine;
    const std::string out = say(engine, "match 3 3 4 1");
    const Summary s = summaryOf(out);
    EXPECT_EQ(s.gameLines, 4) << out;
    EXPECT_EQ(s.a + s.b + s.draws, 4);
    EXPECT_GT(s.repetitions, 0) << out;
    EXPECT_EQ(s.repetitions, s.repeatedLines);
    EXPECT_LE(s.repetitions, s.draws);
    EXPECT_EQ(out, say(engine, "match 3 3 4 1")) << "the same seed plays the same games";
}

TEST(UsiMatch, TheSearchingLevelsPlayWholeGames) {
    usi::Protocol engine;
    say(engine, "setoption name MoveTime value 2");
    const Summary s = summaryOf(say(engine, "match 4 5 2 3"));
    EXPECT_EQ(s.gameLines, 2);
    EXPECT_EQ(s.a + s.b + s.draws, 2);
    // Against the random player the search wins.
    const Summary random = summaryOf(say(engine, "match 4 0 2 3"));
    EXPECT_EQ(random.a, 2);
    EXPECT_EQ(engine.form().ComLevel, 3) << "a match leaves the level as it found it";
}

TEST(UsiMatch, RefusesLevelsItDoesNotKnow) {
    usi::Protocol engine;
    const std::string usage = "info string usage: match <levelA 0-5> <levelB 0-5> <games> <seed>\n";
    EXPECT_EQ(say(engine, "match 6 1 1 1"), usage);
    EXPECT_EQ(say(engine, "match 1 -1 1 1"), usage);
    EXPECT_EQ(say(engine, "match 4 4 0 1"), usage);
}

// The match's searches ran on a stop flag of their own: stop and quit waited for the whole
// game, a minute a move at this MoveTime.
TEST(UsiMatch, StopDuringALevel4MatchEndsIt) {
    for (const char* word : {"stop", "quit"}) {
        usi::Protocol engine;
        test::WaitingSink out;
        usi::Front front(engine, out);
        front.take("setoption name MoveTime value 60000");
        front.take("match 4 5 3 1");
        while (!front.runningLong()) std::this_thread::yield();
        // Past the four random plies, well into the first search.
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        EXPECT_EQ(front.take(word), std::string(word) == "stop");
        ASSERT_TRUE(out.waitFor("match A ")) << word;
        front.endOfInput();
        front.finish();
        const std::string text = out.text();
        EXPECT_EQ(text.rfind("info string match stopped after 0 games\n", 0), 0u) << text;
        const Summary s = summaryOf(text);
        EXPECT_EQ(s.gameLines, 0) << "the game in play is not counted";
        EXPECT_EQ(s.a + s.b + s.draws, 0) << text;
        EXPECT_EQ(engine.form().ComLevel, 3) << "the level is as the match found it";
    }
}
