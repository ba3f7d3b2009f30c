// `perft`: the number of move sequences of a given length from the current position, counted
// by the searching engine's own position and generator, or by the game's judge (`perft judge`),
// which the engine's generator must agree with. Both can be stopped.
#include "Protocol.h"
#include "engine/MoveGen.h"
#include "engine/Position.h"
#include "engine/Snapshot.h"
#include "rules/TrialMove.h"

#include <chrono>
#include <ostream>

namespace kelvore::usi {

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
    PerftStop stop{stop_};
    if (judge) {
        count = perft(form_, side_, depth, stop);
        form_.調査_2歩フラグ設定();
    } else {
        engine::Position pos;
        const engine::GameSnapshot s = engine::snapshotOf(form_, side_);
        pos.set(s.board, s.lowerHand, s.upperHand, side_ < 0 ? engine::LOWER : engine::UPPER);
        count = engine::perft(pos, depth, stop);
    }
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    const std::string name = judge ? "perft judge " : "perft ";
    if (stop.stopped)
        out << name << depth << " stopped after " << count << " lines (a partial count)\n";
    else
        out << name << depth << ' ' << count << "\n";
    out << "info nodes " << count << " time " << ms << " nps "
        << (ms > 0 ? count * 1000 / static_cast<std::uint64_t>(ms) : count) << "\n";
}

} // namespace kelvore::usi
