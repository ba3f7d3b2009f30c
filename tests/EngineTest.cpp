// The searching engine: its position and move generator against the game's own judge, make and
// unmake, the evaluation's symmetry, mates and repetitions found by the search, and the façade.
#include "Engine.h"
#include "BenchPositions.h"
#include "Notation.h"
#include "engine/Evaluate.h"
#include "engine/Levels.h"
#include "engine/MoveGen.h"
#include "engine/Search.h"
#include "engine/Snapshot.h"
#include "rules/TrialMove.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <random>
#include <sstream>
#include <thread>
#include <tuple>

using namespace kelvore;
using namespace kelvore::engine;

namespace {

engine::GameSnapshot snapshotFromSfen(const std::string& sfen) {
    std::string error;
    const auto p = usi::parseSfen(sfen, error);
    EXPECT_TRUE(p.has_value()) << error;
    engine::GameSnapshot s;
    if (!p) return s;
    std::memcpy(s.board, p->board, sizeof s.board);
    std::memcpy(s.lowerHand, p->lowerHand, sizeof s.lowerHand);
    std::memcpy(s.upperHand, p->upperHand, sizeof s.upperHand);
    s.sideToMove = p->sideToMove;
    return s;
}

Position positionOf(const engine::GameSnapshot& s) {
    Position pos;
    pos.set(s.board, s.lowerHand, s.upperHand, s.sideToMove < 0 ? LOWER : UPPER);
    return pos;
}

Position positionFromSfen(const std::string& sfen) {
    return positionOf(snapshotFromSfen(sfen));
}

using MoveKey = std::tuple<int, int, int, int, int, int>;
MoveKey keyOf(const kelvore::Move& m) {
    return {m.fromX, m.fromY, m.toX, m.toY, m.moved, m.placed};
}

std::vector<MoveKey> engineMoves(const Position& pos) {
    MvList list;
    generate(pos, list);
    std::vector<MoveKey> keys;
    for (const Mv m : list) keys.push_back(keyOf(toGameMove(m, pos.sideToMove())));
    std::sort(keys.begin(), keys.end());
    return keys;
}

std::vector<MoveKey> gameMoves(Form1& f, const engine::GameSnapshot& s) {
    std::memcpy(f.Board, s.board, sizeof f.Board);
    std::memcpy(f.OwnHand, s.lowerHand, sizeof f.OwnHand);
    std::memcpy(f.EnemyHand, s.upperHand, sizeof f.EnemyHand);
    f.調査_2歩フラグ設定();
    MoveList list;
    generateMoves(f, s.sideToMove, list);
    std::vector<MoveKey> keys;
    for (const kelvore::Move& m : list) keys.push_back(keyOf(m));
    std::sort(keys.begin(), keys.end());
    return keys;
}

int royalsOf(const Form1& f, int sign) {
    int n = 0;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int c = f.Board[x][y] * sign;
            n += c == piece::OU || c == piece::KO;
        }
    return n;
}

// Positions from games played at random by the game's own rules, from fixed seeds. The choice
// leans toward captures, toward marching the elephants forward and toward taking one of two
// royal pieces, so that the set holds drops, promotions, princes and sides that have lost their
// king or prince; the game goes on while both sides keep a royal piece.
struct RandomPositions {
    std::vector<engine::GameSnapshot> positions;
    int withHand = 0, withPrince = 0, withOneRoyalLost = 0, withPromotion = 0;

