// kelvore-usi through its text protocol.
#include "fakes/Harness.h"
#include "fakes/Talk.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iconv.h>
#include <sstream>

using namespace kelvore;

namespace {

bool contains(const std::vector<std::string>& v, const std::string& s) {
    return std::find(v.begin(), v.end(), s) != v.end();
}

} // namespace

// A protocol of its own for each test, spoken to one command at a time.
class Usi : public ::testing::Test {
protected:
    std::string say(const std::string& line) { return test::say(protocol, line); }
    std::vector<std::string> moves() {
        std::istringstream in(say("moves"));
        std::string word;
        in >> word;
        EXPECT_EQ(word, "moves");
        std::vector<std::string> list;
        while (in >> word) list.push_back(word);
        return list;
    }
    std::string sfen() {
        const std::string d = say("d");
        const auto at = d.find("sfen ");
        return d.substr(at + 5, d.find('\n', at) - at - 5);
    }

    usi::Protocol protocol;
};

TEST_F(Usi, Handshake) {
    EXPECT_EQ(say("usi"), "id name Kelvore\nid author Kelvore developers\n"
                          "option name Level type spin default 3 min 1 max 5\n"
                          "option name MoveTime type spin default 1000 min 1 max 3600000\n"
                          "option name MultiPV type spin default 1 min 1 max 5\n"
                          "option name SkillLevel type spin default 20 min 0 max 20\n"
                          "usiok\n");
    EXPECT_EQ(say("isready"), "readyok\n");
    EXPECT_EQ(say("usinewgame"), "");
    EXPECT_EQ(say("setoption name Level value 2"), "");
    EXPECT_EQ(protocol.form().ComLevel, 2);
    EXPECT_EQ(say("setoption name Level value 7"), "info string Level must be 1, 2, 3, 4 or 5\n");
    EXPECT_EQ(say("setoption name Level value 0"), "info string Level must be 1, 2, 3, 4 or 5\n");
    EXPECT_EQ(say("setoption name Level value 45"), "info string Level must be 1, 2, 3, 4 or 5\n");
    EXPECT_EQ(protocol.form().ComLevel, 2);
    EXPECT_EQ(say("setoption name Level value 5"), "");
    EXPECT_EQ(protocol.form().ComLevel, 5);
    const std::string badTime =
        "info string MoveTime must be a number of milliseconds from 1 to 3600000\n";
    for (const char* v : {"0", "-5", "3600001", "99999999999", "1e3", ""})
        EXPECT_EQ(say(std::string("setoption name MoveTime value ") + v),
                  *v ? badTime : "info string unknown option\n")
            << v;
    EXPECT_EQ(say("setoption name MoveTime value 250"), "");
    EXPECT_EQ(say("setoption name MoveTime value 3600000"), "");
    std::ostringstream out;
    EXPECT_FALSE(protocol.handle("quit", out));
}

TEST_F(Usi, StartingPositionAndItsMoves) {
    say("position startpos");
    EXPECT_EQ(sfen(), notation::kStartSfen);
    const auto list = moves();
    EXPECT_EQ(list.size(), 26u);
    EXPECT_TRUE(std::is_sorted(list.begin(), list.end()));
    EXPECT_TRUE(contains(list, "7g7f"));
    EXPECT_TRUE(contains(list, "5h4h")) << "the elephant steps sideways";
    EXPECT_FALSE(contains(list, "5h5i")) << "but not straight back";
    EXPECT_EQ(say("perft 1").substr(0, 10), "perft 1 26");
    EXPECT_EQ(say("perft 3").substr(0, 13), "perft 3 17368");
}

TEST_F(Usi, SfenRoundTripsWithPromotedPiecesAndHands) {
    const std::string written =
        "l3k3l/1r2+e2+B1/p1pp1pp1p/9/4n4/2P6/PP1P+pPPPP/1S2E2R1/LN1GKG1NL w 2Pg2s 31";
    say("position sfen " + written);
    EXPECT_EQ(sfen(), "l3k3l/1r2+e2+B1/p1pp1pp1p/9/4n4/2P6/PP1P+pPPPP/1S2E2R1/LN1GKG1NL w "
                      "2Pg2s 31");
    EXPECT_EQ(protocol.form().Board[5][2], 911);
    EXPECT_EQ(protocol.form().Board[8][2], -801);
    EXPECT_EQ(protocol.form().OwnHand[1], 2);
    EXPECT_EQ(protocol.form().EnemyHand[4], 2);
    EXPECT_EQ(protocol.form().EnemyHandCount, 3);
}

