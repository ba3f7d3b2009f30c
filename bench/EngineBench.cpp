// The searching engine: nodes per second of its search on the fixed middle-game positions, and
// perft from the start through its own position and generator.
#include "BenchPositions.h"
#include "engine/Evaluate.h"
#include "engine/MoveGen.h"
#include "engine/Searcher.h"
#include "notation/Sfen.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace kelvore;

namespace {

engine::GameSnapshot snapshot(const char* sfen) {
    std::string error;
    return notation::snapshotOf(*notation::parseSfen(sfen, error));
}

// The middle games of the fixed set: moves 22 to 160 of the recorded games (not the openings
// at move 10, not the hand-set endgames). Position 29 is left out too: the search proves it won
// in a few thousand nodes and stops.
bool isMiddleGame(int index) {
    return index < 29 && index % 5 != 0;
}

// A search of a fixed number of nodes from an empty table, on one middle-game position; the
// counter "nps" is nodes per second of CPU time.
void BM_EngineSearch(benchmark::State& state) {
    const int index = static_cast<int>(state.range(0));
    const engine::GameSnapshot root = snapshot(usi::kBenchPositions[index]);
    engine::Searcher searcher(16);
    engine::Limits limits;
    limits.nodes = 300000;
    std::uint64_t nodes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        searcher.newGame();
        state.ResumeTiming();
        const engine::Result r = searcher.search(root, {}, limits);
        benchmark::DoNotOptimize(r.best);
        nodes += r.nodes;
    }
    state.counters["nps"] =
        benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
}

void middleGames(benchmark::internal::Benchmark* b) {
    for (int i = 0; i < static_cast<int>(std::size(usi::kBenchPositions)); ++i)
        if (isMiddleGame(i)) b->Arg(i);
}
BENCHMARK(BM_EngineSearch)->Apply(middleGames)->Unit(benchmark::kMillisecond);

void BM_EngineEvaluate(benchmark::State& state) {
    const engine::GameSnapshot s = snapshot(usi::kBenchPositions[state.range(0)]);
    engine::Position pos;
    pos.set(s.board, s.lowerHand, s.upperHand, s.sideToMove < 0 ? engine::LOWER : engine::UPPER);
    for (auto _ : state) benchmark::DoNotOptimize(engine::evaluate(pos));
}
BENCHMARK(BM_EngineEvaluate)->Arg(3)->Arg(13)->Arg(28);

void BM_EngineGenerate(benchmark::State& state) {
    const engine::GameSnapshot s = snapshot(usi::kBenchPositions[state.range(0)]);
    engine::Position pos;
    pos.set(s.board, s.lowerHand, s.upperHand, s.sideToMove < 0 ? engine::LOWER : engine::UPPER);
    for (auto _ : state) {
        engine::MvList list;
        engine::generate(pos, list);
        benchmark::DoNotOptimize(list.size);
    }
}
BENCHMARK(BM_EngineGenerate)->Arg(3)->Arg(13)->Arg(28);

void BM_EnginePerft(benchmark::State& state) {
    const engine::GameSnapshot s = snapshot(notation::kStartSfen);
    engine::Position pos;
    pos.set(s.board, s.lowerHand, s.upperHand, engine::LOWER);
    std::uint64_t nodes = 0;
    for (auto _ : state) nodes = engine::perft(pos, static_cast<int>(state.range(0)));
    state.counters["nodes"] = static_cast<double>(nodes);
}
BENCHMARK(BM_EnginePerft)->Arg(4)->Arg(5)->Unit(benchmark::kMillisecond);

} // namespace
