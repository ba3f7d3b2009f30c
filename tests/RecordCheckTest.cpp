// The record reader judges every move as the game would have: illegal moves are cut with their
// reason, and every record the game itself writes reads back whole.
#include "fakes/Clicks.h"
#include "fakes/Files.h"
#include "fakes/Harness.h"
#include "record/RecordFile.h"
#include "rules/TrialMove.h"
#include "text/Files.h"
#include "text/ShiftJis.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

using namespace kelvore;
using namespace kelvore::test;

namespace {

// One move line with no thinking time.
std::string L(int fx, int fy, int tx, int ty, int placed, int moved, int captured = 0) {
    return formatMoveLine(fx, fy, tx, ty, placed, moved, captured, 0, 0, 0, 0) + "\r\n";
}

std::string record(const std::string& moves) {
    return *text::toShiftJis("対局\r\n上手\r\n下手\r\n") + moves;
}

// The lower side's bishop takes the upper king, which has walked onto its diagonal.
const std::string kKingTaken = L(3, 7, 3, 6, -10, -10) + L(7, 3, 7, 4, 10, 10) +
                               L(9, 7, 9, 6, -10, -10) + L(5, 1, 6, 2, 950, 950) +
                               L(9, 6, 9, 5, -10, -10) + L(6, 2, 7, 3, 950, 950) +
                               L(2, 8, 7, 3, -800, -800, 950);

// The lower pawn of file 3 marches up and takes the upper pawn, promoting or not; the
// upper side answers with pawn moves on file 9.
std::string pawnTaken(int placed) {
    return L(3, 7, 3, 6, -10, -10) + L(9, 3, 9, 4, 10, 10) + L(3, 6, 3, 5, -10, -10) +
           L(9, 4, 9, 5, 10, 10) + L(3, 5, 3, 4, -10, -10) + L(9, 5, 9, 6, 10, 10) +
           L(3, 4, 3, 3, placed, -10, 10);
}

struct Case {
    const char* what;
    std::string moves;
    int cutAt;       // the first move left out, 0 when all are read
    const char* why; // its reason
};

} // namespace

TEST(RecordCheck, IllegalMovesAreCutBeforeTheMoveWithTheirReason) {
    const Case cases[] = {
        {"a rook jumping over pieces to take the king on move 1", L(8, 8, 5, 1, -900, -900, 950), 1,
         "その駒はそこへ動けません"},
        {"a rook jumping its own pawn to take the bishop", L(8, 8, 8, 2, -900, -900, 800), 1,
         "その駒はそこへ動けません"},
        {"a pawn stepping back",
         L(3, 7, 3, 6, -10, -10) + L(7, 3, 7, 4, 10, 10) + L(3, 6, 3, 7, -10, -10), 3,
         "その駒はそこへ動けません"},
        {"one side moving twice", L(3, 7, 3, 6, -10, -10) + L(2, 7, 2, 6, -10, -10), 2,
         "手番の順が正しくありません"},
        {"the upper side moving first, then twice",
         L(3, 3, 3, 4, 10, 10) + L(7, 7, 7, 6, -10, -10) + L(3, 4, 3, 5, 10, 10) +
             L(7, 3, 7, 4, 10, 10),
         4, "手番の順が正しくありません"},
        {"a move after the last royal piece is gone", kKingTaken + L(1, 3, 1, 4, 10, 10), 8,
         "勝負が付いた後の指し手です"},
        {"the capture of the last royal piece itself", kKingTaken, 0, ""},
        {"a pawn promoting outside the zone", L(3, 7, 3, 6, -11, -10), 1,
         "成れない駒が成っています"},
        {"a gold promoting", L(4, 9, 4, 8, -111, -110), 1, "成れない駒が成っています"},
        {"a pawn staying a pawn on the last rank",
         pawnTaken(-10) + L(4, 1, 4, 2, 110, 110) + L(3, 3, 3, 2, -10, -10) +
             L(1, 3, 1, 4, 10, 10) + L(3, 2, 3, 1, -10, -10, 100),
         11, "成らなければならない駒が成っていません"},
        {"a second unpromoted pawn dropped on a file",
         pawnTaken(-10) + L(4, 1, 4, 2, 110, 110) + L(11, 3, 3, 5, -10, -10), 9, "二歩です"},
        {"a pawn dropped on the last rank",
         pawnTaken(-11) + L(3, 1, 3, 2, 100, 100) + L(11, 3, 3, 1, -10, -10), 9,
         "その段には打てません"},
        {"a pawn dropped where only a tokin stands on the file",
         pawnTaken(-11) + L(4, 1, 4, 2, 110, 110) + L(11, 3, 3, 5, -10, -10), 0, ""},
        {"a drop of a piece not in hand",
         pawnTaken(-10) + L(4, 1, 4, 2, 110, 110) + L(11, 5, 5, 5, -30, -30), 9,
         "持っていない駒を打っています"},
        {"the upper side dropping from the lower side's hand",
         pawnTaken(-10) + L(11, 3, 5, 5, 10, 10), 8, "持駒の側が合いません"},
        {"a drop onto a piece",
         pawnTaken(-10) + L(4, 1, 4, 2, 110, 110) + L(11, 3, 5, 3, -10, -10, 10), 9,
         "駒のある所に打っています"},
        {"a king dropped", L(11, 3, 5, 5, -950, -950), 1, "打てない駒を打っています"},
    };
    for (const Case& c : cases) {
        const RecordFile r = readRecord(record(c.moves));
        EXPECT_TRUE(r.error.empty()) << c.what;
        EXPECT_EQ(r.damagedAt, c.cutAt) << c.what;
        EXPECT_EQ(r.damage, c.why) << c.what;
        const std::size_t lines = text::splitLines(c.moves).size();
        EXPECT_EQ(r.moves.size(), c.cutAt == 0 ? lines : static_cast<std::size_t>(c.cutAt - 1))
            << c.what;
    }
}

