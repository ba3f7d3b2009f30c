#include "Go.h"

#include "Engine.h"
#include "engine/Levels.h"
#include "engine/Snapshot.h"

#include <charconv>
#include <climits>
#include <mutex>
#include <ostream>

namespace kelvore::usi {

namespace {

// A whole non-negative number no larger than `most`.
bool number(const std::string& s, long long most, long long& value) {
    if (s.empty() || s.size() > 19) return false;
    long long v = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (error != std::errc() || end != s.data() + s.size() || v < 0) return false;
    value = std::min(v, most);
    return true;
}

} // namespace

GoLimits parseGo(const std::vector<std::string>& w) {
    GoLimits g;
    engine::Limits& l = g.limits;
    for (std::size_t i = 1; i < w.size(); ++i) {
        const std::string& key = w[i];
        if (key == "infinite" || key == "ponder") {
            l.infinite = true;
            g.anyLimit = true;
            continue;
        }
        int* ms = key == "btime"      ? &l.lowerTimeMs
                  : key == "wtime"    ? &l.upperTimeMs
                  : key == "binc"     ? &l.lowerIncMs
                  : key == "winc"     ? &l.upperIncMs
                  : key == "byoyomi"  ? &l.byoyomiMs
                  : key == "movetime" ? &l.moveTimeMs
                                      : nullptr;
        long long v = 0;
        const bool known = ms != nullptr || key == "depth" || key == "nodes";
        if (!known || i + 1 >= w.size() ||
            !number(w[i + 1], key == "nodes" ? LLONG_MAX : INT_MAX, v) ||
            (key == "depth" && v == 0)) {
            g.ignored += (g.ignored.empty() ? "" : " ") + key;
            if (known && i + 1 < w.size()) g.ignored += " " + w[++i];
            continue;
        }
        ++i;
        if (ms != nullptr)
            *ms = static_cast<int>(v);
        else if (key == "depth")
            l.depth = static_cast<int>(std::min(v, 64LL));
        else
            l.nodes = static_cast<std::uint64_t>(v);
        g.anyLimit = true;
    }
    return g;
}

std::string infoLine(const engine::Info& i) {
    std::string s = "info depth " + std::to_string(i.depth) + " seldepth " +
                    std::to_string(i.selDepth) + " score " + (i.mate ? "mate " : "cp ") +
                    std::to_string(i.score) + " nodes " + std::to_string(i.nodes) + " nps " +
                    std::to_string(i.nps) + " time " + std::to_string(i.timeMs);
    if (!i.pv.empty()) {
        s += " pv";
        for (const Move& m : i.pv) s += " " + formatMove(m);
    }
    return s + "\n";
}

// The searching levels: the search runs on its worker while this thread waits for its end or
// for a stop, which it passes on; progress lines leave as each iteration ends.
void Engine::goSearching(const std::vector<std::string>& w, std::ostream& out) {
    const GoLimits g = parseGo(w);
    if (!g.ignored.empty()) {
        // Quoted back as plain printable ASCII, and not at any length.
        std::string shown = g.ignored.substr(0, 100);
        for (char& c : shown)
            if (c < 0x20 || c > 0x7E) c = '?';
        out << "info string go: ignored " << shown << (g.ignored.size() > 100 ? "..." : "") << "\n";
    }
    if (gameOver()) {
        out << "bestmove resign\n";
        return;
    }
    const engine::Limits limits =
        g.anyLimit ? g.limits : engine::levelLimits(form_.ComLevel, moveTimeMs_);
    if (!searcher_) searcher_ = std::make_unique<engine::Searcher>();

    std::mutex lines;
    engine::Result result;
    bool done = false;
    searcher_->start(
        engine::snapshotOf(form_, side_), history_, limits,
        [&](const engine::Info& info) {
            const std::string line = infoLine(info);
            std::lock_guard lock(lines);
            out << line;
        },
        [&](const engine::Result& r) {
            {
                std::lock_guard lock(stopMutex_);
                result = r;
                done = true;
            }
            stopped_.notify_all();
        });
    {
        std::unique_lock lock(stopMutex_);
        bool passedOn = false;
        for (;;) {
            stopped_.wait(lock, [&] { return done || (stop_ && !passedOn); });
            if (done) break;
            searcher_->stop();
            passedOn = true;
        }
    }
    searcher_->wait();
    std::lock_guard lock(lines);
    if (!result.found) {
        out << "bestmove resign\n";
        return;
    }
    out << "bestmove " << formatMove(result.best);
    if (result.hasPonder) out << " ponder " << formatMove(result.ponder);
    out << "\n";
}

} // namespace kelvore::usi
