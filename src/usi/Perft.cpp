// `perft`: the number of move sequences of a given length from the current position, counted
// by the searching engine's own position and generator, or by the game's judge (`perft judge`),
// which the engine's generator must agree with. Both can be stopped.
#include "Protocol.h"
#include "engine/MoveGen.h"
#include "engine/Position.h"
#include "engine/Snapshot.h"
#include "rules/TrialMove.h"

#include <atomic>
#include <chrono>
#include <ostream>

namespace kelvore::usi {

namespace {

// The engine's count, ended early (with `stopped` set) when `stop` turns true; the position is
// left as it was either way.
std::uint64_t engineCount(engine::Position& pos, int depth, const std::atomic<bool>& stop,
                          bool& stopped) {
    if (depth == 0) return 1;
    if (pos.royalCount(engine::LOWER) == 0 || pos.royalCount(engine::UPPER) == 0) return 0;
    engine::MvList list;
    engine::generate(pos, list);
    // A line of one more move always has that length, whatever it captures.
    if (depth == 1) return std::uint64_t(list.size);
    std::uint64_t total = 0;
    for (const engine::Mv m : list) {
        if (stopped || stop.load(std::memory_order_relaxed)) {
            stopped = true;
            break;
        }
        pos.make(m);
        total += engineCount(pos, depth - 1, stop, stopped);
        pos.unmake(m);
    }
    return total;
}

} // namespace

void Protocol::runPerft(const std::vector<std::string>& w, std::ostream& out) {
    // Each ply costs about thirty times the one before: depth 6 takes seconds, 7 some minutes,
    // 8 hours. Deeper than 7 is refused; any depth can be stopped.
    constexpr int kDeepest = 7;
    const bool judge = w.size() == 3 && w[1] == "judge";
    const std::string d = w.size() >= 2 ? w.back() : std::string();
    if ((w.size() != 2 && !judge) || d.empty() || d.size() > 2 ||
        d.find_first_not_of("0123456789") != std::string::npos || std::stoi(d) > kDeepest) {
        out << "info string perft needs a depth from 0 to " << kDeepest
            << " (each ply takes about 30 times longer: 6 takes seconds, 8 would take hours); "
               "perft judge <depth> counts with the game's judge; stop ends either early\n";
        return;
    }
    const int depth = std::stoi(d);
    const auto start = std::chrono::steady_clock::now();
    std::uint64_t count = 0;
    bool stopped = false;
    if (judge) {
        PerftStop stop{stop_};
        count = perft(form_, side_, depth, stop);
        stopped = stop.stopped;
        form_.調査_2歩フラグ設定();
    } else {
        engine::Position pos;
        const engine::GameSnapshot s = engine::snapshotOf(form_, side_);
        pos.set(s.board, s.lowerHand, s.upperHand, side_ < 0 ? engine::LOWER : engine::UPPER);
        count = engineCount(pos, depth, stop_, stopped);
    }
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    const std::string name = judge ? "perft judge " : "perft ";
    if (stopped)
        out << name << depth << " stopped after " << count << " lines (a partial count)\n";
    else
        out << name << depth << ' ' << count << "\n";
    out << "info nodes " << count << " time " << ms << " nps "
        << (ms > 0 ? count * 1000 / static_cast<std::uint64_t>(ms) : count) << "\n";
}

} // namespace kelvore::usi
