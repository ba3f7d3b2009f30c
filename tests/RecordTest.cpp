// Game records: the file layout, round trips, stepping back and forth, reversal, and every
// kind of bad file and failed write.
#include "fakes/Clicks.h"
#include "fakes/Files.h"
#include "fakes/Positions.h"
#include "record/RecordFile.h"
#include "rules/TrialMove.h"
#include "text/ShiftJis.h"

#include <csignal>
#include <cstring>
#include <fstream>
#include <map>
#include <random>
#include <sys/resource.h>

using namespace kelvore;
using namespace kelvore::test;

namespace {

void spit(const std::string& path, std::string_view bytes) {
    spitBytes(path, bytes);
}

std::string sjis(std::string_view utf8) {
    return *text::toShiftJis(utf8);
}

struct Snapshot {
    Map board;
    int own[8], enemy[8], ownCount, enemyCount;
    explicit Snapshot(const Form1& f) {
        std::memcpy(board, f.Board, sizeof board);
        std::memcpy(own, f.OwnHand, sizeof own);
        std::memcpy(enemy, f.EnemyHand, sizeof enemy);
        ownCount = f.OwnHandCount;
        enemyCount = f.EnemyHandCount;
    }
    bool operator==(const Snapshot& o) const {
        return std::memcmp(board, o.board, sizeof board) == 0 &&
               std::memcmp(own, o.own, sizeof own) == 0 &&
               std::memcmp(enemy, o.enemy, sizeof enemy) == 0 && ownCount == o.ownCount &&
               enemyCount == o.enemyCount;
    }
};

class Record : public ::testing::Test {
protected:
    Game g;
    Form1& f = g.form;
    std::vector<std::string> prompts() const { return g.prompts(); }
    // A two-player game of random legal moves made with the mouse.
    void playRandomGame(int plies, unsigned seed) {
        f.START_Click();
        std::mt19937 rng(seed);
        for (int i = 0; i < plies && f.Turn != 0; ++i) {
            f.調査_2歩フラグ設定();
            MoveList list;
            generateMoves(f, f.Turn == f.ManTurn ? -1 : 1, list);
            const Move& m = list.moves[rng() % list.size];
            click(f, m.fromX, m.fromX == -1 ? 8 - m.fromY : m.fromY);
            click(f, m.toX, m.toY, m.promotes() ? kRight : kLeft);
            g.fake.clock.now += 7;
        }
    }
    std::string write(const std::string& name) {
        g.fake.panel.dir = g.folder.path;
        g.fake.panel.text[1] = name;
        g.fake.panel.text[2] = "研究会";
        g.fake.panel.text[3] = "先手の人";
        g.fake.panel.text[4] = "後手の人";
        f.Command1_Click();
        return g.folder.path + "/" + name + ".棋譜";
    }
};

} // namespace

TEST(RecordLayout, MoveLinesHaveFixedColumns) {
    EXPECT_EQ(formatMoveLine(3, 7, 3, 6, -10, -10, 0, 40, 52, 95, 95),
              " 3736 -10 -10   0   40   52   95   95");
    EXPECT_EQ(formatMoveLine(-1, 7, 5, 5, 900, 900, 0, 0, 0, 12.9, 30.2),
              "-1755 900 900   0    0    0   12   30");
    EXPECT_EQ(formatMoveLine(11, 3, 4, 4, -10, -10, 0, 1, 2, 3, 4).substr(0, 2), "11");
    EXPECT_EQ(formatMoveLine(5, 3, 5, 2, -911, -910, 950, 0, 0, 0, 0),
              " 5352-911-910 950    0    0    0    0");
    EXPECT_EQ(formatMoveLine(1, 1, 1, 2, 10, 10, 0, 123456, 0, 0, 0).substr(17, 5), "99999")
        << "a total past five digits is written as 99999";
    const RecordMove m = parseMoveLine(" 3736 -10 -10   0   40   52   95   95");
    EXPECT_EQ(m.FromX, 3);
    EXPECT_EQ(m.ToY, 6);
    EXPECT_EQ(m.PlacedPiece, -10);
    EXPECT_EQ(m.ManTimeAfter, 52);
    EXPECT_EQ(m.ComTimeAfter, 95);
    // Lenient columns: blanks, letters and missing columns read as 0.
    const RecordMove d = parseMoveLine(" 37x6 1a ");
    EXPECT_EQ(d.FromX, 3);
    EXPECT_EQ(d.FromY, 7);
    EXPECT_EQ(d.ToX, 0);
    EXPECT_EQ(d.PlacedPiece, 1);
    EXPECT_EQ(d.ComTimeAfter, 0);
    EXPECT_EQ(leadingNumber("  -12ab"), -12);
    EXPECT_EQ(leadingNumber(""), 0);
    EXPECT_DOUBLE_EQ(Form1::取得_棋譜のX座標("名人戦"), 3525);
}

