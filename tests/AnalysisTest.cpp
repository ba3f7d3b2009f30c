// The judgement of a game: the engine's verdicts read as losses and marks, the reasons read
// from the engine's lines, and the analyser's worker cancelled and destroyed in the middle.
#include "analysis/Analyser.h"
#include "analysis/Explanation.h"
#include "analysis/GameAnalysis.h"

#include "fakes/FakePlatform.h"
#include "fakes/Positions.h"
#include "notation/Usi.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <cstring>
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
    EXPECT_GT(units({99, true}), units({100000, false}));
    EXPECT_GT(units({3, true}), units({9, true}));
    EXPECT_LT(units({-2, true}), units({-100000, false}));
    EXPECT_EQ(units({-5000, false}), -kScoreClip);
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
              "歩を取る代わりに馬を取られます: △同　銀(32)");

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
              "形勢を損ねます。最善手は▲４四角(55)でした");
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
