#include "Go.h"

#include "Protocol.h"
#include "engine/Levels.h"
#include "engine/Skill.h"
#include "engine/Snapshot.h"
#include "rules/TrialMove.h"

#include <charconv>
#include <climits>
#include <mutex>
#include <ostream>
#include <utility>

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
            (key == "ponder" ? g.ponder : g.infinite) = true;
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
        if (v == 0 && (key == "movetime" || key == "nodes")) g.zero = true;
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

engine::Limits searchLimits(const GoLimits& g, int sideToMove, const engine::Limits& levelOwn) {
    engine::Limits l = g.limits;
    const bool lower = sideToMove < 0;
    int& ownTime = lower ? l.lowerTimeMs : l.upperTimeMs;
    int& otherTime = lower ? l.upperTimeMs : l.lowerTimeMs;
    const int ownInc = lower ? l.lowerIncMs : l.upperIncMs;
    const bool moreToCome = l.byoyomiMs > 0 || ownInc > 0;
    if (g.zero || (ownTime == 0 && !moreToCome)) {
        // Nothing to spend: the best move of the shallowest search.
        engine::Limits minimal;
        minimal.depth = 1;
        minimal.infinite = l.infinite;
        return minimal;
    }
    if (ownTime < 0) {
        if (moreToCome) {
            ownTime = 0; // on byoyomi, or living on the increment
        } else {
            // The other side's clock alone says nothing of ours.
            otherTime = -1;
            l.lowerIncMs = l.upperIncMs = 0;
            l.byoyomiMs = 0;
        }
    }
    const bool finite = l.depth > 0 || l.nodes > 0 || l.moveTimeMs > 0 || ownTime >= 0;
    if (!finite && !g.infinite) {
        const bool pondering = l.infinite;
        l = levelOwn;
        l.infinite = pondering;
    }
    return l;
}

std::string infoLine(const engine::Info& i, bool numbered) {
    std::string s = "info " + (numbered ? "multipv " + std::to_string(i.multiPV) + " " : "") +
                    "depth " + std::to_string(i.depth) + " seldepth " + std::to_string(i.selDepth) +
                    " score " + (i.mate ? "mate " : "cp ") + std::to_string(i.score) + " nodes " +
                    std::to_string(i.nodes) + " nps " + std::to_string(i.nps) + " time " +
                    std::to_string(i.timeMs);
    if (!i.pv.empty()) {
        s += " pv";
        for (const Move& m : i.pv) s += " " + notation::formatUsiMove(m);
    }
    return s + "\n";
}

engine::Result Protocol::searchWatched(engine::Searcher& searcher, const engine::Limits& limits,
                                       bool ponder,
                                       std::function<void(const engine::Info&)> onInfo) {
    engine::Result result;
    bool done = false;
    searcher.start(engine::snapshotOf(form_, side_), history_, limits, std::move(onInfo),
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
        bool stopPassed = false, hitPassed = !ponder;
        for (;;) {
            stopped_.wait(
                lock, [&] { return done || (stop_ && !stopPassed) || (ponderhit_ && !hitPassed); });
            if (done) break;
            if (stop_ && !stopPassed) {
                searcher.stop();
                stopPassed = true;
            }
            if (ponderhit_ && !hitPassed) {
                searcher.ponderhit();
                hitPassed = true;
            }
        }
    }
    searcher.wait();
    return result;
}

void Protocol::answerFinished(std::ostream& out, bool endless, bool ponder) {
    if (endless) {
        // Nothing to search, but the answer waits for the word that ends the search.
        std::unique_lock lock(stopMutex_);
        stopped_.wait(lock, [&] { return stop_ || (ponder && ponderhit_); });
    }
    if (hasLostAllRoyals(form_, side_)) {
        out << "bestmove resign\n";
        return;
    }
    out << "info string the game is over: "
        << (side_ < 0 ? "the lower side (b)" : "the upper side (w)")
        << ", to move, has won; the other side has no royal piece left\n"
        << "bestmove win\n";
}

// The searching levels: the search runs on its worker while this thread waits for its end or
// for a stop or ponderhit, which it passes on; progress lines leave as each iteration ends.
void Protocol::goSearching(const std::vector<std::string>& w, std::ostream& out) {
    const GoLimits g = parseGo(w);
    if (!g.ignored.empty()) {
        // Quoted back as plain printable ASCII, and not at any length.
        std::string shown = g.ignored.substr(0, 100);
        for (char& c : shown)
            if (c < 0x20 || c > 0x7E) c = '?';
        out << "info string go: ignored " << shown << (g.ignored.size() > 100 ? "..." : "") << "\n";
    }
    // Only a `go ponder` waits for a ponderhit; `go ponder infinite` stays endless.
    const bool ponder = g.ponder && !g.infinite;
    if (gameOver()) {
        answerFinished(out, g.limits.infinite, ponder);
        return;
    }
    engine::Limits limits = engine::withSkill(
        g.anyLimit ? searchLimits(g, side_, engine::levelLimits(form_.ComLevel, moveTimeMs_))
                   : engine::levelLimits(form_.ComLevel, moveTimeMs_),
        skillLevel_, (moveNumber_ + 1) / 2, gameSeed_);
    limits.multiPV = multiPV_;
    if (!searcher_) searcher_ = std::make_unique<engine::Searcher>();

    std::mutex lines;
    const engine::Result result =
        searchWatched(*searcher_, limits, ponder, [&](const engine::Info& info) {
            const std::string line = infoLine(info, multiPV_ > 1);
            std::lock_guard lock(lines);
            out << line;
        });
    std::lock_guard lock(lines);
    if (!result.found) {
        out << "bestmove resign\n";
        return;
    }
    out << "bestmove " << notation::formatUsiMove(result.best);
    if (result.hasPonder) out << " ponder " << notation::formatUsiMove(result.ponder);
    out << "\n";
}

} // namespace kelvore::usi
