// The judgement of a game: the engine's verdicts read as losses and marks, the reasons read
// from the engine's lines, and the analyser's worker cancelled and destroyed in the middle.
#include "analysis/Analyser.h"
#include "analysis/AnalysisKif.h"
#include "analysis/Explanation.h"
#include "analysis/GameAnalysis.h"
#include "analysis/JudgementStore.h"

#include "fakes/FakePlatform.h"
#include "fakes/Positions.h"
#include "notation/Usi.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <cstring>
#include <filesystem>
#include <mutex>

using namespace kelvore;
using namespace kelvore::analysis;
using kelvore::test::snapshotOfSfen;

namespace {

// A move written as USI text, as the side to move of `position` plays it.
Move moveOn(const engine::GameSnapshot& position, const std::string& text) {
    const auto t = notation::parseUsiMove(text);
    EXPECT_TRUE(t.has_value()) << text;
    const auto m = t ? notation::moveOn(*t, position.board, position.sideToMove) : std::nullopt;
    EXPECT_TRUE(m.has_value()) << text;
    return m.value_or(Move{});
}

std::vector<Move> lineOn(engine::GameSnapshot position, const std::vector<std::string>& moves) {
    std::vector<Move> line;
    for (const std::string& text : moves) {
        line.push_back(moveOn(position, text));
        int captured = 0;
        EXPECT_TRUE(playOn(position, line.back(), captured)) << text;
    }
    return line;
}

// A game from a start and its moves in USI text.
GameRecord gameOf(const engine::GameSnapshot& start, const std::vector<std::string>& moves) {
    GameRecord g;
    g.start = start;
    engine::GameSnapshot p = start;
    for (const std::string& text : moves) {
        const Move m = moveOn(p, text);
        const RecordMove r = recordMoveOf(m, p.board[m.toX][m.toY]);
        EXPECT_TRUE(applyMove(p, r)) << text;
        g.moves.push_back(r);
    }
    return g;
}

Verdict verdictOf(Score score, const engine::GameSnapshot& position,
                  const std::vector<std::string>& line) {
    Verdict v;
    v.searched = true;
    v.score = score;
    v.line = lineOn(position, line);
    v.hasMove = !v.line.empty();
    if (v.hasMove) v.best = v.line.front();
    return v;
}

const std::string kStart = notation::kStartSfen;

// The analyser run to its end on the calling thread's behalf: the verdicts collected as they
// come (on the worker, without a dispatcher).
struct Collected {
    std::mutex mutex;
    std::condition_variable done;
    std::vector<std::pair<std::size_t, Verdict>> verdicts;
    bool finished = false;

    Analyser::Listener listener() {
        return {[this](std::size_t i, const Verdict& v) {
                    std::lock_guard lock(mutex);
                    verdicts.emplace_back(i, v);
                },
                [this] {
                    {
                        std::lock_guard lock(mutex);
                        finished = true;
                    }
                    done.notify_all();
                }};
    }
    // A far deadline only so that a broken worker fails the test instead of hanging it.
    bool waitForEnd() {
        std::unique_lock lock(mutex);
        return done.wait_for(lock, std::chrono::minutes(5), [this] { return finished; });
    }
};

GameAnalysis analysed(const GameRecord& game, const engine::Limits& limits) {
    GameAnalysis a(game);
    Collected c;
    Analyser analyser;
    analyser.start(game, limits, c.listener());
    EXPECT_TRUE(c.waitForEnd());
    analyser.wait();
    for (auto& [i, v] : c.verdicts) a.setVerdict(i, v);
    return a;
}

} // namespace

