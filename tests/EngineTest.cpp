// The searching engine: its position and move generator against the game's own judge, make and
// unmake, the evaluation's symmetry, mates and repetitions found by the search, and the façade.
#include "BenchPositions.h"
#include "Protocol.h"
#include "engine/Evaluate.h"
#include "engine/Levels.h"
#include "engine/MoveGen.h"
#include "engine/Search.h"
#include "engine/Snapshot.h"
#include "engine/TimeBudget.h"
#include "fakes/Positions.h"
#include "notation/Sfen.h"
#include "notation/UsiGame.h"
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

Position positionOf(const engine::GameSnapshot& s) {
    Position pos;
    pos.set(s.board, s.lowerHand, s.upperHand, s.sideToMove < 0 ? LOWER : UPPER);
    return pos;
}

Position positionFromSfen(const std::string& sfen) {
    return positionOf(test::snapshotOfSfen(sfen));
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

// The position placed on the judge's board, and the moves the game lists there.
MoveList placedAndListed(Form1& f, const engine::GameSnapshot& s) {
    std::memcpy(f.Board, s.board, sizeof f.Board);
    std::memcpy(f.OwnHand, s.lowerHand, sizeof f.OwnHand);
    std::memcpy(f.EnemyHand, s.upperHand, sizeof f.EnemyHand);
    f.調査_2歩フラグ設定();
    MoveList list;
    generateMoves(f, s.sideToMove, list);
    return list;
}

std::vector<MoveKey> gameMoves(Form1& f, const engine::GameSnapshot& s) {
    const MoveList list = placedAndListed(f, s);
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
        usi::Protocol engine;
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
    Position pos = positionFromSfen(notation::kStartSfen);
    EXPECT_EQ(perft(pos, 1), 26u);
    EXPECT_EQ(perft(pos, 2), 676u);
    EXPECT_EQ(perft(pos, 3), 17368u);
    EXPECT_EQ(perft(pos, 4), 446259u);
    EXPECT_TRUE(pos.isOk());
    EXPECT_EQ(pos.key(), positionFromSfen(notation::kStartSfen).key());
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
    usi::Protocol engine;
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

// The judge takes each move alone: it accepts exactly the moves the game lists, and a written
// move reaches the engine as the very move its generator makes.
TEST(EnginePosition, TheJudgeAcceptsExactlyTheListedMovesAndTheEngineGetsTheSame) {
    usi::Protocol engine;
    Form1& f = engine.form();
    notation::UsiGame game;
    int judged = 0;
    for (const engine::GameSnapshot& s : randomPositions().positions) {
        const MoveList listed = placedAndListed(f, s);
        auto isListed = [&](const kelvore::Move& m) {
            return std::find(listed.begin(), listed.end(), m) != listed.end();
        };
        for (const kelvore::Move& m : listed) {
            // The move itself, and its near neighbours: promoted or not, one square further, the
            // other side's piece, a drop from the other hand.
            kelvore::Move other[] = {m, m, m, m, m};
            other[1].placed = other[1].promotes() ? m.moved : piece::promotedCode(m.moved);
            other[2].toY += s.sideToMove;
            other[3].moved = other[3].placed = -m.moved;
            other[4].fromX = m.fromX == 11 ? -1 : m.fromX == -1 ? 11 : m.fromX;
            for (const kelvore::Move& o : other) {
                EXPECT_EQ(acceptedMove(f, s.sideToMove, o).has_value(), isListed(o)) << judged;
                ++judged;
            }
        }
        MvList list;
        const Position pos = positionOf(s);
        generate(pos, list);
        std::string error;
        ASSERT_TRUE(game.start(notation::formatSfen(s, 1), error)) << error;
        for (const Mv m : list)
            EXPECT_EQ(game.move(notation::formatUsiMove(toGameMove(m, pos.sideToMove()))), m);
    }
    EXPECT_GT(judged, 50000);
}

// ------------------------------------------------------------------------------ the façade

TEST(EngineSearcher, AFixedDepthGivesTheSameMoveEveryTime) {
    const engine::GameSnapshot root = test::snapshotOfSfen(usi::kBenchPositions[2]);
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
    const engine::GameSnapshot root = test::snapshotOfSfen(usi::kBenchPositions[7]);
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
    const engine::GameSnapshot root = test::snapshotOfSfen(notation::kStartSfen);
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
    EXPECT_FALSE(
        searcher.search(test::snapshotOfSfen("4k4/9/9/9/9/9/9/9/9 b G 1"), {}, limits).found);
    EXPECT_FALSE(
        searcher.search(test::snapshotOfSfen("4k4/9/9/9/9/9/9/9/9 w G 1"), {}, limits).found);
}

TEST(EngineSearcher, PositionKeysTellBoardHandsAndSideApart) {
    const engine::GameSnapshot start = test::snapshotOfSfen(notation::kStartSfen);
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

namespace {

// Every field of a position that make and unmake must restore.
struct Fields {
    std::vector<int> board, hands, royals;
    std::uint64_t key;
    int material, side;
    explicit Fields(const Position& pos) {
        for (Square s = 0; s < SQUARE_NB; ++s) board.push_back(pos.at(s));
        for (Color c : {LOWER, UPPER}) {
            for (int k = 1; k < kHandKinds; ++k) hands.push_back(pos.hand(c, k));
            royals.insert(royals.end(), {pos.royalCount(c), pos.kingSquare(c), pos.princeSquare(c),
                                         int(pos.handEmpty(c))});
            for (int x = 1; x <= 9; ++x) royals.push_back(pos.pawnOnFile(c, x));
        }
        key = pos.key();
        material = pos.material();
        side = pos.sideToMove();
    }
    bool operator==(const Fields&) const = default;
};

// The position turned half a circle with the sides exchanged: the same game seen from the
// other chair.
engine::GameSnapshot mirrored(const engine::GameSnapshot& s) {
    engine::GameSnapshot m;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) m.board[10 - x][10 - y] = -s.board[x][y];
    std::memcpy(m.lowerHand, s.upperHand, sizeof m.lowerHand);
    std::memcpy(m.upperHand, s.lowerHand, sizeof m.upperHand);
    m.sideToMove = -s.sideToMove;
    return m;
}

bool winsAtOnce(const Position& pos, Mv m) {
    const Piece c = m.captured();
    return c != NO_PIECE && isRoyal(kindOf(c)) && pos.royalCount(colorOf(c)) == 1;
}

// True when the side to move takes the other side's last royal piece within `moves` of its own
// moves whatever the other side answers: an exhaustive check, independent of the search.
bool forcedWin(Position& pos, int moves) {
    MvList list;
    generate(pos, list);
    for (const Mv m : list)
        if (winsAtOnce(pos, m)) return true;
    if (moves == 1) return false;
    for (const Mv m : list) {
        pos.make(m);
        bool all = true;
        MvList replies;
        generate(pos, replies);
        for (const Mv r : replies) {
            pos.make(r);
            all = forcedWin(pos, moves - 1);
            pos.unmake(r);
            if (!all) break;
        }
        pos.unmake(m);
        if (all) return true;
    }
    return false;
}

// The engine's move `m` (in the game's form) found in the position's own list.
Mv packed(const Position& pos, const kelvore::Move& m) {
    MvList list;
    generate(pos, list);
    for (const Mv p : list)
        if (keyOf(toGameMove(p, pos.sideToMove())) == keyOf(m)) return p;
    ADD_FAILURE() << "the move is not in the list";
    return Mv{};
}

} // namespace

TEST(EnginePosition, MakeAndUnmakeRestoreEveryField) {
    for (const engine::GameSnapshot& s : randomPositions().positions) {
        Position pos = positionOf(s);
        ASSERT_TRUE(pos.isOk());
        const Fields before(pos);
        MvList list;
        generate(pos, list);
        for (const Mv m : list) {
            pos.make(m);
            ASSERT_TRUE(pos.isOk());
            EXPECT_EQ(pos.key(), pos.computeKey());
            EXPECT_NE(pos.key(), before.key);
            pos.unmake(m);
            ASSERT_TRUE(Fields(pos) == before);
        }
        pos.makeNull();
        EXPECT_NE(pos.key(), before.key);
        pos.unmakeNull();
        EXPECT_TRUE(Fields(pos) == before);
    }
    // A long line made and taken back move by move comes home exactly.
    std::mt19937 rng(5);
    Position pos = positionFromSfen(notation::kStartSfen);
    const Fields start(pos);
    std::vector<Mv> line;
    for (int ply = 0; ply < 300; ++ply) {
        MvList list;
        generate(pos, list);
        if (list.size == 0 || pos.royalCount(~pos.sideToMove()) == 0) break;
        line.push_back(list.moves[rng() % list.size]);
        pos.make(line.back());
    }
    EXPECT_GT(line.size(), 50u);
    EXPECT_EQ(pos.gamePly(), int(line.size()));
    while (!line.empty()) {
        pos.unmake(line.back());
        line.pop_back();
    }
    EXPECT_TRUE(Fields(pos) == start);
}

TEST(EnginePosition, CapturesFillTheHandUnpromotedAndRoyalsLeaveTheBoard) {
    // A lower silver takes a dragon: a rook goes to the lower hand.
    Position pos = positionFromSfen("4k4/9/9/4+r4/4S4/9/9/9/4K4 b - 1");
    Mv take = packed(pos, {5, 5, 5, 4, -piece::GIN, -piece::GIN});
    pos.make(take);
    EXPECT_EQ(pos.hand(LOWER, ROOK), 1);
    pos.unmake(take);
    // Taking the elephant or the prince gives nothing; taking one of two royals leaves one.
    pos = positionFromSfen("4k4/4e4/4G4/9/9/9/9/9/4K4 b - 1");
    take = packed(pos, {5, 3, 5, 2, -piece::KIN, -piece::KIN});
    pos.make(take);
    EXPECT_TRUE(pos.handEmpty(LOWER));
    pos = positionFromSfen("4k4/4+e4/4G4/9/9/9/9/9/4K4 b - 1");
    EXPECT_EQ(pos.royalCount(UPPER), 2);
    take = packed(pos, {5, 3, 5, 2, -piece::KIN, -piece::KIN});
    EXPECT_FALSE(winsAtOnce(pos, take)) << "the king is still there";
    pos.make(take);
    EXPECT_TRUE(pos.handEmpty(LOWER));
    EXPECT_EQ(pos.royalCount(UPPER), 1);
    EXPECT_EQ(pos.princeSquare(UPPER), 0);
    MvList list;
    generate(pos, list);
    EXPECT_GT(list.size, 0) << "the side with its king left still plays";
    // The elephant promotes to a second royal piece.
    pos = positionFromSfen("4k4/9/9/4E4/9/9/9/9/4K4 b - 1");
    const Mv promote = packed(pos, {5, 4, 5, 3, -piece::ZOU, -piece::KO});
    pos.make(promote);
    EXPECT_EQ(pos.royalCount(LOWER), 2);
    EXPECT_EQ(pos.princeSquare(LOWER), square(5, 3));
    pos.unmake(promote);
    EXPECT_EQ(pos.royalCount(LOWER), 1);
}

TEST(EnginePosition, OnlyTheGeneratedMovesPassTheHashMoveCheck) {
    const auto& set = randomPositions().positions;
    std::vector<Mv> pool;
    for (const engine::GameSnapshot& s : set) {
        const Position pos = positionOf(s);
        MvList list;
        generate(pos, list);
        for (const Mv m : list) {
            EXPECT_TRUE(isPseudoLegal(pos, m));
            if (pool.size() < 4000) pool.push_back(m);
        }
    }
    // Moves of other positions are accepted exactly when this position has them too.
    for (std::size_t i = 0; i < set.size(); i += 7) {
        const Position pos = positionOf(set[i]);
        MvList list;
        generate(pos, list);
        for (const Mv m : pool) {
            const bool listed = std::find(list.begin(), list.end(), m) != list.end();
            EXPECT_EQ(isPseudoLegal(pos, m), listed);
        }
    }
    EXPECT_FALSE(isPseudoLegal(positionFromSfen(notation::kStartSfen), Mv{}));
}

TEST(EngineEvaluation, TheOtherChairSeesTheSameScore) {
    int differentFromZero = 0;
    for (const engine::GameSnapshot& s : randomPositions().positions) {
        const int score = evaluate(positionOf(s));
        EXPECT_EQ(score, evaluate(positionOf(mirrored(s))));
        differentFromZero += score != eval::kWeights[eval::feature::Tempo];
    }
    EXPECT_GT(differentFromZero, 250);
    // More material is better for the side that has it, whoever moves.
    const int ahead = evaluate(positionFromSfen("4k4/9/9/9/9/9/9/9/4K4 b G 1"));
    const int behind = evaluate(positionFromSfen("4k4/9/9/9/9/9/9/9/4K4 w G 1"));
    EXPECT_GT(ahead, 400);
    EXPECT_LT(behind, -400);
    // A prince beside the king is a second life.
    EXPECT_GT(evaluate(positionFromSfen("4k4/9/9/9/9/9/9/3+E5/4K4 b - 1")),
              evaluate(positionFromSfen("4k4/9/9/9/9/9/9/3E5/4K4 b - 1")) + 500);
}

// ------------------------------------------------------------------------------ the search

TEST(EngineSearch, MatesInOneAreFoundAtDepthOne) {
    engine::Searcher searcher(4);
    engine::Limits limits;
    limits.depth = 1;
    // A gold dropped in front of the king, held by the pawn; a pawn dropped in front of a king
    // walled in by its own pieces (mate by a pawn drop is allowed).
    for (const char* sfen : {"4k4/9/4P4/9/9/9/9/9/4K4 b G 1", "kn7/1l7/9/1N7/9/9/9/9/4K4 b P 1",
                             "4k4/9/9/9/9/9/4p4/9/4K4 w g 1"}) {
        const engine::GameSnapshot root = test::snapshotOfSfen(sfen);
        Position pos = positionOf(root);
        ASSERT_FALSE(forcedWin(pos, 1)) << sfen;
        ASSERT_TRUE(forcedWin(pos, 2)) << sfen;
        const engine::Result r = searcher.search(root, {}, limits);
        ASSERT_TRUE(r.found);
        EXPECT_TRUE(r.mate) << sfen;
        EXPECT_EQ(r.score, 3) << "the royal piece is taken on the third ply";
        // Every answer to the move found loses the royal piece.
        pos.make(packed(pos, r.best));
        MvList replies;
        generate(pos, replies);
        for (const Mv reply : replies) {
            pos.make(reply);
            EXPECT_TRUE(forcedWin(pos, 1)) << sfen;
            pos.unmake(reply);
        }
    }
    const engine::Result pawn =
        searcher.search(test::snapshotOfSfen("kn7/1l7/9/1N7/9/9/9/9/4K4 b P 1"), {}, limits);
    EXPECT_EQ(notation::formatUsiMove(pawn.best), "P*9b");
}

TEST(EngineSearch, MatesInTwoAreFoundAtDepthThree) {
    engine::Searcher searcher(4);
    engine::Limits limits;
    limits.depth = 3;
    for (const char* sfen :
         {"k8/2Sp1l3/9/9/3B5/9/9/9/4K4 b LP 1", "3g5/k5g2/6Gp1/2S6/9/9/9/9/4K4 b SG 1",
          "1k7/6l1l/3R4p/9/5S3/9/9/9/4K4 b GL 1"}) {
        const engine::GameSnapshot root = test::snapshotOfSfen(sfen);
        Position pos = positionOf(root);
        ASSERT_FALSE(forcedWin(pos, 2)) << sfen << " is not a mate in one";
        const engine::Result r = searcher.search(root, {}, limits);
        ASSERT_TRUE(r.found);
        EXPECT_TRUE(r.mate) << sfen;
        EXPECT_EQ(r.score, 5) << sfen;
        pos.make(packed(pos, r.best));
        MvList replies;
        generate(pos, replies);
        for (const Mv reply : replies) {
            pos.make(reply);
            EXPECT_TRUE(forcedWin(pos, 2)) << sfen << " after " << notation::formatUsiMove(r.best);
            pos.unmake(reply);
        }
    }
}

TEST(EngineSearch, TheLosingSideSeesItsLoss) {
    engine::Searcher searcher(4);
    engine::Limits limits;
    limits.depth = 2;
    // The king takes a gold that nothing defends: no mate.
    const engine::Result escape =
        searcher.search(test::snapshotOfSfen("4k4/9/9/9/9/9/9/4g4/4K4 b G 1"), {}, limits);
    ASSERT_TRUE(escape.found);
    EXPECT_FALSE(escape.mate);
    EXPECT_EQ(notation::formatUsiMove(escape.best), "5i5h");
    // With the gold held by a pawn the king is lost, and the search says when.
    const engine::Result mated =
        searcher.search(test::snapshotOfSfen("4k4/9/9/9/9/9/4p4/4g4/4K4 b - 1"), {}, limits);
    ASSERT_TRUE(mated.found);
    EXPECT_TRUE(mated.mate);
    EXPECT_EQ(mated.score, -2) << "the upper side takes the king on the second ply";
}

TEST(EngineSearch, ARepeatedPositionIsADraw) {
    engine::Searcher searcher(4);
    engine::Limits limits;
    limits.depth = 4;
    // The lower side is a rook down with nothing to fear soon: repeating a position of the
    // game is the best it can do; ahead, it avoids the repetition.
    const engine::GameSnapshot behind = test::snapshotOfSfen("4k4/9/9/9/9/9/9/9/4K4 b r 1");
    const engine::GameSnapshot repeated = test::snapshotOfSfen("4k4/9/9/9/9/9/9/9/3K5 w r 1");
    const std::vector<std::uint64_t> history{engine::positionKey(repeated)};
    const engine::Result noHistory = searcher.search(behind, {}, limits);
    EXPECT_LT(noHistory.score, -500);
    searcher.newGame();
    const engine::Result draw = searcher.search(behind, history, limits);
    EXPECT_EQ(notation::formatUsiMove(draw.best), "5i6i");
    EXPECT_FALSE(draw.mate);
    EXPECT_EQ(draw.score, 0);

    const engine::GameSnapshot ahead = test::snapshotOfSfen("4k4/9/9/9/9/9/9/9/4K4 b R 1");
    const engine::GameSnapshot aheadRepeated = test::snapshotOfSfen("4k4/9/9/9/9/9/9/9/3K5 w R 1");
    searcher.newGame();
    const engine::Result win = searcher.search(ahead, {engine::positionKey(aheadRepeated)}, limits);
    EXPECT_NE(notation::formatUsiMove(win.best), "5i6i");
    EXPECT_GT(win.score, 500);
}

TEST(EngineLevels, LevelFiveThinksFiveTimesAsLong) {
    EXPECT_EQ(engine::levelLimits(4, 1000).moveTimeMs, 1000);
    EXPECT_EQ(engine::levelLimits(5, 1000).moveTimeMs, 5000);
    EXPECT_EQ(engine::levelLimits(4, 100).moveTimeMs, 100);
    EXPECT_EQ(engine::levelLimits(5, 100).moveTimeMs, 500);
    EXPECT_EQ(engine::levelLimits(4, 0).moveTimeMs, 1) << "never a search without a limit";
    EXPECT_EQ(engine::levelLimits(5, engine::kWindowBaseMoveTimeMs).depth, 0);
    EXPECT_FALSE(engine::levelLimits(5, 1000).infinite);
}

TEST(EnginePosition, ChecksAreTheMovesThatAttackARoyalPiece) {
    usi::Protocol engine;
    Form1& f = engine.form();
    int checks = 0;
    for (const engine::GameSnapshot& s : randomPositions().positions) {
        const Position pos = positionOf(s);
        MvList quiets, quietChecks;
        generate(pos, quiets, GenType::Quiets);
        generate(pos, quietChecks, GenType::QuietChecks);
        std::vector<std::uint32_t> expected, found;
        for (const Mv m : quietChecks) found.push_back(m.v);
        for (const Mv m : quiets) {
            // The game's own judge: can the piece, once placed, move onto a royal piece?
            std::memcpy(f.Board, s.board, sizeof f.Board);
            const kelvore::Move g = toGameMove(m, pos.sideToMove());
            if (!g.isDrop()) f.Board[g.fromX][g.fromY] = 0;
            f.Board[g.toX][g.toY] = g.placed;
            bool attacks = false;
            for (int x = 1; x <= 9; ++x)
                for (int y = 1; y <= 9; ++y) {
                    const int c = f.Board[x][y] * s.sideToMove;
                    if ((c == -piece::OU || c == -piece::KO) &&
                        f.移動チェック(g.toX, g.toY, x, y, g.placed) == 1)
                        attacks = true;
                }
            EXPECT_EQ(givesCheck(pos, m), attacks) << notation::formatUsiMove(g);
            if (attacks) expected.push_back(m.v);
        }
        std::sort(expected.begin(), expected.end());
        std::sort(found.begin(), found.end());
        EXPECT_EQ(found, expected);
        checks += int(expected.size());
    }
    EXPECT_GT(checks, 1000);
}

// A position set up by hand may hold two kings of one side (the engine front takes any SFEN):
// capturing one leaves the side in play, and the position stays consistent throughout.
TEST(EnginePosition, TwoKingsOfOneSideStayConsistent) {
    Position pos = positionFromSfen("4k4/9/9/9/9/9/9/4r4/3KK4 w - 1");
    ASSERT_TRUE(pos.isOk());
    EXPECT_EQ(pos.royalCount(LOWER), 2);
    ASSERT_EQ(pos.kingSquare(LOWER), square(5, 9));
    const Mv take = packed(pos, {5, 8, 5, 9, piece::SYA, piece::SYA});
    EXPECT_FALSE(winsAtOnce(pos, take));
    pos.make(take);
    EXPECT_TRUE(pos.isOk());
    EXPECT_EQ(pos.royalCount(LOWER), 1);
    EXPECT_EQ(pos.kingSquare(LOWER), square(4, 9)) << "the other king comes into view";
    // Every move of the lower side now, made and taken back.
    MvList list;
    generate(pos, list);
    EXPECT_GT(list.size, 0);
    for (const Mv m : list) {
        pos.make(m);
        EXPECT_TRUE(pos.isOk());
        pos.unmake(m);
        EXPECT_TRUE(pos.isOk());
    }
    pos.unmake(take);
    EXPECT_TRUE(pos.isOk());
    EXPECT_EQ(pos.royalCount(LOWER), 2);
}
