// The computer player: hand-worked scores, the search order and its stops, and whole games.
#include "BenchPositions.h"
#include "Protocol.h"
#include "fakes/Clicks.h"
#include "fakes/Positions.h"
#include "rules/TrialMove.h"

#include <cstring>
#include <random>
#include <sstream>

using namespace kelvore;
using namespace kelvore::test;

namespace {

struct Scored {
    int fx, fy, tx, ty, moved, placed, score;
};

// Runs the computer's search on the position without playing, collecting every candidate's
// score in the order the search gives them.
struct Search {
    Form1& f;
    std::vector<Scored> list;
    explicit Search(Form1& form, int level) : f(form) {
        f.ComLevel = level;
        f.SearchOnly = true;
        f.OnCandidate = [](void* self, int fx, int fy, int tx, int ty, int moved, int placed,
                           int score) {
            static_cast<Search*>(self)->list.push_back({fx, fy, tx, ty, moved, placed, score});
        };
        f.OnCandidateContext = this;
        f.com_ban();
        f.SearchOnly = false;
        f.OnCandidate = nullptr;
    }
    int scoreOf(int fx, int fy, int tx, int ty, int placed) const {
        for (const Scored& s : list)
            if (s.fx == fx && s.fy == fy && s.tx == tx && s.ty == ty && s.placed == placed)
                return s.score;
        ADD_FAILURE() << "no such candidate";
        return 0;
    }
};

class Computer : public ::testing::Test {
protected:
    Game g;
    Form1& f = g.form;
    std::vector<std::string> prompts() const { return g.prompts(); }
    // The danger squares of a position for a piece placed on (x, y), with the snapshots of the
    // turn taken from the position itself (so nothing counts as newly attacked).
    int dangerOf(const std::string& sfen, int placed, int x, int y) {
        setPosition(f, sfen);
        f.勢力調査();
        std::memcpy(f.PosAttackCountBefore, f.PosAttackCount, sizeof(Map));
        std::memcpy(f.BoardBackup, f.Board, sizeof(Map));
        std::memset(f.NegImmovable, 0, sizeof(Map));
        return f.盤評価_COM危険座標(placed, x, y);
    }
    // A game against the computer, the human on the lower side, the computer to move.
    void computerToMove(const std::string& sfen) {
        f.GameMode = 1;
        f.ManTurn = -1;
        f.ComTurn = 1;
        f.Turn = 1;
        setPosition(f, sfen);
        g.fake.dialogs.shown.clear();
    }
};

} // namespace

// The upper king alone steps from its corner; the lower king stands in the far corner.
// Level 1: only the danger squares count: 0.1 for every empty square of rows 1..3 that the
// computer does not defend (18 from (8, 2), 21 from the other two squares).
// Level 2 adds the approach term: from (8, 2) the king is 7 away in both directions, less
// than 8 before, +0.1. Level 3 adds nothing for a king that keeps its eight steps.
TEST_F(Computer, AKingStepScoredTermByTermAtEachLevel) {
    setPosition(f, "8k/9/9/9/9/9/9/9/K8 w - 1");
    for (int level = 1; level <= 3; ++level) {
        Search s(f, level);
        ASSERT_EQ(s.list.size(), 3u);
        EXPECT_EQ(s.scoreOf(9, 1, 8, 1, 950), -21) << level;
        EXPECT_EQ(s.scoreOf(9, 1, 8, 2, 950), level == 1 ? -18 : -17) << level;
        EXPECT_EQ(s.scoreOf(9, 1, 9, 2, 950), -21) << level;
        EXPECT_EQ(f.BestToX, 8);
        EXPECT_EQ(f.BestToY, 2);
    }
}