TEST(Analysis, ScoresOnTheLossScaleTheGraphAndInText) {
    // A mate weighs more than any material, a quicker mate more than a slower one.
    EXPECT_GT(units({99, true}), units({50000, false}));
    EXPECT_GT(units({3, true}), units({9, true}));
    EXPECT_LT(units({-2, true}), units({-50000, false}));
    EXPECT_EQ(units({-5000, false}), -5000) << "nothing is clipped";
    EXPECT_EQ(units({-250, false}), -250);
    EXPECT_EQ(graphValue({2500, false}), kGraphClip);
    EXPECT_EQ(graphValue({-7, true}), -kGraphClip);
    EXPECT_EQ(graphValue({-120, false}), -120);
    EXPECT_DOUBLE_EQ(winningPercent({0, false}), 50.0);
    EXPECT_GT(winningPercent({600, false}), 70.0);
    EXPECT_LT(winningPercent({600, false}), 75.0);
    EXPECT_DOUBLE_EQ(winningPercent({-4, true}), 0.0);
    EXPECT_EQ(scoreText({350, false}), "+350");
    EXPECT_EQ(scoreText({-120, false}), "-120");
    EXPECT_EQ(scoreText({0, false}), "0");
    EXPECT_EQ(scoreText({7, true}), "勝ちまで 7手");
    EXPECT_EQ(scoreText({-2, true}), "詰み");
    EXPECT_EQ(scoreText({-6, true}), "負けまで 6手");
    EXPECT_EQ(usiScoreText({-6, true}), "mate -6");
    EXPECT_EQ(usiScoreText({35, false}), "cp 35");
}

// The losses and marks from verdicts given by hand, in any order: a move is judged once both
// its positions are known, the engine's own move loses nothing, and a missed mate is a loss.
TEST(Analysis, MovesAreJudgedFromTheVerdictsOnBothSides) {
    const GameRecord game =
        gameOf(snapshotOfSfen(kStart), {"7g7f", "3c3d", "2g2f", "4a3b", "8h2b+"});
    GameAnalysis a(game);
    ASSERT_EQ(a.moveCount(), 5u);
    const auto& p = a.positions();
    a.setVerdict(2, verdictOf({40, false}, p[2], {"2g2f"}));
    EXPECT_FALSE(a.review(1).has_value()) << "position 1 is not searched yet";
    EXPECT_FALSE(a.review(2).has_value());
    a.setVerdict(3, verdictOf({-60, false}, p[3], {"3a3b"}));
    ASSERT_TRUE(a.review(2).has_value());
    EXPECT_TRUE(a.review(2)->playedBest);
    EXPECT_EQ(a.review(2)->loss, 0) << "a deeper look one move later is not a loss";
    EXPECT_EQ(a.review(2)->grade, Grade::None);
    EXPECT_EQ(a.review(2)->text, "▲２六歩(27)");

    // The upper side had the exchange of bishops; its gold move lets the lower side win by
    // force: a mate missed weighs like one.
    a.setVerdict(4, verdictOf({9, true}, p[4], {"8h2b+"}));
    ASSERT_TRUE(a.review(3).has_value());
    EXPECT_EQ(a.review(3)->before, (Score{-60, false}));
    EXPECT_EQ(a.review(3)->after, (Score{-9, true}));
    EXPECT_EQ(a.review(3)->loss, units({-60, false}) - units({-9, true}));
    EXPECT_EQ(a.review(3)->grade, Grade::Bad);
    EXPECT_EQ(a.review(3)->bestText, "△３二銀(31)");
    EXPECT_EQ(a.review(3)->reason, "▲２二角成(88)から詰みます");

    // Between dubious and bad, and the summary per side.
    a.setVerdict(0, verdictOf({30, false}, p[0], {"2g2f", "8c8d"}));
    a.setVerdict(1, verdictOf({130, false}, p[1], {"3c3d"}));
    ASSERT_TRUE(a.review(0).has_value());
    EXPECT_EQ(a.review(0)->loss, 160);
    EXPECT_EQ(a.review(0)->grade, Grade::None);
    EXPECT_EQ(a.review(0)->lineText, "▲２六歩(27) △８四歩(83)");
    a.setVerdict(1, verdictOf({400, false}, p[1], {"3c3d"}));
    EXPECT_EQ(a.review(0)->grade, Grade::Dubious) << "a later verdict replaces the earlier";
    EXPECT_EQ(a.review(1)->loss, 0) << "the gote move was the engine's own";

    const SideSummary sente = a.summary(notation::Mark::Sente);
    const SideSummary gote = a.summary(notation::Mark::Gote);
    EXPECT_EQ(sente.moves, 2);
    EXPECT_EQ(sente.dubious, 1);
    EXPECT_EQ(sente.bad, 0);
    EXPECT_EQ(sente.averageLoss, (430 + 0) / 2);
    EXPECT_NEAR(sente.averageChanceLoss, a.review(0)->chanceLoss / 2, 1e-9);
    EXPECT_GT(a.review(0)->chanceLoss, 10.0);
    EXPECT_LT(a.review(0)->chanceLoss, 20.0);
    EXPECT_EQ(gote.moves, 2);
    EXPECT_EQ(gote.bad, 1);
    EXPECT_EQ(a.searchedCount(), 5u);
    EXPECT_FALSE(a.complete());

    // The graph's scores are from the first mover's side.
    EXPECT_EQ(a.firstMoverScore(1), (Score{-400, false}));
    EXPECT_EQ(a.firstMoverScore(4), (Score{9, true}));
    EXPECT_FALSE(a.firstMoverScore(5).has_value());
    a.setVerdict(99, verdictOf({0, false}, p[0], {})); // out of range: ignored
    EXPECT_EQ(a.searchedCount(), 5u);
}