TEST_F(Usi, MovesArePlayedAsTheGamePlaysThem) {
    EXPECT_EQ(say("position startpos moves 7g7f 3c3d 8h2b+ 3a2b"), "");
    EXPECT_EQ(sfen(), "lnsgkg1nl/1r2e2s1/pppppp1pp/6p2/9/2P6/PP1PPPPPP/4E2R1/LNSGKGSNL b "
                      "Bb 5");
    EXPECT_TRUE(contains(moves(), "B*5e")) << "a drop is written with the upper-case letter";
    EXPECT_EQ(say("position startpos moves 7g7f 3c3d 8h2b+ 3a2b B*5e"), "");
    EXPECT_EQ(protocol.form().Board[5][5], -800);
    EXPECT_EQ(protocol.form().OwnHandCount, 0);
    EXPECT_TRUE(contains(moves(), "B*5f")) << "the upper side drops its bishop the same way";
}

TEST_F(Usi, RefusedMovesStopAtTheLastAcceptedOne) {
    EXPECT_EQ(say("position startpos moves 7g7f 7f7e"), "info string illegal move 7f7e\n")
        << "not the upper side's piece";
    EXPECT_EQ(sfen(), "lnsgkgsnl/1r2e2b1/ppppppppp/9/9/2P6/PP1PPPPPP/1B2E2R1/LNSGKGSNL w - 2");
    const char* refused[] = {"5e5d", "7g7e", "7g7f+", "P*5e", "E*5e", "7g7", "zz", "1a1b+"};
    for (const char* m : refused)
        EXPECT_EQ(say(std::string("position startpos moves ") + m),
                  std::string("info string illegal move ") + m + "\n")
            << m;
    // A pawn that must promote on the last rank, written without '+'.
    say("position sfen 4k4/P8/9/9/9/9/9/9/4K4 b - 1 moves 9b9a");
    EXPECT_EQ(sfen(), "4k4/P8/9/9/9/9/9/9/4K4 b - 1");
    say("position sfen 4k4/P8/9/9/9/9/9/9/4K4 b - 1 moves 9b9a+");
    EXPECT_EQ(protocol.form().Board[1][1], -11);
    const auto list = [&] {
        say("position sfen 4k4/P8/9/9/9/9/9/9/4K4 b - 1");
        return moves();
    }();
    EXPECT_TRUE(contains(list, "9b9a+"));
    EXPECT_FALSE(contains(list, "9b9a")) << "only the promoted form where promotion is forced";
}

TEST_F(Usi, OptionalPromotionListsBothForms) {
    say("position sfen 4k4/9/9/S8/9/9/9/9/4K4 b - 1");
    const auto list = moves();
    EXPECT_TRUE(contains(list, "9d9c"));
    EXPECT_TRUE(contains(list, "9d9c+"));
    EXPECT_FALSE(contains(list, "9d9e+"));
}

TEST_F(Usi, PawnDropsAreJudgedOnTheFlagsOfThePositionAsItStands) {
    say("position sfen 4k4/9/9/9/9/9/4P4/9/4K4 b P 1");
    auto list = moves();
    EXPECT_FALSE(contains(list, "P*5e"));
    EXPECT_TRUE(contains(list, "P*4e"));
    EXPECT_FALSE(contains(list, "P*4a"));
    say("position sfen 4k4/9/9/9/9/9/4+P4/9/4K4 b P 1");
    list = moves();
    EXPECT_TRUE(contains(list, "P*5e")) << "a tokin does not count";
}