TEST_F(Record, AWrittenGameReadsBackAndStepsToTheSamePosition) {
    playRandomGame(80, 11);
    ASSERT_GT(f.KifuCursor, 40);
    const Snapshot end(f);
    const int moves = f.KifuCursor;
    const std::string path = write("対局1");
    EXPECT_EQ(prompts().back(), "棋譜を書き込みました");
    EXPECT_EQ(g.fake.panel.refreshed, 1);
    const std::string bytes = slurp(path);
    const auto lines = text::splitLines(bytes);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(moves) + 3);
    EXPECT_EQ(lines[0], sjis("研究会"));
    EXPECT_EQ(lines[1], sjis("後手の人")) << "line 2 names the upper side's player";
    EXPECT_EQ(lines[2], sjis("先手の人"));
    EXPECT_NE(bytes.find("\r\n"), std::string::npos);
    for (std::size_t i = 3; i < lines.size(); ++i) EXPECT_EQ(lines[i].size(), 37u);

    g.fake.dialogs.shown.clear();
    f.File1_Click(path);
    EXPECT_EQ(prompts(),
              (std::vector<std::string>{" 読み込みました", "棋譜を '進 'で進めて下さい"}));
    EXPECT_EQ(f.KifuMode, 1);
    EXPECT_EQ(f.KifuLength, moves);
    EXPECT_EQ(f.GameMode, 0) << "the lower side moved first: a two-player record";
    EXPECT_EQ(f.ManTurn, 1);
    for (int i = 0; i < moves; ++i) f.AFTER_Click();
    EXPECT_TRUE(Snapshot(f) == end);
    EXPECT_EQ(f.MoveNumber, moves);
    g.fake.dialogs.shown.clear();
    f.AFTER_Click();
    EXPECT_EQ(prompts(), (std::vector<std::string>{"終わり"}));
    // All the way back is the starting position.
    Game fresh;
    for (int i = 0; i < moves; ++i) f.REPLAY_Click();
    EXPECT_TRUE(Snapshot(f) == Snapshot(fresh.form));
}

TEST_F(Record, ARecordHoldsOnlyTheMovesUpToTheCursor) {
    playRandomGame(20, 5);
    ASSERT_EQ(f.KifuCursor, 20);
    for (int i = 0; i < 3; ++i) f.REPLAY_Click();
    const auto lines = text::splitLines(slurp(write("途中")));
    EXPECT_EQ(lines.size(), 3u + 17u);
}

TEST_F(Record, WritingIsRefusedWithoutANameDataOrAfterReversalOrHandicap) {
    f.START_Click();
    g.fake.dialogs.shown.clear();
    g.fake.panel.text[1] = "";
    f.Command1_Click();
    g.fake.panel.text[1] = "名前";
    f.Command1_Click();
    move(f, 3, 7, 3, 6);
    g.fake.panel.text[1] = "a/b"; // (a click on the board empties the fields)
    f.Command1_Click();
    EXPECT_EQ(prompts(),
              (std::vector<std::string>{"ﾌｧｲﾙ名が入力されていません", "保存するデータがありません",
                                        "ﾌｧｲﾙ名に「/」や「\\」は使えません"}));
    EXPECT_EQ(g.fake.dialogs.shown[0].title, "  ");
    EXPECT_EQ(g.fake.dialogs.shown[1].title, "棋譜保存");
    g.fake.dialogs.shown.clear();
    f.HandicapSet = 1;
    f.KIFU_WRITE_Click();
    f.Reversed = 1;
    f.KIFU_WRITE_Click();
    EXPECT_EQ(prompts(), (std::vector<std::string>{"ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません",
                                                   "反転後は書き込みできません"}));
    EXPECT_FALSE(g.fake.panel.fields);
    f.Reversed = 0;
    f.HandicapSet = 0;
    f.KIFU_WRITE_Click();
    EXPECT_TRUE(g.fake.panel.fields && g.fake.panel.driveList && !g.fake.panel.fileList);
}