TEST(RecordCheck, ADropIsJudgedByItsPieceWhateverHandRowTheRecordGives) {
    // The upper bishop takes the lower one and is dropped again: a human upper side writes the
    // hand row it clicked (8 - slot), the computer the slot itself; both read.
    const std::string upperTakes = L(3, 7, 3, 6, -10, -10) + L(7, 3, 7, 4, 10, 10) +
                                   L(9, 7, 9, 6, -10, -10) + L(8, 2, 2, 8, 800, 800, -800) +
                                   L(9, 6, 9, 5, -10, -10);
    for (int row : {2, 6}) {
        const RecordFile r = readRecord(record(upperTakes + L(-1, row, 5, 5, 800, 800)));
        EXPECT_EQ(r.damagedAt, 0) << row << " " << r.damage;
        EXPECT_EQ(r.moves.size(), 6u) << row;
        EXPECT_EQ(r.moves.back().FromY, row) << "the history keeps the row as written";
    }
    const RecordFile twice = readRecord(record(upperTakes + L(-1, 6, 5, 5, 800, 800) +
                                               L(7, 7, 7, 6, -10, -10) + L(-1, 2, 5, 4, 800, 800)));
    EXPECT_EQ(twice.damagedAt, 8) << "one bishop in hand is dropped once";
    EXPECT_EQ(twice.damage, "持っていない駒を打っています");
}

// The window shows the reason and keeps the moves before the cut for stepping.
TEST(RecordCheck, TheWindowSaysWhichMoveWasCutAndWhy) {
    Game g;
    const std::string path = g.folder.path + "/不正.棋譜";
    spitBytes(path, record(L(8, 8, 5, 1, -900, -900, 950)));
    g.form.File1_Click(path);
    EXPECT_EQ(g.prompts(), (std::vector<std::string>{
                               "棋譜ﾌｧｲﾙの1手目が正しくありません\r（その駒はそこへ動けません）"
                               "\r0手目までを読み込みました",
                               "棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません"}));
    EXPECT_EQ(g.form.KifuLength, 0);
}