// The upper gold on (5, 4) takes the lower king on (5, 5) while the lower prince lives.
// Level 1: danger squares only: 23 undefended empty squares in rows 1..3, -2.3.
// Level 2: approach +0.1 (distance 0 < 1), one escape square of the lower king taken away
// (3 before, 2 after) +1, the safe capture of the king +950 +300: 1248.8.
// Level 3: the gold's rules do not apply to a straight step to row 5.
TEST_F(Computer, TakingTheKingWhileThePrinceLivesIsAnOrdinaryCapture) {
    setPosition(f, "8k/9/9/4g4/4K4/9/9/9/+E8 w - 1");
    const int expected[4] = {0, -23, 12488, 12488};
    for (int level = 1; level <= 3; ++level) {
        Search s(f, level);
        EXPECT_EQ(s.scoreOf(5, 4, 5, 5, 110), expected[level]) << level;
        if (level > 1) {
            // The capture becomes the best and ends the search at once.
            EXPECT_EQ(s.list.back().tx, 5);
            EXPECT_EQ(s.list.back().ty, 5);
            EXPECT_EQ(f.BestToY, 5);
        }
    }
    // Without the prince the same capture wins outright.
    setPosition(f, "8k/9/9/4g4/4K4/9/9/9/9 w - 1");
    Search s(f, 1);
    EXPECT_EQ(s.scoreOf(5, 4, 5, 5, 110), 99990);
}

TEST_F(Computer, AMateGivenScores9998UnlessAPawnGivesItAndStopsTheDrops) {
    // The upper rook reaches rank 9 and mates the cornered lower king, in both forms.
    setPosition(f, "8k/4r4/9/9/9/9/9/PP7/K8 w g 1");
    Search s(f, 2);
    EXPECT_EQ(s.scoreOf(5, 2, 5, 9, 900), 99980);
    EXPECT_EQ(s.scoreOf(5, 2, 5, 9, 901), 99980);
    EXPECT_EQ(f.BestToY, 9);
    EXPECT_EQ(f.BestPlaced, 901) << "a rook is always placed promoted, even on a tie";
    for (const Scored& c : s.list) EXPECT_NE(c.fx, -1) << "no drop after a score of 9998";
    // A silver that mates unpromoted or promoted keeps the unpromoted form on the tie.
    // (A pawn that mates as a tokin scores 9998 too, and is placed promoted: see below.)
    setPosition(f, "9/9/9/9/9/9/2s6/P1k6/K8 w - 1");
    Search silver(f, 1);
    EXPECT_EQ(silver.scoreOf(3, 7, 2, 8, 100), 99980);
    EXPECT_EQ(silver.scoreOf(3, 7, 2, 8, 101), 99980);
    EXPECT_EQ(f.BestPlaced, 100);
    // A mate given by a dropped pawn is scored -9998.
    setPosition(f, "8k/9/9/9/9/9/1s7/9/KN7 w p 1");
    Search pawn(f, 1);
    EXPECT_EQ(pawn.scoreOf(-1, 1, 1, 8, 10), -99980);
    EXPECT_NE(f.BestFromX, -1);
    // A pawn that mates only as a tokin: the unpromoted form scores less, the tokin is played.
    setPosition(f, "8k/9/9/9/9/9/1ps6/P8/K8 w - 1");
    Search tokin(f, 1);
    EXPECT_LT(tokin.scoreOf(2, 7, 2, 8, 10), 99980);
    EXPECT_EQ(tokin.scoreOf(2, 7, 2, 8, 11), 99980);
    EXPECT_EQ(f.BestFromX, 2);
    EXPECT_EQ(f.BestPlaced, 11);
}