TEST_F(Record, AFailedWriteLeavesTheOldRecordAndSaysSo) {
    playRandomGame(30, 2);
    const std::string path = g.folder.path + "/大切.棋譜";
    spit(path, "old record");
    // A disk that fills up while the record is written.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit tiny = old;
    tiny.rlim_cur = 100;
    setrlimit(RLIMIT_FSIZE, &tiny);
    write("大切");
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(slurp(path), "old record");
    ASSERT_FALSE(g.fake.dialogs.shown.empty());
    EXPECT_EQ(g.fake.dialogs.shown.back().prompt.rfind("棋譜を書き込めませんでした", 0), 0u);
    EXPECT_EQ(g.fake.dialogs.shown.back().title, "棋譜保存");
    // No temporary file is left behind.
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(g.folder.path))
        files += e.path().filename().string().find("大切") == 0;
    EXPECT_EQ(files, 1);
    // A folder where nothing may be written.
    g.fake.dialogs.shown.clear();
    g.fake.panel.dir = "/sys";
    g.fake.panel.text[1] = "x";
    f.Command1_Click();
    EXPECT_NE(g.fake.dialogs.shown.back().prompt.find("許可がありません"), std::string::npos);
    // Text that Shift-JIS cannot hold.
    g.fake.panel.dir = g.folder.path;
    g.fake.panel.text[2] = "😀";
    f.Command1_Click();
    EXPECT_NE(g.fake.dialogs.shown.back().prompt.find("Shift-JIS"), std::string::npos);
    EXPECT_EQ(slurp(path), "old record");
}

TEST_F(Record, BadFilesAreRefusedWithoutTouchingTheGame) {
    f.START_Click();
    move(f, 3, 7, 3, 6);
    const Snapshot before(f);
    const std::string path = g.folder.path + "/bad.棋譜";
    const std::string cases[] = {"", sjis("一行だけ\r\n"), "\x82\xa0\r\n\xff\xfe\xfd\r\nx\r\n",
                                 std::string(kRecordFileLimit + 10, ' ')};
    for (const std::string& bytes : cases) {
        spit(path, bytes);
        g.fake.dialogs.shown.clear();
        f.File1_Click(path);
        ASSERT_EQ(g.fake.dialogs.shown.size(), 1u);
        if (bytes.size() > kRecordFileLimit) {
            EXPECT_EQ(prompts(), (std::vector<std::string>{"棋譜ﾌｧｲﾙが大きすぎます"}));
        }
        EXPECT_EQ(g.fake.dialogs.shown[0].title, "棋譜");
        EXPECT_EQ(f.KifuMode, 0);
        EXPECT_EQ(f.MoveNumber, 1);
        EXPECT_TRUE(Snapshot(f) == before);
    }
    g.fake.dialogs.shown.clear();
    f.File1_Click(g.folder.path + "/missing.棋譜");
    EXPECT_EQ(g.fake.dialogs.shown.at(0).prompt.rfind("棋譜ﾌｧｲﾙを開けません", 0), 0u);
}

TEST_F(Record, AHeaderOnlyFileHasNoData) {
    const std::string path = g.folder.path + "/empty.棋譜";
    spit(path, sjis("名前\r\n上\r\n下\r\n"));
    f.File1_Click(path);
    EXPECT_EQ(prompts(), (std::vector<std::string>{"棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません"}));
    EXPECT_EQ(f.KifuLength, 0);
    EXPECT_EQ(f.KifuMode, 1);
}