    RandomPositions(int count, unsigned seed) {
        usi::Engine engine;
        Form1& f = engine.form();
        std::mt19937 rng(seed);
        while (int(positions.size()) < count) {
            std::ostringstream ignored;
            engine.handle("position startpos", ignored);
            int side = -1;
            bool lost = false; // a king or a prince has been taken in this game
            for (int ply = 0; ply < 300 && int(positions.size()) < count; ++ply) {
                f.調査_2歩フラグ設定();
                MoveList list;
                generateMoves(f, side, list);
                std::vector<kelvore::Move> captures, royalTakes, elephant, ordinary;
                bool promotion = false;
                for (const kelvore::Move& m : list) {
                    const int victim = m.isDrop() ? 0 : f.Board[m.toX][m.toY];
                    const int kind = std::abs(victim);
                    promotion |= m.promotes();
                    if (kind == piece::OU || kind == piece::KO) {
                        // Taking the last royal piece would end the game.
                        if (royalsOf(f, -side) >= 2) royalTakes.push_back(m);
                        continue;
                    }
                    if (victim != 0) captures.push_back(m);
                    const int moved = std::abs(m.moved);
                    if ((moved == piece::ZOU || moved == piece::KO) &&
                        m.toY * side > m.fromY * side)
                        elephant.push_back(m);
                    ordinary.push_back(m);
                }
                bool hand = false, prince = false;
                for (int i = 1; i <= 7; ++i) hand |= f.OwnHand[i] + f.EnemyHand[i] > 0;
                for (int x = 1; x <= 9; ++x)
                    for (int y = 1; y <= 9; ++y) prince |= std::abs(f.Board[x][y]) == piece::KO;
                // Rarer positions are sampled more densely.
                if (rng() % ((prince || lost) ? 2 : 8) == 0) {
                    positions.push_back(snapshotOf(f, side));
                    withHand += hand;
                    withPrince += prince;
                    withOneRoyalLost += lost;
                    withPromotion += promotion;
                }
                const unsigned r = rng() % 10;
                const std::vector<kelvore::Move>* pool = &ordinary;
                if (!royalTakes.empty() && r < 1) {
                    pool = &royalTakes;
                    lost = true;
                } else if (!elephant.empty() && r < 6)
                    pool = &elephant;
                else if (!captures.empty() && r < 7)
                    pool = &captures;
                if (pool->empty()) break;
                makeMove(f, (*pool)[rng() % pool->size()]);
                side = -side;
            }
        }
    }
};

const RandomPositions& randomPositions() {
    static const RandomPositions set(300, 12);
    return set;
}

} // namespace

// ------------------------------------------------------------------------------ rules

TEST(EnginePosition, PerftFromTheStartMatchesTheGame) {
    Position pos = positionFromSfen(usi::kStartSfen);
    EXPECT_EQ(perft(pos, 1), 26u);
    EXPECT_EQ(perft(pos, 2), 676u);
    EXPECT_EQ(perft(pos, 3), 17368u);
    EXPECT_EQ(perft(pos, 4), 446259u);
    EXPECT_TRUE(pos.isOk());
    EXPECT_EQ(pos.key(), positionFromSfen(usi::kStartSfen).key());
}

TEST(EnginePosition, TheRandomSetCoversDropsPromotionsPrincesAndLostRoyals) {
    const RandomPositions& set = randomPositions();
    ASSERT_EQ(set.positions.size(), 300u);
    EXPECT_GT(set.withHand, 150);
    EXPECT_GT(set.withPromotion, 100);
    EXPECT_GT(set.withPrince, 20);
    EXPECT_GT(set.withOneRoyalLost, 10);
    std::printf("random set: %d with a hand, %d with promotions, %d with a prince, %d with a "
                "royal piece lost\n",
                set.withHand, set.withPromotion, set.withPrince, set.withOneRoyalLost);
}

TEST(EnginePosition, MoveListsAgreeWithTheGameOnTheRandomSet) {
    usi::Engine engine;
    int compared = 0;
    for (const engine::GameSnapshot& s : randomPositions().positions) {
        const Position pos = positionOf(s);
        const auto ours = engineMoves(pos);
        const auto theirs = gameMoves(engine.form(), s);
        EXPECT_EQ(ours, theirs) << "position " << compared << " side " << s.sideToMove;
        ++compared;
    }
    EXPECT_EQ(compared, 300);
}

// ------------------------------------------------------------------------------ the façade