TEST_F(Computer, TheFirstOfEqualScoresIsPlayedAndDropsComeLast) {
    // A position that mirrors itself: equal scores for mirrored moves.
    setPosition(f, "4k4/9/9/9/9/9/9/9/4K4 w - 1");
    Search s(f, 3);
    int best = -999999;
    for (const Scored& c : s.list) best = std::max(best, c.score);
    const Scored* first = nullptr;
    int ties = 0;
    for (const Scored& c : s.list)
        if (c.score == best) {
            ++ties;
            if (!first) first = &c;
        }
    EXPECT_GT(ties, 1);
    EXPECT_EQ(f.BestToX, first->tx);
    EXPECT_EQ(f.BestToY, first->ty);
    EXPECT_LT(f.BestToX, 5) << "the mirrored move on the right comes later in loop order";
    // With an empty hand no drop is tried; with a piece in hand the drops follow the moves.
    for (const Scored& c : s.list) EXPECT_NE(c.fx, -1);
    f.EnemyHand[5] = 1;
    f.EnemyHandCount = 1;
    Search withGold(f, 3);
    EXPECT_EQ(withGold.list.front().fx, 5);
    EXPECT_EQ(withGold.list.back().fx, -1);
    EXPECT_EQ(f.EnemyHand[5], 1) << "a tried drop does not take the piece out of the hand";
}

TEST_F(Computer, TheSearchLeavesTheBoardAsItFoundIt) {
    std::mt19937 rng(3);
    usi::Protocol engine;
    for (const char* sfen : usi::kBenchPositions) {
        setPosition(f, sfen);
        Map before;
        std::memcpy(before, f.Board, sizeof(Map));
        int ownBefore[8], enemyBefore[8];
        std::memcpy(ownBefore, f.OwnHand, sizeof ownBefore);
        std::memcpy(enemyBefore, f.EnemyHand, sizeof enemyBefore);
        Search s(f, 1 + static_cast<int>(rng() % 3));
        EXPECT_EQ(std::memcmp(before, f.Board, sizeof(Map)), 0) << sfen;
        EXPECT_EQ(std::memcmp(ownBefore, f.OwnHand, sizeof ownBefore), 0);
        EXPECT_EQ(std::memcmp(enemyBefore, f.EnemyHand, sizeof enemyBefore), 0);
    }
}

TEST_F(Computer, MatingTheHumanIsAnnouncedButEndsNothing) {
    computerToMove("8k/4r4/9/9/9/9/9/PP7/K8 w - 1");
    f.com_ban();
    EXPECT_EQ(prompts(), (std::vector<std::string>{"よし！!"}));
    EXPECT_EQ(g.fake.dialogs.shown[0].title, "詰め ?");
    EXPECT_EQ(f.Board[5][9], 901);
    EXPECT_EQ(f.Turn, f.ManTurn);
    EXPECT_EQ(f.MoveNumber, 1);
    EXPECT_EQ(f.Kifu.PlacedPiece[1], 901);
}

TEST_F(Computer, TakingTheLastRoyalPieceWinsWithoutACheckMessage) {
    computerToMove("8k/9/9/4g4/4K4/9/9/9/9 w - 1");
    g.fake.dialogs.answers.push_back(Answer::Yes);
    f.com_ban();
    EXPECT_EQ(prompts(), (std::vector<std::string>{"ｺﾝﾋﾟｭｰﾀの勝ちです", "続けますか？"}));
    EXPECT_EQ(f.Turn, 0);
}

TEST_F(Computer, CheckIsAnnouncedForTheKingAndForThePrince) {
    computerToMove("4k4/9/9/9/9/9/3rr4/9/4K4 w - 1");
    f.ComLevel = 1;
    f.com_ban();
    // Whatever it plays, a check on the king is announced with its own text.
    f.ManKingPos.X = 0;
    f.勢力調査();
    const bool check = f.PosAttackCount[f.ManKingPos.X][f.ManKingPos.Y] > 0;
    EXPECT_EQ(!prompts().empty() && prompts()[0] == "   ** 王手 **", check);
    computerToMove("4k4/9/9/9/9/9/3rr4/9/4+E4 w - 1");
    f.com_ban();
    f.ManPrincePos.X = 0;
    f.勢力調査();
    const bool princeCheck = f.PosAttackCount[f.ManPrincePos.X][f.ManPrincePos.Y] > 0;
    EXPECT_EQ(!prompts().empty() && prompts()[0] == "   ** 王手(王子) **", princeCheck);
}