// Marks by the winning chance lost, and where the game is decided by the centipawns: a blunder
// in a won or a lost game is still seen, a forced win given up is bad, a small slip is not.
TEST(Analysis, MarksInWonAndLostGamesAreNotHiddenByTheCurve) {
    const GameRecord game = gameOf(snapshotOfSfen(kStart), {"7g7f", "3c3d"});
    const GameAnalysis base(game);
    const auto& p = base.positions();
    auto judged = [&](Score before, Score after) {
        GameAnalysis a(game);
        a.setVerdict(0, verdictOf(before, p[0], {"2g2f"}));
        a.setVerdict(1, verdictOf(-after, p[1], {"3c3d"}));
        return *a.review(0);
    };
    // Even: 30 points of chance is bad, 12 dubious, 5 nothing.
    EXPECT_EQ(judged({0, false}, {-900, false}).grade, Grade::Bad);
    EXPECT_EQ(judged({0, false}, {-300, false}).grade, Grade::Dubious);
    EXPECT_EQ(judged({0, false}, {-80, false}).grade, Grade::None);
    // Won: the chance hardly moves, but a rook's worth given away is still marked.
    const MoveReview won = judged({4000, false}, {2500, false});
    EXPECT_LT(won.chanceLoss, 2.0);
    EXPECT_EQ(won.loss, 1500);
    EXPECT_EQ(won.grade, Grade::Dubious);
    EXPECT_EQ(judged({4000, false}, {1500, false}).grade, Grade::Bad);
    // Lost: more thrown away is marked; a small slip is not.
    EXPECT_EQ(judged({-3500, false}, {-6000, false}).grade, Grade::Bad);
    EXPECT_EQ(judged({-3500, false}, {-3800, false}).grade, Grade::None);
    // A mate allowed in a lost game, and a forced win given up in a won one.
    EXPECT_EQ(judged({-3000, false}, {-15, true}).grade, Grade::Bad);
    const MoveReview givenUp = judged({7, true}, {6000, false});
    EXPECT_EQ(givenUp.grade, Grade::Bad);
    EXPECT_DOUBLE_EQ(givenUp.chanceBefore, 100.0);
    // A slower mate is still a win: no mark.
    EXPECT_EQ(judged({7, true}, {11, true}).grade, Grade::None);
}