TEST_F(Usi, BadPositionsKeepThePreviousOne) {
    say("position startpos moves 7g7f");
    const std::string before = sfen();
    const char* bad[] = {"position",
                         "position sfen",
                         "position sfen 9/9/9 b - 1",
                         "position sfen 4k4/9/9/9/9/9/9/9/4K4 x - 1",
                         "position sfen 4k4/9/9/9/9/9/9/9/4K5 b - 1",
                         "position sfen 4k4/9/9/9/9/9/9/9/4Q4 b - 1",
                         "position sfen 4k4/9/9/9/9/9/9/9/4+G4 b - 1",
                         "position sfen 4k4/9/9/9/9/9/9/9/4K4 b E 1",
                         "position sfen 4k4/9/9/9/9/9/9/9/4K4 b 99P 1",
                         "position sfen 4k4/9/9/9/9/9/9/9/4K4 b 0P 1",
                         "position sfen 4k4/9/9/9/9/9/9/9/4K4 b - zero",
                         "position sfen 4k4/9/9/9/9/9/9/9/4K4/9 b - 1",
                         "position banana"};
    for (const char* line : bad) {
        const std::string answer = say(line);
        EXPECT_EQ(answer.rfind("info string bad position: ", 0), 0u) << line << " -> " << answer;
        EXPECT_EQ(sfen(), before) << line;
    }
}

TEST_F(Usi, UnknownCommandsAreAnsweredAndTheEngineGoesOn) {
    EXPECT_EQ(say("hello"), "info string unknown command: hello\n");
    const std::string longLine(5000, 'x');
    const std::string answer = say(longLine);
    EXPECT_EQ(answer.rfind("info string unknown command: xxx", 0), 0u);
    EXPECT_LT(answer.size(), 300u);
    EXPECT_EQ(say(std::string("\x01\x02 \xff\xfe")).find('\x01'), std::string::npos);
    EXPECT_EQ(say("perft -1").rfind("info string perft needs a depth from 0 to 7 ", 0), 0u);
    EXPECT_EQ(say("perft 8").rfind("info string perft needs a depth from 0 to 7 ", 0), 0u)
        << "hours of counting are refused";
    EXPECT_EQ(say("isready"), "readyok\n");
}

