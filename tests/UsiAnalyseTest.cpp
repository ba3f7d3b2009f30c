// kifu analyse through the engine front: one line per move, the summary, and stop.
#include "Front.h"
#include "Protocol.h"
#include "fakes/Talk.h"
#include "fakes/WaitingSink.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace kelvore;

namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// A folder of its own with the short game in which the lower side leaves its bishop to be
// taken (move 5), written by the engine front as a record.
struct Recorded {
    std::string dir;
    std::string path;
    Recorded() {
        char pattern[] = "/tmp/kelvore-analyse-XXXXXX";
        dir = mkdtemp(pattern);
        const std::string written = dir + "/対局.棋譜";
        usi::Protocol writer;
        std::ostringstream out;
        writer.handle("position startpos moves 7g7f 3c3d 2g2f 8c8d 8h5e 2b5e 5g5f", out);
        writer.handle("kifu write " + written + " 練習|上|下", out);
        EXPECT_EQ(out.str(), "kifu written " + written + "\n");
        // A name with a blank in it, as players name their files.
        path = dir + "/悪手 のある対局.棋譜";
        std::filesystem::rename(written, path);
    }
    ~Recorded() { std::filesystem::remove_all(dir); }
};

// An engine front with the record, answering one line at a time.
struct Analysing : Recorded {
    usi::Protocol engine;
    std::string say(const std::string& line) { return test::say(engine, line); }
};

} // namespace

TEST(UsiAnalyse, EveryMoveOnALineThenTheSummary) {
    Recorded r;
    usi::Protocol engine;
    std::ostringstream out;
    // A path with a blank in it, and a fixed depth after it.
    engine.handle("kifu analyse " + r.path + " depth 5", out);
    const std::vector<std::string> lines = linesOf(out.str());
    ASSERT_EQ(lines.size(), 11u) << out.str();
    EXPECT_EQ(lines[0], "info string analysing 7 moves, depth 5 a position");
    for (int ply = 1; ply <= 7; ++ply) {
        const std::string& line = lines[static_cast<std::size_t>(ply)];
        EXPECT_EQ(line.rfind("ply " + std::to_string(ply) + " move ", 0), 0u) << line;
        EXPECT_NE(line.find(" before cp "), std::string::npos) << line;
        EXPECT_NE(line.find(" after cp "), std::string::npos) << line;
        EXPECT_NE(line.find(" best "), std::string::npos) << line;
        if (ply != 5) {
            EXPECT_EQ(line.substr(line.size() - 7), " mark -") << line;
        }
    }
    EXPECT_EQ(lines[1].rfind("ply 1 move 7g7f ▲７六歩(77) before cp ", 0), 0u) << lines[1];
    EXPECT_EQ(lines[6].rfind("ply 6 move 2b5e △同　角(22) before cp ", 0), 0u) << lines[6];
    const std::string& blunder = lines[5];
    EXPECT_EQ(blunder.rfind("ply 5 move 8h5e ▲５五角(88) before cp ", 0), 0u) << blunder;
    EXPECT_NE(blunder.find(" mark 悪手 reason 角を只で取られます: △同　角(22)"), std::string::npos)
        << blunder;
    EXPECT_EQ(lines[8].rfind("summary ▲ moves 4 疑問手 0 悪手 1 averageloss ", 0), 0u) << lines[8];
    EXPECT_EQ(lines[9].rfind("summary △ moves 3 疑問手 0 悪手 0 averageloss ", 0), 0u) << lines[9];
    EXPECT_EQ(lines[10], "analyse done");

    // The same again gives the same lines: a fixed depth is deterministic.
    std::ostringstream again;
    engine.handle("kifu analyse " + r.path + " depth 5", again);
    EXPECT_EQ(again.str(), out.str());
}

TEST(UsiAnalyse, BadFilesAndLimitsAreRefusedPlainly) {
    Analysing r;
    EXPECT_EQ(r.say("kifu analyse " + r.dir + "/none.棋譜"),
              "info string cannot open " + r.dir + "/none.棋譜\n");
    EXPECT_EQ(r.say("kifu analyse " + r.dir), "info string cannot open " + r.dir + "\n");
    // A number alone is a path.
    EXPECT_EQ(r.say("kifu analyse 500"), "info string cannot open 500\n");
    const std::string broken = r.dir + "/broken.棋譜";
    {
        std::ofstream f(broken, std::ios::binary);
        f << "a\r\nb\r\nc\r\n 7776 -10 -10   0    0    0    0    0\r\n"
          << " 8882-900-900 800    0    0    0    0\r\n";
    }
    const std::string out = r.say("kifu analyse " + broken + " nodes 2000");
    EXPECT_EQ(out.rfind("info string move 2 does not fit the position", 0), 0u) << out;
    EXPECT_NE(out.find("info string analysing 1 moves, 2000 nodes a position\nply 1 move 3g3f "),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("\nanalyse done\n"), std::string::npos) << out;
}