// The default budget is a count of nodes, and each position is searched from an empty table:
// the same game gives the same verdicts, line for line, however often and after whatever else
// it is analysed, and one position alone gives its verdict in the game.
TEST(Analysis, TheDefaultBudgetGivesTheSameVerdictsEveryTime) {
    const GameRecord game = gameOf(snapshotOfSfen(kStart), {"7g7f", "3c3d", "2g2f", "8c8d"});
    const GameAnalysis first = analysed(game, {});
    analysed(gameOf(snapshotOfSfen(kStart), {"2g2f"}), {}); // something else between
    const GameAnalysis second = analysed(game, {});
    ASSERT_TRUE(first.complete());
    ASSERT_TRUE(second.complete());
    for (std::size_t i = 0; i <= first.moveCount(); ++i) {
        const Verdict& a = first.verdict(i);
        const Verdict& b = second.verdict(i);
        EXPECT_EQ(a.nodes, b.nodes) << i;
        EXPECT_GE(a.nodes, kDefaultNodesPerPosition) << i;
        EXPECT_LT(a.nodes, kDefaultNodesPerPosition + 1000) << i;
        EXPECT_EQ(a.score, b.score) << i;
        EXPECT_EQ(a.line, b.line) << i;
    }
    for (std::size_t i = 0; i < first.moveCount(); ++i) {
        EXPECT_EQ(first.review(i)->grade, second.review(i)->grade) << i;
        EXPECT_EQ(first.review(i)->reason, second.review(i)->reason) << i;
    }
    // The last position alone, on a searcher that has just searched another.
    engine::Searcher searcher(16);
    std::atomic<bool> cancel{false};
    std::vector<std::uint64_t> earlier;
    for (std::size_t i = 0; i + 1 < first.positions().size(); ++i)
        earlier.push_back(engine::positionKey(first.positions()[i]));
    analysePosition(searcher, first.positions()[3], {}, {}, cancel);
    const Verdict alone = analysePosition(searcher, first.positions().back(), earlier, {}, cancel);
    EXPECT_EQ(alone.line, first.verdict(first.moveCount()).line);
    EXPECT_EQ(alone.nodes, first.verdict(first.moveCount()).nodes);
}