namespace {

// Checked by the C library's own decoder, not by ours.
bool validUtf8(const std::string& s) {
    iconv_t cd = iconv_open("UTF-32LE", "UTF-8");
    std::string out(s.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(s.data());
    char* to = out.data();
    std::size_t inLeft = s.size(), outLeft = out.size();
    const bool ok = iconv(cd, &in, &inLeft, &to, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(cd);
    return ok && inLeft == 0;
}

} // namespace

TEST_F(Usi, EchoedInputIsAlwaysValidUtf8) {
    const std::string bad[] = {
        "\xff\xfe",                     // bytes that start nothing
        "x\x80y",                       // a stray continuation byte
        "\xc0\x80",                     // an overlong NUL
        "\xe0\x80\xaf",                 // an overlong slash
        "\xed\xa0\x80",                 // a surrogate
        "\xf4\x90\x80\x80",             // past U+10FFFF
        "\xe3\x81",                     // a character cut short at the end
        "\xe3\x81x",                    // and one cut short by a letter
        std::string(199, 'a') + "将棋", // a cut at 200 bytes inside a character
        std::string(300, '\xe3'),       // long and all invalid
    };
    for (const std::string& line : bad) {
        const std::string answer = say(line);
        EXPECT_EQ(answer.rfind("info string unknown command: ", 0), 0u);
        EXPECT_TRUE(validUtf8(answer)) << answer;
        EXPECT_LT(answer.size(), 300u);
    }
    EXPECT_EQ(say("x\x80y"), "info string unknown command: x?y\n");
    EXPECT_EQ(say("\xe3\x81x"), "info string unknown command: ??x\n");
    EXPECT_EQ(say("将棋 \x01"), "info string unknown command: 将棋 ?\n") << "valid text is kept";
    EXPECT_EQ(say(std::string(199, 'a') + "将棋"),
              "info string unknown command: " + std::string(199, 'a') + "...\n");
}

TEST_F(Usi, SurveyPrintsEveryMapInRowOrder) {
    say("position sfen 4k4/9/9/9/9/9/9/9/4K4 b - 1");
    std::istringstream in(say("survey"));
    std::vector<std::string> names;
    std::string line;
    std::vector<int> negCount;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string name;
        words >> name;
        names.push_back(name);
        if (name == "NegAttackCount")
            for (int v; words >> v;) negCount.push_back(v);
        if (name == "Royals") {
            EXPECT_EQ(line, "Royals 5 9 0 0 5 1 0 0");
        }
        if (name == "PosImmovableFlag") {
            EXPECT_EQ(line, "PosImmovableFlag 0");
        }
    }
    EXPECT_EQ(names, (std::vector<std::string>{
                         "NegAttackCount", "NegGuardValue", "NegThreatValue", "NegThreatX",
                         "NegThreatY", "NegCheckLine", "PosAttackCount", "PosGuardValue",
                         "PosGuardX", "PosGuardY", "PosThreatValue", "PosThreatX", "PosThreatY",
                         "PosCheckLine", "NegImmovable", "PosImmovableFlag", "Royals"}));
    ASSERT_EQ(negCount.size(), 81u);
    // The lower king on (5, 9): row 9 is the last nine values, row 8 the nine before.
    EXPECT_EQ(negCount[8 * 9 + 4], 1);
    EXPECT_EQ(negCount[7 * 9 + 3], 1);
    EXPECT_EQ(negCount[6 * 9 + 4], 0);
}

TEST_F(Usi, MateAsksBothSides) {
    say("position sfen 4k4/9/9/9/9/9/8p/8g/8K b - 1");
    EXPECT_EQ(say("mate"), "mate man 1 com 0\n");
    say("position sfen k8/G8/P8/9/9/9/9/9/4K4 w - 1");
    EXPECT_EQ(say("mate"), "mate man 0 com 1\n");
}

TEST_F(Usi, PerftAgreesWithTheMoveListAndEndsLinesAtALostRoyal) {
    // Drops, promotions and captures of royal pieces all within two plies.
    const std::string sfen = "position sfen 4k4/4g4/9/9/4r4/9/9/4S4/4K4 b GP 1";
    say(sfen);
    const auto first = moves();
    std::uint64_t sum = 0;
    for (const std::string& m : first) {
        say(sfen + " moves " + m);
        sum += moves().size();
    }
    say(sfen);
    std::istringstream one(say("perft 1")), two(say("perft 2"));
    std::string word;
    int depth;
    std::uint64_t n1, n2;
    one >> word >> depth >> n1;
    two >> word >> depth >> n2;
    EXPECT_EQ(n1, first.size());
    EXPECT_EQ(n2, sum);
    // With the upper king captured the game is over: no moves, perft 0.
    say("position sfen 9/9/9/9/9/9/9/9/4K4 w P 1");
    EXPECT_EQ(say("moves"), "moves\n");
    EXPECT_EQ(say("perft 2").substr(0, 9), "perft 2 0");
}

TEST_F(Usi, TheProgramAnswersOnStandardOutput) {
    auto run = [](const char* input) {
        FILE* p = popen((std::string("printf '") + input + "' | " KELVORE_USI_BINARY).c_str(), "r");
        EXPECT_NE(p, nullptr);
        std::string out;
        char buf[256];
        while (p != nullptr && fgets(buf, sizeof buf, p)) out += buf;
        if (p != nullptr) {
            EXPECT_EQ(pclose(p), 0);
        }
        return out;
    };
    // At the end of the input the commands still waiting run to their end.
    std::string out = run("isready\\nbogus\\nposition startpos\\nperft 2\\n");
    EXPECT_EQ(out.substr(0, 8), "readyok\n");
    EXPECT_NE(out.find("info string unknown command: bogus\n"), std::string::npos);
    EXPECT_NE(out.find("perft 2 676\n"), std::string::npos);
    out = run("isready\\nposition startpos\\nd\\nquit\\nisready\\n");
    EXPECT_EQ(out.substr(0, 8), "readyok\n");
    EXPECT_NE(out.find("sfen lnsgkgsnl"), std::string::npos);
    EXPECT_EQ(out.find("readyok", 8), std::string::npos) << "nothing is read after quit";
}

TEST_F(Usi, RecordsAreWrittenAndReadAsTheGameDoes) {
    const test::TempFolder folder;
    const std::string& dir = folder.path;
    const std::string path = dir + "/対局.棋譜";
    say("position startpos moves 7g7f 3c3d 8h2b+ 3a2b B*5e");
    EXPECT_EQ(say("kifu write " + path + " 練習|上の人|下の人"), "kifu written " + path + "\n");
    const std::string end = sfen();
    say("position startpos");
    EXPECT_EQ(say("kifu read " + path), "kifu name 練習\nkifu upper 上の人\nkifu lower 下の人\n"
                                        "kifu moves 7g7f 3c3d 8h2b+ 3a2b B*5e\n");
    EXPECT_EQ(sfen(), end);
    say("position sfen 4k4/9/9/9/9/9/9/9/4K4 b - 1");
    EXPECT_EQ(say("kifu write " + path + " a|b|c").rfind("info string kifu write needs", 0), 0u);
    EXPECT_EQ(say("kifu read " + dir + "/none.棋譜").rfind("info string cannot open", 0), 0u);
}

TEST_F(Usi, KifuReadStopsBeforeAnIllegalMoveAndSaysWhy) {
    const test::TempFolder folder;
    const std::string& dir = folder.path;
    const std::string path = dir + "/jump.kifu";
    {
        std::ofstream out(path, std::ios::binary);
        out << "a\r\nb\r\nc\r\n"
            << " 7776 -10 -10   0    0    0    0    0\r\n"
            << " 8882-900-900 800    0    0    0    0\r\n";
    }
    EXPECT_EQ(say("kifu read " + path),
              "kifu name a\nkifu upper b\nkifu lower c\nkifu moves 3g3f\n"
              "info string move 2 does not fit the position (手番の順が正しくありません); "
              "1 moves read\n");
    EXPECT_EQ(say("kifu read " + dir).rfind("info string cannot open", 0), 0u);
}

// perft counted through the game's judge, four times slower than the engine's own generator,
// which the judge's count still checks.
TEST_F(Usi, PerftCountsWithTheEngineAndTheJudgeAlike) {
    auto count = [&](const std::string& command) {
        std::istringstream in(say(command));
        std::string word;
        std::uint64_t n = 0;
        in >> word;
        if (command.find("judge") != std::string::npos) in >> word;
        int depth;
        in >> depth >> n;
        return n;
    };
    say("position startpos");
    EXPECT_EQ(count("perft 3"), 17368u);
    EXPECT_EQ(count("perft judge 3"), 17368u);
    for (const char* sfen :
         {"4k4/4g4/9/9/4r4/9/9/4S4/4K4 b GP 1",
          "l3k3l/1r2+e2+B1/p1pp1pp1p/9/4n4/2P6/PP1P+pPPPP/1S2E2R1/LN1GKG1NL w 2Pg2s 31",
          "9/9/9/9/9/9/9/9/4K4 w P 1"}) {
        say(std::string("position sfen ") + sfen);
        const std::uint64_t judged = count("perft judge 2");
        EXPECT_EQ(count("perft 2"), judged) << sfen;
        EXPECT_EQ(say("perft judge 1").rfind("perft judge 1 ", 0), 0u);
    }
    EXPECT_EQ(say("perft judge").rfind("info string perft needs a depth", 0), 0u);
    EXPECT_EQ(say("perft judge 8").rfind("info string perft needs a depth", 0), 0u);
    EXPECT_EQ(say("perft 3 judge").rfind("info string perft needs a depth", 0), 0u);

    // Both stop when asked; the position is as before.
    say("position startpos moves 7g7f");
    const std::string before = sfen();
    protocol.requestStop();
    EXPECT_EQ(say("perft 3").rfind("perft 3 stopped after 0 lines (a partial count)\n", 0), 0u);
    EXPECT_EQ(say("perft judge 3").rfind("perft judge 3 stopped after 0 lines", 0), 0u);
    protocol.clearStop();
    EXPECT_EQ(sfen(), before);
}

TEST_F(Usi, AStoppedKifuReadLeavesThePositionAsItWas) {
    const test::TempFolder folder;
    const std::string& dir = folder.path;
    const std::string path = dir + "/r.棋譜";
    say("position startpos moves 7g7f 3c3d");
    say("kifu write " + path + " a|b|c");
    say("position startpos moves 2g2f");
    const std::string before = sfen();
    protocol.requestStop();
    EXPECT_EQ(say("kifu read " + path),
              "info string kifu read stopped; the position is as it was\n");
    EXPECT_EQ(sfen(), before);
    protocol.clearStop();
    EXPECT_EQ(say("kifu read " + path).rfind("kifu name a\n", 0), 0u);
}