TEST_F(Computer, TheWaitEndsAcrossMidnight) {
    g.fake.clock.now = 86399.9;
    f.待ち時間(0.3);
    EXPECT_NEAR(g.fake.clock.now, 0.2, 0.03);
}

// Found by the stress run: from this time of day the last step of the wait came out as a few
// 1e-15 s, too small to move the clock on, and the wait never ended.
TEST_F(Computer, TheWaitEndsWhereRoundingLeavesATinyRemainder) {
    g.fake.clock.now = 55.900000001199075;
    f.待ち時間(0.3);
    EXPECT_GE(g.fake.clock.now, 56.2);
    EXPECT_LT(g.fake.clock.now, 56.21);
}

TEST_F(Computer, GoteFromNoGameLetsTheComputerMoveFirst) {
    f.GOTE_Click();
    EXPECT_EQ(f.MoveNumber, 1);
    EXPECT_EQ(f.ManTurn, -1);
    EXPECT_EQ(f.Turn, f.ManTurn);
    EXPECT_EQ(f.GameMode, 1);
    EXPECT_TRUE(prompts().empty());
}

TEST_F(Computer, SenteTakesOverAGameBetweenTwoHumansAtTheComputersTurn) {
    f.START_Click();
    move(f, 3, 7, 3, 6); // the lower side moves; the upper side is to move
    g.fake.dialogs.shown.clear();
    f.SENTE_Click();
    EXPECT_EQ(f.MoveNumber, 2) << "the computer answered at once";
    EXPECT_TRUE(prompts().empty());
    EXPECT_EQ(f.GameMode, 1);
    EXPECT_EQ(f.Turn, f.ManTurn);
}

TEST_F(Computer, TheLevelIsShownOnlyInAGameAgainstTheComputer) {
    f.START_Click();
    g.fake.canvas.clear();
    f.onMenu(MenuItem::LEVEL1);
    EXPECT_EQ(f.ComLevel, 1);
    EXPECT_TRUE(g.fake.menu.isChecked(MenuItem::LEVEL1));
    EXPECT_FALSE(g.fake.menu.isChecked(MenuItem::LEVEL3));
    EXPECT_TRUE(g.fake.canvas.of(DrawOp::Text).empty());
    f.GameMode = 1;
    f.onMenu(MenuItem::LEVEL2);
    std::string shown;
    for (const auto& op : g.fake.canvas.of(DrawOp::Text)) shown += op.text;
    EXPECT_NE(shown.find("LEVEL"), std::string::npos);
    EXPECT_NE(shown.find(" 2"), std::string::npos);
}

// Whole games through the mouse handler against each level, the human's moves chosen at
// random from the legal ones: the games come to a result.
TEST_F(Computer, WholeGamesAgainstEveryLevelEndInAWin) {
    for (int level = 1; level <= 3; ++level) {
        Game game;
        Form1& form = game.form;
        form.ComLevel = level;
        std::mt19937 rng(level);
        game.fake.dialogs.answers.push_back(Answer::No); // no second game: the program ends
        form.SENTE_Click();
        int humanMoves = 0;
        while (!form.Ended && humanMoves < 400) {
            form.調査_2歩フラグ設定();
            MoveList list;
            generateMoves(form, -1, list);
            ASSERT_GT(list.size, 0u);
            const Move& m = list.moves[rng() % list.size];
            click(form, m.fromX, m.fromY);
            click(form, m.toX, m.toY, m.promotes() ? kRight : kLeft);
            ++humanMoves;
        }
        ASSERT_TRUE(form.Ended) << "level " << level << " after " << humanMoves;
        bool won = false;
        for (const Box& b : game.fake.dialogs.shown)
            won |= b.prompt == "ｺﾝﾋﾟｭｰﾀの勝ちです" || b.prompt == "あなたの勝ちです";
        EXPECT_TRUE(won) << level;
    }
}