// The reasons, on hand-built positions and lines.
TEST(Analysis, ReasonsAreReadFromTheEngineLines) {
    const int lower = -1, upper = 1;
    auto reasonOf = [](const std::string& sfen, const std::string& played, Score before,
                       const std::vector<std::string>& bestLine, Score after,
                       const std::vector<std::string>& reply, int firstMover, Pos previousTo = {}) {
        const engine::GameSnapshot p = snapshotOfSfen(sfen);
        const Move m = moveOn(p, played);
        engine::GameSnapshot next = p;
        int captured = 0;
        EXPECT_TRUE(playOn(next, m, captured));
        const Verdict b = verdictOf(before, p, bestLine);
        const Verdict a = verdictOf(after, next, reply);
        return explain({p, m, previousTo, b, a, firstMover});
    };

    // The bishop goes where the other bishop takes it, and nothing takes back.
    const std::string openBishops =
        "lnsgkgsnl/1r2e2b1/pppppp1pp/6p2/9/2P6/PP1PPPPPP/1B2E2R1/LNSGKGSNL b - 1";
    EXPECT_EQ(reasonOf(openBishops, "8h5e", {40, false}, {"2g2f"}, {1500, false}, {"2b5e", "2g2f"},
                       lower),
              "角を只で取られます: △同　角(22)");

    // A pawn taken, and the horse taken back for it.
    const std::string pawnOnThree = "4k4/6s2/6p2/9/4B4/9/9/9/4K4 b - 1";
    EXPECT_EQ(reasonOf(pawnOnThree, "5e3c+", {0, false}, {"5e4d"}, {1200, false}, {"3b3c", "5i5h"},
                       lower),
              "歩を取る代わりに△同　銀(32)で馬を取られます");

    // A quiet move, and the reply wins a gold at once: the first exchange is named, not the
    // line's end, and no capture is named for the move.
    const std::string goldOnSeven = "4k4/9/2r6/9/9/9/8P/2G6/4K4 b - 1";
    EXPECT_EQ(reasonOf(goldOnSeven, "1g1f", {0, false}, {"7h6h"}, {1300, false},
                       {"7c7h+", "5i4h", "7h6h", "4h3h"}, lower),
              "△７八飛成(73)で金を取られます");
    // An even trade first (the gold for the rook), then nothing lost: no material reason.
    const std::string guarded = "4k4/9/2r6/9/9/9/8P/2G6/2K6 b - 1";
    EXPECT_EQ(
        reasonOf(guarded, "1g1f", {300, false}, {"7h6h"}, {-100, false}, {"7c7h+", "7i7h"}, lower),
        "駒損はありませんが形勢を損ねます。最善手は▲６八金(78)でした");

    // A knight dropped between a gold and a rook: one of them is lost two moves later.
    const std::string forked = "4k4/9/9/9/9/4G1R2/P8/9/4K4 b n 1";
    EXPECT_EQ(reasonOf(forked, "9g9f", {0, false}, {"5f5e"}, {800, false}, {"N*4d", "3f3h", "4d5f"},
                       lower),
              "△４四桂打から金を取られます: △４四桂打 ▲３八飛(36) △５六桂(44)");

    // The upper side moved first here: its moves are ▲, the lower side's △. Its king move
    // lets the gold drop mate.
    const std::string kingOnTop = "4k4/9/4P4/9/9/9/9/9/4K4 w G 1";
    EXPECT_EQ(
        reasonOf(kingOnTop, "5a4a", {-100, false}, {"5a6b"}, {5, true}, {"G*4b", "4a3a"}, upper),
        "△４二金打から詰みます");
    // A move that leaves the king to be taken at once.
    EXPECT_EQ(reasonOf("4k4/9/9/9/4r4/9/9/4G4/4K4 b - 1", "5h4h", {-300, false}, {"5i4i"},
                       {1, true}, {"5e5i"}, lower),
              "玉を取られます: △５九飛不成(55)");

    // A mate the mover had and did not play.
    const std::string goldMate = "4k4/9/4P4/9/9/9/9/9/4K4 b G 1";
    EXPECT_EQ(reasonOf(goldMate, "5i4i", {3, true}, {"G*5b"}, {-200, false}, {"5a4a"}, lower),
              "▲５二金打で詰みでした");
    // A mate kept (the move mates more slowly) is no missed mate.
    EXPECT_NE(reasonOf(goldMate, "5i4i", {3, true}, {"G*5b"}, {-9, true}, {"5a4a"}, lower),
              "▲５二金打で詰みでした");

    // A gold the bishop could have taken; `同` refers to the move before the mover's.
    const std::string goldHangs = "4k4/9/6g2/9/4B4/9/P8/9/4K4 b - 1";
    EXPECT_EQ(
        reasonOf(goldHangs, "9g9f", {1100, false}, {"5e3c+", "5a4a"}, {0, false}, {"5a4a"}, lower),
        "▲３三角成(55)で金が取れました");
    EXPECT_EQ(
        reasonOf(goldHangs, "9g9f", {1100, false}, {"5e3c+"}, {0, false}, {"5a4a"}, lower, {7, 3}),
        "▲同　角成(55)で金が取れました");
    // Nothing of material either way: the engine's better move is named.
    EXPECT_EQ(reasonOf(goldHangs, "9g9f", {400, false}, {"5e4d"}, {0, false}, {"5a4a"}, lower),
              "駒損はありませんが形勢を損ねます。最善手は▲４四角(55)でした");
}

