// The engine run over every position of a game, one after another, on a worker thread of its
// own: each verdict is handed on as its search ends, so that a window can show the judgement
// growing, and the whole run can be cancelled at any moment (its searches stop within an
// iteration). Destroying an analyser cancels its run and waits for the worker.
#pragma once

#include "analysis/Verdict.h"
#include "engine/Searcher.h"
#include "platform/Platform.h"
#include "record/GameRecord.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace kelvore::analysis {

// The limit of each position's search when the caller gives none: a count of nodes (about half
// a second of one free core of the machine the program is made on, which searches some 900 000
// nodes a second), so that the same game gets the same verdicts on every run and every
// machine. A time limit is there for those who ask for one.
inline constexpr std::uint64_t kDefaultNodesPerPosition = 400000;
// The best moves of each position searched to a full score and shown, when the caller's limits
// ask for no other number.
inline constexpr int kCandidates = 3;

// Searches one position on the calling thread. `earlier` holds the keys of the positions
// before it in the game, oldest first. The search ends at `limits` (a search without any
// limit is given kDefaultNodesPerPosition) or soon after `cancel` turns true. Its best moves
// (Limits::multiPV, kCandidates when 1) come back as the verdict's candidates. The searcher
// forgets what it learnt before (its hash table) first: a position's verdict under a depth or
// node limit depends on the position and its history alone, not on what was searched before.
Verdict analysePosition(engine::Searcher& searcher, const engine::GameSnapshot& position,
                        const std::vector<std::uint64_t>& earlier, engine::Limits limits,
                        const std::atomic<bool>& cancel);

class Analyser {
public:
    // Where the answers go. With a dispatcher they run on its thread, in order; without one
    // they run on the worker.
    struct Listener {
        // Position `index` of the game (0: the start) has its verdict.
        std::function<void(std::size_t index, const Verdict& verdict)> verdict;
        // Every position has its verdict. Never called for a run that was cancelled.
        std::function<void()> finished;
    };

    explicit Analyser(Dispatcher* dispatcher = nullptr, std::size_t hashMegabytes = 16);
    ~Analyser();
    Analyser(const Analyser&) = delete;
    Analyser& operator=(const Analyser&) = delete;

    // Analyses the positions of `game` (positionsOf) from the start to the end, each with
    // `limits`. A run already going is cancelled first. Each position is searched from an
    // empty hash table, so that a depth or node limit gives the same verdicts every time.
    void start(const GameRecord& game, const engine::Limits& limits, Listener listener);

    // Ends the run soon. With a dispatcher, called on its thread, nothing more of the run
    // reaches the listener afterwards, not even answers already posted.
    void cancel();

    // Returns when the worker has ended (its last answers may still wait in the dispatcher).
    void wait();

    // True from start() until the worker has ended.
    bool running() const { return running_.load(); }

private:
    void run(std::uint64_t id, std::vector<engine::GameSnapshot> positions, engine::Limits limits,
             std::shared_ptr<const Listener> listener);
    // Hands an answer of run `id` on: through the dispatcher, or at once.
    void deliver(std::uint64_t id, std::function<void()> answer);

    Dispatcher* dispatcher_;
    std::size_t hashMegabytes_;
    std::unique_ptr<engine::Searcher> searcher_; // made at the first run
    std::thread worker_;
    std::mutex control_; // start, cancel and wait, one at a time
    std::atomic<bool> cancel_{false};
    std::atomic<bool> running_{false};
    // The run whose answers are still wanted; answers waiting in the dispatcher hold this
    // weakly and are dropped once the analyser is gone.
    std::shared_ptr<std::atomic<std::uint64_t>> current_;
};

} // namespace kelvore::analysis