// `kifu analyse game.棋譜 depth 10000` answered that it could not open "game.棋譜 depth 10000":
// a limit out of range was taken as a part of the file's name. It is refused by name now, and
// a word after a record's name that is no limit at all is too.
TEST(UsiAnalyse, ALimitItCannotTakeIsRefusedByName) {
    Analysing r;
    const std::pair<std::string, std::string> refused[] = {
        {"depth 10000", "depth 10000 is not a limit (depth 1 to 64)"},
        {"depth 0", "depth 0 is not a limit (depth 1 to 64)"},
        {"nodes -5", "nodes -5 is not a limit (nodes 1 to 1099511627776)"},
        {"nodes many", "nodes many is not a limit (nodes 1 to 1099511627776)"},
        {"0", "0 is not a limit (1 to 3600000 milliseconds a position)"},
        {"-5", "-5 is not a limit (1 to 3600000 milliseconds a position)"},
        {"1.5", "1.5 is not a limit (1 to 3600000 milliseconds a position)"},
        {"3600001", "3600001 is not a limit (1 to 3600000 milliseconds a position)"},
        {"abc", "abc is not a limit (<ms> | depth <n> | nodes <n>)"},
    };
    for (const auto& [limit, why] : refused)
        EXPECT_EQ(r.say("kifu analyse " + r.path + " " + limit),
                  "info string kifu analyse: " + why + "; nothing analysed\n")
            << limit;
    // A word that is no limit after what is no record: the whole is the name, not found.
    EXPECT_EQ(r.say("kifu analyse " + r.dir + "/none.棋譜 abc"),
              "info string cannot open " + r.dir + "/none.棋譜 abc\n");
    EXPECT_EQ(r.say("kifu analyse " + r.path + " depth 1")
                  .rfind("info string analysing 7 moves, depth 1", 0),
              0u);
}

// A long analysis: isready is answered while it runs, and stop ends it with the moves judged
// so far and the summary.
TEST(UsiAnalyse, StopEndsALongAnalysis) {
    Recorded r;
    usi::Protocol engine;
    test::WaitingSink sink;
    usi::Front front(engine, sink);
    front.take("kifu analyse " + r.path + " 600000");
    ASSERT_TRUE(sink.waitFor("info string analysing 7 moves, 600000 ms a position\n"));
    EXPECT_TRUE(front.runningLong());
    front.take("isready");
    ASSERT_TRUE(sink.waitFor("readyok\n"));
    front.take("stop");
    ASSERT_TRUE(sink.waitFor("analyse stopped after 0 of 8 positions\n"));
    front.finish();
    const std::string text = sink.text();
    EXPECT_EQ(text.find("ply "), std::string::npos) << text;
    EXPECT_NE(text.find("summary ▲ moves 0 疑問手 0 悪手 0 averageloss 0 averagechanceloss 0.0\n"),
              std::string::npos)
        << text;
}

// `to <file>` writes the judged game as KIF, its evaluations and lines after each move and the
// mark and reason of the blunder; the KIF is analysed in turn by its name.
TEST(UsiAnalyse, TheJudgementIsWrittenAsKifAndAKifIsAnalysed) {
    Analysing r;
    const std::string kif = r.dir + "/解析 済み.kifu";
    const std::string out = r.say("kifu analyse " + r.path + " depth 4 to " + kif);
    EXPECT_NE(out.find("info string the judgement written to " + kif + "\n"), std::string::npos)
        << out;
    std::ifstream in(kif);
    std::stringstream text;
    text << in.rdbuf();
    const std::vector<std::string> lines = linesOf(text.str());
    std::size_t evaluations = 0, readings = 0, move5 = lines.size();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        evaluations += lines[i].rfind("*#評価値=", 0) == 0;
        readings += lines[i].rfind("*#読み筋=", 0) == 0;
        if (lines[i].rfind("   5 ５五角(88)", 0) == 0) move5 = i;
    }
    EXPECT_EQ(evaluations, 8u) << text.str();
    EXPECT_EQ(readings, 8u) << text.str();
    ASSERT_LT(move5 + 1, lines.size()) << text.str();
    EXPECT_EQ(lines[move5 + 1], "*悪手　角を只で取られます: △同　角(22)\r");
    EXPECT_EQ(lines[move5 + 2].rfind("*#評価値=", 0), 0u);

    const std::string again = r.say("kifu analyse " + kif + " depth 4");
    EXPECT_NE(again.find("info string analysing 7 moves, depth 4 a position\n"), std::string::npos)
        << again;
    EXPECT_NE(again.find("ply 5 move 8h5e ▲５五角(88)"), std::string::npos) << again;
}