// The game of a player who found a reason false: ▲７九銀(88), the 23rd move, captures nothing,
// and was said to lose a lance "instead of taking a pawn" from the end of a long line. Its
// reason names no capture of its own, and what it names is taken in the opponent's line.
TEST(Analysis, ThePlantedGamesTwentyThirdMoveIsExplainedTruly) {
    const GameRecord game =
        gameOf(snapshotOfSfen(kStart),
               {"7g7f",  "3c3d", "2g2f", "8c8d",  "2f2e",  "8d8e", "6i7h", "8e8f",
                "8g8f",  "8b8f", "P*8g", "8f7f",  "8h2b+", "3a2b", "B*6e", "7f7e",
                "6e8c+", "P*8h", "7i8h", "7e7h+", "5h6i",  "7h8i", "8h7i", "B*7g"});
    GameAnalysis a(game);
    ASSERT_EQ(a.moveCount(), 24u);
    engine::Searcher searcher(16);
    std::atomic<bool> cancel{false};
    engine::Limits depth;
    depth.depth = 9;
    std::vector<std::uint64_t> earlier;
    for (std::size_t i = 0; i < 22; ++i) earlier.push_back(engine::positionKey(a.positions()[i]));
    for (std::size_t i = 22; i <= 23; ++i) {
        a.setVerdict(i, analysePosition(searcher, a.positions()[i], earlier, depth, cancel));
        earlier.push_back(engine::positionKey(a.positions()[i]));
    }
    const MoveReview& r = *a.review(22);
    EXPECT_EQ(r.text, "▲７九銀(88)");
    EXPECT_FALSE(r.playedBest);
    EXPECT_NE(r.grade, Grade::None) << r.loss;
    EXPECT_EQ(r.reason.find("取る代わりに"), std::string::npos) << r.reason;
    std::cout << "reason: " << r.reason << " loss " << r.loss << " chance " << r.chanceLoss << "\n";
}

// A short game in which the lower side leaves its bishop where the upper bishop takes it for
// nothing: that move, and no move around it, is marked, and the reason names the capture.
TEST(Analysis, APlantedBlunderIsMarkedAndNotTheMovesAroundIt) {
    const GameRecord game =
        gameOf(snapshotOfSfen(kStart), {"7g7f", "3c3d", "2g2f", "8c8d", "8h5e", "2b5e", "5g5f"});
    engine::Limits limits;
    limits.depth = 5;
    const GameAnalysis a = analysed(game, limits);
    ASSERT_TRUE(a.complete());
    for (std::size_t i = 0; i < a.moveCount(); ++i) {
        ASSERT_TRUE(a.review(i).has_value()) << i;
        if (i == 4) continue;
        EXPECT_EQ(a.review(i)->grade, Grade::None)
            << "move " << i + 1 << " " << a.review(i)->text << " loss " << a.review(i)->loss;
    }
    const MoveReview& blunder = *a.review(4);
    EXPECT_EQ(blunder.text, "▲５五角(88)");
    EXPECT_EQ(blunder.grade, Grade::Bad) << blunder.loss;
    EXPECT_EQ(blunder.reason, "角を只で取られます: △同　角(22)");
    EXPECT_EQ(a.review(5)->text, "△同　角(22)");
    EXPECT_TRUE(a.review(5)->playedBest);
    EXPECT_EQ(a.summary(notation::Mark::Sente).bad, 1);
    EXPECT_EQ(a.summary(notation::Mark::Gote).bad + a.summary(notation::Mark::Gote).dubious, 0);

    // The same limits give the same judgement again.
    const GameAnalysis again = analysed(game, limits);
    for (std::size_t i = 0; i <= a.moveCount(); ++i) {
        EXPECT_EQ(again.verdict(i).score, a.verdict(i).score) << i;
        EXPECT_EQ(again.verdict(i).nodes, a.verdict(i).nodes) << i;
    }
}

// The end of a game: the side whose last royal piece is gone has lost, without a search.
TEST(Analysis, APositionWithoutARoyalPieceIsLostForTheSideToMove) {
    engine::Searcher searcher(1);
    std::atomic<bool> cancel{false};
    const Verdict lost =
        analysePosition(searcher, snapshotOfSfen("4k4/9/9/9/9/9/9/9/4G4 b - 1"), {}, {}, cancel);
    EXPECT_TRUE(lost.searched);
    EXPECT_FALSE(lost.hasMove);
    EXPECT_EQ(lost.score, (Score{-2, true}));
    engine::Limits depth;
    depth.depth = 3;
    const Verdict mate = analysePosition(searcher, snapshotOfSfen("4k4/9/4P4/9/9/9/9/9/4K4 b G 1"),
                                         {}, depth, cancel);
    EXPECT_TRUE(mate.hasMove);
    EXPECT_TRUE(mate.score.mate);
    EXPECT_GT(mate.score.value, 0);
    ASSERT_FALSE(mate.line.empty());
    EXPECT_EQ(mate.line.front().toX, mate.best.toX);
}

