// The engine's judgement of a whole game: every position searched on the analyser's worker and
// every move judged, at fixed depths and with the default budget of nodes (the goal: a game of
// a hundred moves in at most a minute), on games the engine plays against itself.
#include "analysis/Analyser.h"
#include "analysis/GameAnalysis.h"
#include "record/GameRecord.h"

#include <benchmark/benchmark.h>

#include <condition_variable>
#include <mutex>

using namespace kelvore;

namespace {

// `plies` moves of the engine against itself at depth 3 from the standard start (fewer when
// the game ends before).
GameRecord selfPlay(int plies) {
    GameRecord g;
    g.start = standardStart(-1);
    engine::GameSnapshot p = g.start;
    engine::Searcher searcher(4);
    engine::Limits limits;
    limits.depth = 3;
    std::vector<std::uint64_t> keys;
    for (int ply = 0; ply < plies; ++ply) {
        const engine::Result r = searcher.search(p, keys, limits);
        if (!r.found) break;
        keys.push_back(engine::positionKey(p));
        const Move& m = r.best;
        const RecordMove record = recordMoveOf(m, p.board[m.toX][m.toY]);
        if (!applyMove(p, record)) break;
        g.moves.push_back(record);
    }
    return g;
}

const GameRecord& selfPlayed() {
    static const GameRecord game = selfPlay(40);
    return game;
}

// Depth `range(0)`, or with 0 the default budget on a game of a hundred moves.
void BM_AnalyseGame(benchmark::State& state) {
    static const GameRecord hundred = selfPlay(100);
    const GameRecord& game = state.range(0) == 0 ? hundred : selfPlayed();
    engine::Limits limits;
    limits.depth = static_cast<int>(state.range(0));
    analysis::Analyser analyser;
    std::size_t positions = 0;
    for (auto _ : state) {
        analysis::GameAnalysis judged(game);
        std::mutex mutex;
        std::condition_variable done;
        bool finished = false;
        analyser.start(game, limits,
                       {[&](std::size_t i, const analysis::Verdict& v) {
                            std::lock_guard lock(mutex);
                            judged.setVerdict(i, v);
                        },
                        [&] {
                            std::lock_guard lock(mutex);
                            finished = true;
                            done.notify_all();
                        }});
        std::unique_lock lock(mutex);
        done.wait(lock, [&] { return finished; });
        positions += judged.searchedCount();
        benchmark::DoNotOptimize(judged.summary(notation::Mark::Sente));
    }
    analyser.wait();
    state.counters["positions"] = double(positions) / double(state.iterations());
    state.counters["positions/s"] =
        benchmark::Counter(double(positions), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_AnalyseGame)->Arg(4)->Arg(6)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_AnalyseGame)
    ->Name("BM_AnalyseGame/defaultBudget/100moves")
    ->Arg(0)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

// The judging alone: every verdict of a searched game handed in again, the reasons of the
// marked moves read from the lines.
void BM_JudgeGame(benchmark::State& state) {
    const GameRecord& game = selfPlayed();
    engine::Limits limits;
    limits.depth = 4;
    engine::Searcher searcher(4);
    std::atomic<bool> cancel{false};
    std::vector<analysis::Verdict> verdicts;
    std::vector<std::uint64_t> keys;
    for (const engine::GameSnapshot& p : positionsOf(game)) {
        verdicts.push_back(analysis::analysePosition(searcher, p, keys, limits, cancel));
        keys.push_back(engine::positionKey(p));
    }
    for (auto _ : state) {
        analysis::GameAnalysis judged(game);
        for (std::size_t i = 0; i < verdicts.size(); ++i) judged.setVerdict(i, verdicts[i]);
        benchmark::DoNotOptimize(judged.summary(notation::Mark::Gote));
    }
}
BENCHMARK(BM_JudgeGame)->Unit(benchmark::kMicrosecond);

} // namespace