// The moves and scores the search chooses on the fixed positions, at every level. A change
// meant to alter the computer's play must say the new signature in its commit message. The
// second line is the searching engine's at a fixed depth: moves, scores and node counts, so
// that any change of its search or evaluation shows; a change meant to alter it says the new
// number too.
TEST(ComputerSignature, TheBenchSignatureIsUnchanged) {
    usi::Protocol engine;
    std::ostringstream out;
    engine.handle("bench", out);
    std::istringstream in(out.str());
    std::string word, signature;
    int positions = 0;
    in >> word >> word >> positions >> word >> signature;
    EXPECT_EQ(positions, 105);
    EXPECT_EQ(signature, "15232182329730615931");

    std::string line;
    std::getline(in, line);
    std::getline(in, line);
    std::istringstream search(line);
    int depth = 0;
    std::string searchSignature;
    search >> word >> word >> word >> positions >> word >> depth >> word >> searchSignature;
    EXPECT_EQ(line.substr(0, 13), "bench search ");
    EXPECT_EQ(positions, 35);
    EXPECT_EQ(depth, 6);
    EXPECT_EQ(searchSignature, "13380321863710544142");
}

// The investigations and escape routes, on small positions surveyed as the computer does.
TEST_F(Computer, InvestigationsAnswerTheirQuestions) {
    auto survey = [&](const std::string& sfen) {
        setPosition(f, sfen);
        f.勢力調査();
    };
    // A piece boxed in by its own side has no square to go to; an attacked square never counts.
    survey("4k4/9/9/9/9/9/PPP6/PKP6/PPP6 b - 1");
    EXPECT_EQ(f.調査_移動可場所数(2, 8, -950), 0);
    survey("4k4/9/9/9/9/9/9/1Kr6/9 b - 1");
    EXPECT_EQ(f.調査_移動可場所数(2, 8, -950), 5) << "the rook holds (1, 8), (3, 7) and (3, 9)";
    // The lance aim finds nothing when the first piece down the file is the computer's own.
    survey("4k4/9/9/9/9/4g4/4p4/4b4/4B4 w - 1");
    EXPECT_EQ(f.調査_香狙い(5, 7), 0);
    // The human's rook behind its own pawns is seen, but the pawns block it.
    survey("4k4/9/9/9/9/9/4P4/4P4/4R4 b - 1");
    EXPECT_EQ(f.調査_自守駒MAN_直進駒(5, 5), 0);
    survey("4k4/9/9/9/9/9/9/9/4R4 b - 1");
    EXPECT_EQ(f.調査_自守駒MAN_直進駒(5, 5), 1);
    // Surroundings: a corner has three neighbours.
    survey("rb7/b8/9/9/9/9/9/9/4K4 w - 1");
    EXPECT_EQ(f.調査_周辺状況(1, 2), -2);
    EXPECT_EQ(f.調査_周辺状況(2, 2), -3);
    // Escape routes: a king in its corner with three free neighbours; attacked ones are not.
    survey("4k4/9/9/9/9/9/9/9/K8 b - 1");
    EXPECT_EQ(f.調査_自王逃道(), 3);
    EXPECT_EQ(f.ManKingEscapeMarks[1][8], 1);
    survey("4k4/9/9/9/9/9/2s6/9/K8 b - 1");
    EXPECT_EQ(f.調査_自王逃道(), 2) << "the silver attacks (2, 8)";
    survey("4k4/9/9/9/9/9/9/1g7/K8 b - 1");
    EXPECT_EQ(f.調査_自王逃道(), 0) << "a square holding a piece is no escape either";
}