// Cancelled in the middle of a search that would take minutes: the worker ends, and nothing of
// the cancelled run reaches the listener, not even the answers already waiting.
TEST(Analysis, CancellingStopsTheRunAndDropsWhatItPosted) {
    test::FakeDispatcher dispatcher;
    const GameRecord game = gameOf(snapshotOfSfen(kStart), {"7g7f", "3c3d", "2g2f", "8c8d"});
    int heard = 0;
    bool finished = false;
    Analyser::Listener listener{[&](std::size_t, const Verdict&) { ++heard; },
                                [&] { finished = true; }};
    {
        Analyser analyser(&dispatcher, 1);
        engine::Limits slow;
        slow.moveTimeMs = 10 * 60 * 1000;
        analyser.start(game, slow, listener);
        EXPECT_TRUE(analyser.running());
        analyser.cancel();
        analyser.wait();
        EXPECT_FALSE(analyser.running());
        dispatcher.drain();
        EXPECT_EQ(heard, 0);

        // The first position answers quickly, the rest would take minutes: its answer waits in
        // the dispatcher when the run is cancelled.
        engine::Limits quick;
        quick.depth = 1;
        analyser.start(game, quick, listener);
        analyser.wait();
        EXPECT_EQ(dispatcher.waiting(), game.moves.size() + 2) << "every verdict and the end";
        analyser.start(game, slow, listener); // the last run's answers are not wanted
        analyser.cancel();
        dispatcher.drain();
        EXPECT_EQ(heard, 0);
        EXPECT_FALSE(finished);

        // A run to the end after all that.
        analyser.start(game, quick, listener);
        analyser.wait();
        dispatcher.drain();
        EXPECT_EQ(heard, static_cast<int>(game.moves.size()) + 1);
        EXPECT_TRUE(finished);

        // Destroyed in the middle of a long search.
        analyser.start(game, slow, listener);
    }
    EXPECT_EQ(dispatcher.drain(), 0) << "a destroyed analyser leaves nothing to run";
    EXPECT_EQ(heard, static_cast<int>(game.moves.size()) + 1);
}