// Stepped to the capture of the last royal piece, the game is decided: neither a click nor
// the computer plays on, so no record can go on past the end.
TEST(RecordCheck, AGameSteppedPastTheLastRoyalTakesNoMoreMoves) {
    Game g;
    Form1& f = g.form;
    const std::string path = g.folder.path + "/王取り.棋譜";
    spitBytes(path, record(kKingTaken));
    f.File1_Click(path);
    for (int i = 0; i < 7; ++i) f.AFTER_Click();
    ASSERT_EQ(f.Board[7][3], -800);
    f.START_Click();
    g.fake.dialogs.shown.clear();
    click(f, 1, 3);
    EXPECT_EQ(g.prompts(), (std::vector<std::string>{"勝負は付いています"}));
    click(f, 1, 4);
    f.GOTE_Click();
    EXPECT_EQ(f.KifuLength, 7);
    EXPECT_EQ(f.MoveNumber, 7);
    EXPECT_EQ(f.Board[1][3], 10);
    // Stepping back undoes the decision: play goes on from there.
    f.REPLAY_Click();
    f.START_Click();
    move(f, 1, 7, 1, 6);
    EXPECT_EQ(f.KifuLength, 7);
    EXPECT_EQ(f.Board[1][6], -10);
}

// After 最初 and スタート the lower side is to move, but stepping replays a history whose
// first move was the computer's: the side that moves next is the one the record says, so the
// upper side never moves twice and the written record reads whole.
TEST(RecordCheck, SteppingAfterAStartOverKeepsTheSidesTakingTurns) {
    Game g;
    Form1& f = g.form;
    f.GOTE_Click();
    ASSERT_GT(f.Kifu.MovedPiece[1], 0);
    f.CANCEL_Click();
    f.START_Click();
    f.AFTER_Click();
    EXPECT_EQ(f.Turn, f.ManTurn);
    move(f, 3, 3, 3, 4); // the upper side may not move again
    move(f, 3, 7, 3, 6);
    ASSERT_EQ(f.KifuCursor, 2);
    EXPECT_LT(f.Kifu.MovedPiece[2], 0);
    f.REPLAY_Click();
    EXPECT_EQ(f.Turn, f.ManTurn) << "the side whose move was taken back moves again";
    f.AFTER_Click();
    g.fake.panel.dir = g.folder.path;
    g.fake.panel.text[1] = "再開";
    f.Command1_Click();
    const RecordFile r = readRecord(slurp(g.folder.path + "/再開.棋譜"));
    EXPECT_EQ(r.damagedAt, 0);
    EXPECT_EQ(r.moves.size(), 2u);
}

