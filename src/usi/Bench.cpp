// `bench`: the search at every level on the fixed positions, hashed into one signature; then the
// engine's search at a fixed depth on the same positions, each from an empty table, hashed
// with its node counts into a second one.
#include "Protocol.h"

#include "BenchPositions.h"
#include "engine/Searcher.h"
#include "engine/Snapshot.h"

#include <chrono>
#include <ostream>
#include <sstream>

namespace kelvore::usi {

void Protocol::bench(std::ostream& out) {
    const int savedLevel = form_.ComLevel;
    std::uint64_t signature = 1469598103934665603ull;
    auto mix = [&](long long v) {
        signature ^= static_cast<std::uint64_t>(v);
        signature *= 1099511628211ull;
    };
    int positions = 0;
    auto start = std::chrono::steady_clock::now();
    auto elapsedMs = [&] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now() - start)
            .count();
    };
    for (int level : {3, 1, 2}) {
        form_.ComLevel = level;
        for (const char* sfen : kBenchPositions) {
            std::ostringstream ignored;
            handle(std::string("position sfen ") + sfen, ignored);
            Move m;
            int score = 0;
            if (search(m, score)) {
                for (int v : {m.fromX, m.fromY, m.toX, m.toY, m.placed, score}) mix(v);
            } else {
                mix(-1);
            }
            ++positions;
        }
    }
    form_.ComLevel = savedLevel;
    out << "bench positions " << positions << " signature " << signature << " time " << elapsedMs()
        << "\n";

    signature = 1469598103934665603ull;
    positions = 0;
    std::uint64_t nodes = 0;
    start = std::chrono::steady_clock::now();
    engine::Searcher searcher(kBenchHashMegabytes);
    engine::Limits limits;
    limits.depth = kBenchDepth;
    for (const char* sfen : kBenchPositions) {
        std::ostringstream ignored;
        handle(std::string("position sfen ") + sfen, ignored);
        searcher.newGame();
        std::uint64_t searched = 0;
        const engine::Result r =
            searcher.search(engine::snapshotOf(form_, side_), {}, limits,
                            [&](const engine::Info& info) { searched = info.nodes; });
        if (r.found) {
            for (int v : {r.best.fromX, r.best.fromY, r.best.toX, r.best.toY, r.best.placed,
                          r.score, int(r.mate)})
                mix(v);
        } else {
            mix(-1);
        }
        mix(static_cast<long long>(searched));
        nodes += searched;
        ++positions;
    }
    const auto ms = elapsedMs();
    out << "bench search positions " << positions << " depth " << kBenchDepth << " signature "
        << signature << " nodes " << nodes << " time " << ms << " nps "
        << (ms > 0 ? nodes * 1000 / static_cast<std::uint64_t>(ms) : nodes) << "\n";
}

} // namespace kelvore::usi
