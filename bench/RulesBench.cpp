// The rules and the influence survey on middle-game positions, and perft from the start.
#include "Protocol.h"
#include "rules/TrialMove.h"

#include <benchmark/benchmark.h>

#include <random>
#include <sstream>
#include <vector>

using namespace kelvore;

namespace {

// A game on the silent platform, set to the starting position, then moved on by `plies`
// random moves from a fixed seed: a reproducible middle game.
struct Bench {
    usi::Protocol engine;
    Form1& f = engine.form();
    int side = -1;
    explicit Bench(int plies, unsigned seed) {
        std::ostringstream out;
        engine.handle("position startpos", out);
        std::mt19937 rng(seed);
        for (int i = 0; i < plies; ++i) {
            f.調査_2歩フラグ設定();
            MoveList list;
            generateMoves(f, side, list);
            if (list.size == 0 || hasLostAllRoyals(f, -1) || hasLostAllRoyals(f, 1)) break;
            makeMove(f, list.moves[rng() % list.size]);
            side = -side;
        }
        f.調査_2歩フラグ設定();
        f.ManKingPos.X = f.ManPrincePos.X = f.ComKingPos.X = f.ComPrincePos.X = 0;
        f.勢力調査();
    }
};

void BM_MoveCheckAllTargets(benchmark::State& state) {
    Bench b(40, static_cast<unsigned>(state.range(0)));
    for (auto _ : state) {
        int legal = 0;
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y) {
                const int c = b.f.Board[x][y];
                if (c == 0) continue;
                for (int tx = 1; tx <= 9; ++tx)
                    for (int ty = 1; ty <= 9; ++ty) legal += b.f.移動チェック(x, y, tx, ty, c);
            }
        benchmark::DoNotOptimize(legal);
    }
    state.SetLabel("every piece x 81 targets");
}
BENCHMARK(BM_MoveCheckAllTargets)->Arg(1)->Arg(2)->Arg(3);

void BM_Survey(benchmark::State& state) {
    Bench b(40, static_cast<unsigned>(state.range(0)));
    for (auto _ : state) {
        b.f.勢力調査();
        benchmark::DoNotOptimize(b.f.NegAttackCount[5][5]);
    }
}
BENCHMARK(BM_Survey)->Arg(1)->Arg(2)->Arg(3);

void BM_Immovable(benchmark::State& state) {
    Bench b(40, 1);
    for (auto _ : state) {
        b.f.調査_移動不可駒();
        benchmark::DoNotOptimize(b.f.PosImmovableFlag);
    }
}
BENCHMARK(BM_Immovable);

void BM_MateTests(benchmark::State& state) {
    Bench b(60, static_cast<unsigned>(state.range(0)));
    for (auto _ : state) {
        b.f.勢力調査();
        benchmark::DoNotOptimize(b.f.詰めかMAN());
        benchmark::DoNotOptimize(b.f.詰めかCOM());
    }
}
BENCHMARK(BM_MateTests)->Arg(1)->Arg(2)->Arg(3);

// Mate tests that run to their end: a rook check down an open file, and an upper king whose
// defenders must be tried with a survey each.
void BM_MateInCheck(benchmark::State& state) {
    const char* sfens[] = {"position sfen r8/9/2s6/9/K1g6/9/9/P8/4k4 b P 1",
                           "position sfen k8/G8/P8/9/9/9/9/9/4K4 w - 1",
                           "position sfen 4K4/8p/9/9/6G1k/9/6S2/9/8R w p 1"};
    Bench b(0, 0);
    std::ostringstream out;
    b.engine.handle(sfens[state.range(0)], out);
    b.f.調査_2歩フラグ設定();
    for (auto _ : state) {
        b.f.ManKingPos.X = b.f.ManPrincePos.X = b.f.ComKingPos.X = b.f.ComPrincePos.X = 0;
        b.f.勢力調査();
        benchmark::DoNotOptimize(b.f.詰めかMAN());
        benchmark::DoNotOptimize(b.f.詰めかCOM());
    }
}
BENCHMARK(BM_MateInCheck)->Arg(0)->Arg(1)->Arg(2);

void BM_Perft(benchmark::State& state) {
    Bench b(0, 0);
    const int depth = static_cast<int>(state.range(0));
    std::uint64_t nodes = 0;
    for (auto _ : state) nodes = perft(b.f, -1, depth);
    state.counters["nodes"] = static_cast<double>(nodes);
}
BENCHMARK(BM_Perft)->Arg(4)->Arg(5)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