TEST(EngineSearcher, AFixedDepthGivesTheSameMoveEveryTime) {
    const engine::GameSnapshot root = snapshotFromSfen(usi::kBenchPositions[2]);
    engine::Limits limits;
    limits.depth = 5;
    std::vector<std::uint64_t> nodes;
    std::vector<MoveKey> moves;
    for (int run = 0; run < 2; ++run) {
        engine::Searcher searcher(4);
        std::uint64_t last = 0;
        int iterations = 0;
        const engine::Result r = searcher.search(root, {}, limits, [&](const engine::Info& i) {
            ++iterations;
            EXPECT_EQ(i.depth, iterations);
            EXPECT_GE(i.nodes, last);
            EXPECT_FALSE(i.pv.empty());
            last = i.nodes;
        });
        ASSERT_TRUE(r.found);
        EXPECT_EQ(iterations, 5);
        nodes.push_back(last);
        moves.push_back(keyOf(r.best));
    }
    EXPECT_EQ(nodes[0], nodes[1]);
    EXPECT_EQ(moves[0], moves[1]);
}

TEST(EngineSearcher, ANodeLimitEndsTheSearchAndRepeatsExactly) {
    const engine::GameSnapshot root = snapshotFromSfen(usi::kBenchPositions[7]);
    engine::Limits limits;
    limits.nodes = 20000;
    std::vector<MoveKey> moves;
    for (int run = 0; run < 2; ++run) {
        engine::Searcher searcher(4);
        std::uint64_t last = 0;
        const engine::Result r =
            searcher.search(root, {}, limits, [&](const engine::Info& i) { last = i.nodes; });
        ASSERT_TRUE(r.found);
        EXPECT_LE(last, limits.nodes);
        moves.push_back(keyOf(r.best));
    }
    EXPECT_EQ(moves[0], moves[1]);
}

TEST(EngineSearcher, TheWorkerReportsOnceAndStopEndsAnEndlessSearch) {
    engine::Searcher searcher(4);
    const engine::GameSnapshot root = snapshotFromSfen(usi::kStartSfen);
    std::atomic<int> done{0}, infos{0};
    engine::Result result;
    engine::Limits limits;
    limits.infinite = true;
    searcher.start(
        root, {}, limits, [&](const engine::Info&) { ++infos; },
        [&](const engine::Result& r) {
            result = r;
            ++done;
        });
    EXPECT_TRUE(searcher.running());
    while (infos.load() < 3) std::this_thread::yield();
    EXPECT_EQ(done.load(), 0) << "an endless search waits for stop";
    searcher.stop();
    searcher.wait();
    EXPECT_FALSE(searcher.running());
    EXPECT_EQ(done.load(), 1);
    EXPECT_TRUE(result.found);
    const auto legal = engineMoves(positionOf(root));
    EXPECT_TRUE(std::binary_search(legal.begin(), legal.end(), keyOf(result.best)));

    // A second start while the first runs stops the first: each reports exactly once.
    std::atomic<int> first{0}, second{0};
    searcher.start(root, {}, limits, {}, [&](const engine::Result&) { ++first; });
    limits.infinite = false;
    limits.depth = 2;
    searcher.start(root, {}, limits, {}, [&](const engine::Result&) { ++second; });
    searcher.wait();
    EXPECT_EQ(first.load(), 1);
    EXPECT_EQ(second.load(), 1);
}

TEST(EngineSearcher, NoMoveWhenTheGameIsOver) {
    engine::Searcher searcher(1);
    engine::Limits limits;
    limits.depth = 3;
    // The lower side has lost its only royal piece.
    EXPECT_FALSE(searcher.search(snapshotFromSfen("4k4/9/9/9/9/9/9/9/9 b G 1"), {}, limits).found);
    EXPECT_FALSE(searcher.search(snapshotFromSfen("4k4/9/9/9/9/9/9/9/9 w G 1"), {}, limits).found);
}

TEST(EngineSearcher, PositionKeysTellBoardHandsAndSideApart) {
    const engine::GameSnapshot start = snapshotFromSfen(usi::kStartSfen);
    engine::GameSnapshot other = start;
    EXPECT_EQ(engine::positionKey(start), engine::positionKey(other));
    other.sideToMove = 1;
    EXPECT_NE(engine::positionKey(start), engine::positionKey(other));
    other = start;
    other.lowerHand[1] = 1;
    EXPECT_NE(engine::positionKey(start), engine::positionKey(other));
    other = start;
    std::swap(other.board[1][7], other.board[1][6]);
    EXPECT_NE(engine::positionKey(start), engine::positionKey(other));
    EXPECT_EQ(engine::positionKey(start), positionOf(start).computeKey());
}