// The judgement kept in a KIF: written after each move as other programs write evaluations,
// read back without searching into the same scores, marks and reasons; another program's
// evaluations are read the same way, a mate among them.
TEST(Analysis, TheJudgementTravelsInKif) {
    const GameRecord game =
        gameOf(snapshotOfSfen(kStart), {"7g7f", "3c3d", "2g2f", "8c8d", "8h5e", "2b5e"});
    GameAnalysis a(game);
    const auto& p = a.positions();
    const std::vector<std::vector<std::string>> lines = {
        {"2g2f", "8c8d"}, {"8c8d"}, {"8h2b+"}, {"8c8d"}, {"5g5f"}, {"2b5e"}, {"5g5f"}};
    const int scores[] = {40, -30, 60, -70, 50, 1500, -1450};
    for (std::size_t i = 0; i < p.size(); ++i)
        a.setVerdict(i, verdictOf({scores[i], false}, p[i], lines[i]));
    a.setVerdict(6, verdictOf({-9, true}, p[6], lines[6]));
    ASSERT_EQ(a.review(4)->grade, Grade::Bad);

    kif::KifGame k;
    k.game = game;
    writeJudgement(a, k);
    const std::string text = kif::writeKif(k, kif::Encoding::Utf8);
    EXPECT_NE(text.find("   5 ５五角(88)   "), std::string::npos);
    EXPECT_NE(text.find("\r\n*悪手　角を只で取られます: △同　角(22)\r\n*#評価値=-1500\r\n"
                        "*#読み筋=△同　角(22)\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("*#評価値=40\r\n*#読み筋=▲２六歩(27) △８四歩(83)\r\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("*#評価値=-99991\r\n"), std::string::npos) << "▲ is mated in 9: " << text;

    const kif::KifRead read = kif::readKif(text, kif::Encoding::Utf8);
    ASSERT_TRUE(read.game.has_value()) << read.message();
    ASSERT_TRUE(hasJudgement(*read.game));
    GameAnalysis back(read.game->game);
    readJudgement(*read.game, back);
    EXPECT_TRUE(back.complete());
    for (std::size_t i = 0; i < p.size(); ++i)
        EXPECT_EQ(back.firstMoverScore(i), a.firstMoverScore(i)) << i;
    for (std::size_t i = 0; i < game.moves.size(); ++i) {
        EXPECT_EQ(back.review(i)->grade, a.review(i)->grade) << i;
        EXPECT_EQ(back.review(i)->reason, a.review(i)->reason) << i;
        EXPECT_EQ(back.review(i)->lineText, a.review(i)->lineText) << i;
    }
    EXPECT_TRUE(back.review(5)->playedBest) << "the line written began with the move played";

    // Another program's file: evaluations on some moves only, no lines, no marks.
    kif::KifGame other = *read.game;
    other.comments.assign(3, {});
    other.comments[1] = {"#評価値=+120", "ほかの注釈"};
    other.comments[2] = {"#評価値=+99997"};
    GameAnalysis theirs(other.game);
    readJudgement(other, theirs);
    EXPECT_EQ(theirs.searchedCount(), 2u);
    EXPECT_EQ(theirs.firstMoverScore(1), (Score{120, false}));
    EXPECT_EQ(theirs.firstMoverScore(2), (Score{3, true}));
    ASSERT_TRUE(theirs.review(1).has_value());
    EXPECT_EQ(theirs.review(1)->grade, Grade::Bad) << "a mate allowed";
    EXPECT_FALSE(hasJudgement(kif::KifGame{}));
}

// A judged game is kept in the work folder under its identity and found again for that game
// only, as it was judged.
TEST(Analysis, AJudgedGameIsFoundAgainInTheWorkFolder) {
    char pattern[] = "/tmp/kelvore-judgement-XXXXXX";
    const std::string folder = mkdtemp(pattern);
    const GameRecord game = gameOf(snapshotOfSfen(kStart), {"7g7f", "3c3d", "8h2b+"});
    const GameRecord other = gameOf(snapshotOfSfen(kStart), {"7g7f", "3c3d", "2g2f"});
    GameAnalysis a(game);
    EXPECT_FALSE(keepJudgement(folder, a)) << "nothing searched: nothing kept";
    for (std::size_t i = 1; i <= 3; ++i)
        a.setVerdict(i, verdictOf({int(i) * 100 - 150, false}, a.positions()[i], {}));
    // The start with its next best move, kept for the program's own view.
    Verdict start = verdictOf({-150, false}, a.positions()[0], {"7g7f", "3c3d"});
    start.candidates = {{start.score, start.line},
                        {{-190, false}, lineOn(a.positions()[0], {"2g2f", "8c8d"})}};
    a.setVerdict(0, start);
    ASSERT_TRUE(keepJudgement(folder, a));
    EXPECT_NE(judgementPath(folder, game), judgementPath(folder, other));
    EXPECT_FALSE(keptJudgement(folder, other).has_value());
    const auto kept = keptJudgement(folder, game);
    ASSERT_TRUE(kept.has_value());
    GameAnalysis back(kept->game);
    readJudgement(*kept, back);
    for (std::size_t i = 0; i <= 3; ++i) EXPECT_EQ(back.firstMoverScore(i), a.firstMoverScore(i));
    const auto& candidates = back.verdict(0).candidates;
    ASSERT_EQ(candidates.size(), 2u);
    EXPECT_EQ(candidates[0].lineText, "▲７六歩(77) △３四歩(33)");
    EXPECT_EQ(candidates[1].score, (Score{-190, false}));
    EXPECT_EQ(candidates[1].lineText, "▲２六歩(27) △８四歩(83)");
    std::filesystem::remove_all(folder);
}