TEST_F(Record, DamagedMovesKeepThePartBeforeThemAndNoHandGoesNegative) {
    const std::string header = sjis("名前\r\n上\r\n下\r\n");
    const std::string good = " 3736 -10 -10   0    0    0    0    0\r\n"
                             " 7374  10  10   0    0    0    0    0\r\n";
    const std::string damaged[] = {
        " 37\r\n",                                   // a short line
        "ab cd efgh\r\n",                            // letters
        "-1155  30  30   0    0    0    0    0\r\n", // a drop of a piece not in hand
        " 5948-950-950   0    0    0    0    0\r\n", // a well-formed king step: read
        " 2822-801-800 800    0    0    0    0\r\n", // (2, 8) holds no bishop any more
        "\x81\x40\xff\r\n"};                         // stray bytes
    int index = 0;
    for (const std::string& bad : damaged) {
        Game game;
        const std::string path = game.folder.path + "/d.棋譜";
        spit(path, header + good + bad);
        game.form.File1_Click(path);
        const int kept = game.form.KifuLength;
        if (index == 3) {
            EXPECT_EQ(kept, 3);
        } else {
            EXPECT_EQ(kept, 2) << index;
            ASSERT_FALSE(game.fake.dialogs.shown.empty());
            EXPECT_NE(game.fake.dialogs.shown[0].prompt.find("3手目が正しくありません"),
                      std::string::npos)
                << index;
        }
        for (int i = 0; i < kept + 2; ++i) {
            game.form.AFTER_Click();
            for (int s = 1; s <= 7; ++s) {
                ASSERT_GE(game.form.OwnHand[s], 0);
                ASSERT_GE(game.form.EnemyHand[s], 0);
            }
        }
        EXPECT_EQ(game.form.MoveNumber, kept);
        ++index;
    }
}

TEST_F(Record, BackAndForthOverACaptureOfAPromotedPiece) {
    f.START_Click();
    setPosition(f, "4k4/9/9/4+b4/9/4R4/9/9/4K4 b - 1");
    move(f, 5, 6, 5, 4); // the lower rook takes the horse
    EXPECT_EQ(f.OwnHand[6], 1);
    const Snapshot after(f);
    const double manTime = f.ManTime;
    f.REPLAY_Click();
    EXPECT_EQ(f.Board[5][4], 801);
    EXPECT_EQ(f.OwnHand[6], 0);
    EXPECT_EQ(f.OwnHandCount, 0);
    EXPECT_EQ(f.Turn, 1);
    EXPECT_EQ(f.MoveNumber, 0);
    EXPECT_EQ(f.ResumePending, 1);
    f.AFTER_Click();
    EXPECT_TRUE(Snapshot(f) == after);
    EXPECT_EQ(f.Turn, -1);
    EXPECT_DOUBLE_EQ(f.ManTime, manTime);
    // A drop stepped back returns to the dropper's hand; an elephant capture changes no hand.
    move(f, 5, 1, 5, 2);  // the upper king steps
    move(f, 11, 8, 5, 5); // the lower side drops the bishop
    EXPECT_EQ(f.OwnHand[6], 0);
    f.REPLAY_Click();
    EXPECT_EQ(f.OwnHand[6], 1);
    EXPECT_EQ(f.Board[5][5], 0);
    g.fake.dialogs.shown.clear();
    f.KifuCursor = 0;
    f.REPLAY_Click();
    EXPECT_EQ(prompts(), (std::vector<std::string>{"できません"}));
}

TEST_F(Record, TurningTheBoardTwiceRestoresThePlacement) {
    playRandomGame(30, 9);
    const Snapshot before(f);
    const int turn = f.Turn;
    f.REVERSE_Click();
    EXPECT_EQ(f.Reversed, 1);
    EXPECT_EQ(f.KifuLength, 0);
    EXPECT_EQ(f.Turn, -turn);
    EXPECT_EQ(f.OwnHandCount, before.enemyCount) << "the totals follow their slots";
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) EXPECT_EQ(f.Board[10 - x][10 - y], -before.board[x][y]);
    EXPECT_EQ(f.Board[f.ManKingPos.X][f.ManKingPos.Y], -950) << "royal positions found again";
    f.REVERSE_Click();
    EXPECT_TRUE(Snapshot(f) == before);
    EXPECT_EQ(f.Reversed, 1);
    EXPECT_EQ(f.KifuLength, 0);
    g.fake.dialogs.shown.clear();
    f.KifuMode = 1;
    f.REVERSE_Click();
    EXPECT_EQ(prompts(), (std::vector<std::string>{"棋譜ﾓｰﾄﾞではできません"}));
}