// The danger-square fork term: a rook on (5, 5), safe, attacks an undefended lower knight
// (30) and silver (100); neither attacker touches any square another rule looks at. Against
// the same board without them, the danger squares gain exactly 0.1 a piece and the cheaper
// piece: 0.2 + 30.
TEST_F(Computer, AForkOfTwoUndefendedPiecesGainsTheCheaperOne) {
    auto danger = [&](const std::string& sfen) { return dangerOf(sfen, 900, 5, 5); };
    const int with = danger("8k/9/9/9/S3r4/9/9/4N4/9 w - 1");
    const int without = danger("8k/9/9/9/4r4/9/9/9/9 w - 1");
    EXPECT_EQ(with - without, 302);
}

// An empty square beside the computer's king, defended twice and attacked twice by the
// human's pawn and knight, costs exactly 0.5 an attack.
TEST_F(Computer, AnEmptySquareBesideTheKingCostsHalfAPointAnAttack) {
    auto danger = [&](const std::string& sfen) { return dangerOf(sfen, 950, 5, 5); };
    const int none = danger("9/9/9/9/3gk4/9/9/9/9 w - 1");
    const int pawn = danger("9/9/9/9/3gk4/9/3P5/9/9 w - 1");
    const int both = danger("9/9/9/9/3gk4/9/3P5/2N6/9 w - 1");
    EXPECT_EQ(pawn - none, -5);
    EXPECT_EQ(both - none, -10);
}

// The computer's king on its first rank with the square in front attacked once and defended
// twice: 50 for the attack, and 700 more when the human holds a gold; the empty square itself
// costs 0.5 for the attack and 10 for the gold in hand. (The attacking pawn stands on (5, 3),
// which then no longer counts 0.1 as an empty undefended square of the computer's camp.)
TEST_F(Computer, TheKingOnItsFirstRankWithTheSquareInFrontAttacked) {
    auto danger = [&](const std::string& sfen) { return dangerOf(sfen, 950, 5, 1); };
    const int quiet = danger("3gk4/9/9/9/9/9/9/9/9 w - 1");
    const int attacked = danger("3gk4/9/4P4/9/9/9/9/9/9 w - 1");
    const int withGold = danger("3gk4/9/4P4/9/9/9/9/9/9 w G 1");
    EXPECT_EQ(attacked - quiet, -500 - 5 + 1);
    EXPECT_EQ(withGold - attacked, -7100);
}

// "思考中" stayed shown over the mate, check and win boxes, after the computer had moved.
TEST_F(Computer, TheThinkingCaptionGoesBeforeTheBoxesOfItsMove) {
    // Whether the caption is still to be seen: printed, and not painted over since.
    auto captionShown = [&] {
        bool shown = false;
        for (const DrawOp& op : g.fake.canvas.ops) {
            if (op.kind == DrawOp::Text && op.text == "思考中") shown = true;
            if (op.kind == DrawOp::Picture && Game::gx(op.x) == -1 && Game::gy(op.y) == 8)
                shown = false;
        }
        return shown;
    };
    std::vector<std::string> boxesOverCaption;
    g.fake.dialogs.onShow = [&](const Box& box) {
        if (captionShown()) boxesOverCaption.push_back(box.prompt);
    };
    for (int level : {1, 3}) {
        f.ComLevel = level;
        computerToMove("8k/4r4/9/9/9/9/9/PP7/K8 w - 1"); // the computer mates
        g.fake.canvas.clear();
        f.com_ban();
        EXPECT_EQ(prompts(), (std::vector<std::string>{"よし！!"}));
        computerToMove("8k/9/9/4g4/4K4/9/9/9/9 w - 1"); // and takes the last royal piece
        g.fake.dialogs.answers.push_back(Answer::Yes);
        g.fake.canvas.clear();
        f.com_ban();
        EXPECT_EQ(prompts().front(), "ｺﾝﾋﾟｭｰﾀの勝ちです");
        bool printed = false;
        for (const DrawOp& op : g.fake.canvas.ops) printed |= op.text == "思考中";
        EXPECT_TRUE(printed) << "shown while it thought";
    }
    EXPECT_EQ(boxesOverCaption, std::vector<std::string>{});
}
