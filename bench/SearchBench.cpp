// The search of one computer move (without the pause before it) on the fixed positions.
#include "BenchPositions.h"
#include "Protocol.h"

#include <benchmark/benchmark.h>

#include <sstream>

using namespace kelvore;

namespace {

void BM_Search(benchmark::State& state) {
    usi::Protocol engine;
    std::ostringstream out;
    const int index = static_cast<int>(state.range(0));
    engine.handle(std::string("position sfen ") + usi::kBenchPositions[index], out);
    engine.handle("setoption name Level value 3", out);
    for (auto _ : state) {
        Move best;
        int score = 0;
        benchmark::DoNotOptimize(engine.search(best, score));
    }
}
BENCHMARK(BM_Search)
    ->DenseRange(0, std::size(usi::kBenchPositions) - 1)
    ->Unit(benchmark::kMicrosecond);

} // namespace