TEST_F(Record, SteppingRefusalsAndStartingOver) {
    f.AFTER_Click();
    EXPECT_EQ(prompts(), (std::vector<std::string>{"「対局」で始めて下さい"}));
    playRandomGame(6, 4);
    g.fake.dialogs.shown.clear();
    f.AFTER_Click();
    EXPECT_EQ(prompts(), (std::vector<std::string>{"できません"}));
    EXPECT_EQ(g.fake.dialogs.shown[0].title, "進む");
    f.onMenu(MenuItem::CANCEL);
    EXPECT_EQ(f.Turn, 0);
    EXPECT_EQ(f.KifuCursor, 0);
    EXPECT_EQ(f.KifuLength, 6) << "the moves can still be replayed after スタート";
    f.START_Click();
    for (int i = 0; i < 6; ++i) f.AFTER_Click();
    EXPECT_EQ(f.MoveNumber, 6);
}

TEST_F(Record, AComputerGameHandedOverAfterSteppingDropsTheMovesBeyond) {
    playRandomGame(10, 8);
    for (int i = 0; i < 4; ++i) f.REPLAY_Click();
    EXPECT_EQ(f.Turn, f.ManTurn);
    f.SENTE_Click();
    EXPECT_EQ(f.KifuLength, 6);
    move(f, 1, 7, 1, 6);
    EXPECT_EQ(f.KifuLength, 8) << "the human's move and the computer's answer";
}

TEST_F(Record, TheDriveAndFolderListsMoveTogether) {
    f.Drive1_Change("/nonexistent-kelvore-drive");
    EXPECT_EQ(prompts(), (std::vector<std::string>{"ﾃﾞﾊﾞｲｽが準備できていません"}));
    EXPECT_EQ(g.fake.dialogs.shown[0].title, "ｴﾗｰ");
    f.Drive1_Change(g.folder.path);
    EXPECT_EQ(g.fake.panel.dir, g.folder.path);
    g.fake.panel.dir = "/tmp";
    f.Dir1_Change();
    EXPECT_EQ(g.fake.panel.fileDir, "/tmp");
    f.KIFU_READ_Click();
    EXPECT_TRUE(g.fake.panel.driveList && g.fake.panel.folderList && g.fake.panel.fileList);
    EXPECT_FALSE(g.fake.panel.fields);
}

// A loaded record named "Test vs LEVEL4" showed "est vs LEVEL4": its place, 465 twips left of
// the window, cut off its first letter.
TEST_F(Record, TheHeaderOfALoadedRecordStaysWholeInsideTheWindow) {
    const std::string path = g.folder.path + "/名前.棋譜";
    const std::string moves = " 7776 -10 -10   0    0    0    0    0\r\n";
    const std::string wide(100, 'W'); // wider than the window at the usual size
    struct Case {
        std::string name, upper;
    };
    for (const Case& c : {Case{"名人戦", "上"}, Case{"Test vs LEVEL4", "後手の人"},
                          Case{wide, "長い名前の後手の人が居ます長い名前の後手の人が居ます長い名前"
                                     "の後手の人が居ますね"}}) {
        spit(path, sjis(c.name + "\r\n" + c.upper + "\r\n下\r\n") + moves);
        g.fake.canvas.clear();
        f.File1_Click(path);
        std::map<std::string, DrawOp> printed;
        for (const DrawOp& op : g.fake.canvas.of(DrawOp::Text)) printed[op.text] = op;
        for (const std::string& text : {c.name, c.upper, std::string("下")}) {
            ASSERT_EQ(printed.count(text), 1u) << text;
            const DrawOp& op = printed[text];
            EXPECT_GE(op.x, 0) << text;
            EXPECT_LE(op.x + g.fake.canvas.textWidth(text, op.size, op.bold), 9000) << text;
        }
        // Where it fits, the specified place and size.
        const DrawOp& lower = printed["下"];
        EXPECT_DOUBLE_EQ(lower.x, Form1::取得_棋譜のX座標("下"));
        EXPECT_EQ(lower.size, 12);
        EXPECT_EQ(printed[c.name].value, f.ColorLightRed);
        if (c.name == "名人戦") {
            EXPECT_DOUBLE_EQ(printed[c.name].x, Form1::取得_棋譜のX座標(c.name) - 3000);
        }
        if (c.name == "Test vs LEVEL4") {
            EXPECT_DOUBLE_EQ(printed[c.name].x, 0) << "moved in only as far as needed";
            EXPECT_EQ(printed[c.name].size, 12);
        }
        if (c.name == wide) {
            EXPECT_LT(printed[c.name].size, 12) << "smaller, to be seen whole";
        }
        EXPECT_EQ(f.FontSize, 12);
    }
}