namespace {

struct Seen {
    int drops = 0, upperClickedDrops = 0, promotions = 0, elephants = 0, princes = 0, kings = 0,
        stepsBack = 0, resumed = 0, records = 0;
};

// A move for the side to move, leaning towards what makes a record interesting: captures of
// royal pieces and elephants, promotions and drops.
Move pick(Form1& f, std::mt19937& rng) {
    f.調査_2歩フラグ設定();
    MoveList list;
    generateMoves(f, f.Turn == f.ManTurn ? -1 : 1, list);
    auto weight = [&](const Move& m) {
        const int taken = std::abs(f.Board[m.toX][m.toY]);
        if (taken == piece::ZOU || taken == piece::KO || taken == piece::OU) return 8;
        if (std::abs(m.moved) == piece::ZOU && (m.promotes() || m.toY != m.fromY)) return 4;
        if (m.promotes() || m.isDrop()) return 3;
        return 1;
    };
    int total = 0;
    for (const Move& m : list) total += weight(m);
    if (total == 0) return {}; // no move at all: the clicks land off the board
    int at = static_cast<int>(rng() % static_cast<unsigned>(total));
    for (const Move& m : list) {
        at -= weight(m);
        if (at < 0) return m;
    }
    return list.moves[0];
}

// Writes the applied moves through the panel and reads the file back: it must hold them all,
// exactly as the history has them.
void writeAndReadBack(Game& g, Seen& seen, const char* where) {
    Form1& f = g.form;
    if (f.KifuCursor < 1) return;
    g.fake.panel.dir = g.folder.path;
    g.fake.panel.text[1] = "通し";
    g.fake.panel.text[2] = "試験";
    f.Command1_Click();
    const text::ReadResult file = text::readFile(g.folder.path + "/通し.棋譜", kRecordFileLimit);
    ASSERT_TRUE(file.ok()) << where;
    const RecordFile r = readRecord(file.bytes);
    ASSERT_EQ(r.damagedAt, 0) << where << ": move " << r.damagedAt << " " << r.damage;
    ASSERT_EQ(static_cast<int>(r.moves.size()), f.KifuCursor) << where;
    for (int i = 1; i <= f.KifuCursor; ++i) {
        const RecordMove& m = r.moves[i - 1];
        ASSERT_EQ(m.FromX, f.Kifu.FromX[i]);
        ASSERT_EQ(m.FromY, f.Kifu.FromY[i]);
        ASSERT_EQ(m.PlacedPiece, f.Kifu.PlacedPiece[i]);
        ASSERT_EQ(m.CapturedPiece, f.Kifu.CapturedPiece[i]);
    }
    ++seen.records;
}

void tally(const Form1& f, Seen& seen) {
    for (int i = 1; i <= f.KifuCursor; ++i) {
        const int fx = f.Kifu.FromX[i], taken = std::abs(f.Kifu.CapturedPiece[i]);
        seen.drops += fx == 11 || fx == -1;
        seen.upperClickedDrops +=
            fx == -1 && f.Kifu.FromY[i] != piece::handSlot(f.Kifu.PlacedPiece[i]);
        seen.promotions += f.Kifu.PlacedPiece[i] != f.Kifu.MovedPiece[i];
        seen.elephants += taken == piece::ZOU;
        seen.princes += taken == piece::KO;
        seen.kings += taken == piece::OU;
    }
}

} // namespace

// Games between two humans and against the computer at every level, with drops, promotions,
// captured elephants, princes and kings, stepped back with 戻 and resumed: every record they
// write, at any point and at the end, reads back whole.
TEST(RecordCheck, EveryRecordTheGameWritesReadsBackWhole) {
    Seen seen;
    for (unsigned seed = 1; seed <= 24; ++seed) {
        Game g;
        Form1& f = g.form;
        std::mt19937 rng(seed);
        const bool computer = seed % 3 != 0;
        f.ComLevel = 1 + static_cast<int>(seed % 3);
        if (!computer)
            f.START_Click();
        else if (seed % 2)
            f.SENTE_Click();
        else
            f.GOTE_Click();
        for (int ply = 0; ply < 160 && !f.Ended; ++ply) {
            g.fake.clock.now += 3;
            g.fake.dialogs.answers.assign(1, Answer::No); // a won game ends the program
            if (ply % 17 == 16 && f.KifuCursor > 4) {
                const int back = 1 + static_cast<int>(rng() % 4);
                for (int i = 0; i < back; ++i) f.REPLAY_Click();
                seen.stepsBack += back;
                if (rng() % 2) f.AFTER_Click();
                ++seen.resumed;
            }
            const Move m = pick(f, rng);
            click(f, m.fromX, m.fromX == -1 ? 8 - m.fromY : m.fromY);
            click(f, m.toX, m.toY, m.promotes() ? kRight : kLeft);
            if (ply % 10 == 9) writeAndReadBack(g, seen, "during the game");
            if (::testing::Test::HasFatalFailure()) return;
        }
        tally(f, seen);
        writeAndReadBack(g, seen, "at the end");
        if (::testing::Test::HasFatalFailure()) return;
    }
    EXPECT_GT(seen.records, 100);
    EXPECT_GT(seen.drops, 0);
    EXPECT_GT(seen.upperClickedDrops, 0) << "an upper drop written with the row clicked";
    EXPECT_GT(seen.promotions, 0);
    EXPECT_GT(seen.elephants, 0);
    EXPECT_GT(seen.princes, 0);
    EXPECT_GT(seen.kings, 0);
    EXPECT_GT(seen.stepsBack, 0);
    EXPECT_GT(seen.resumed, 0);
}
