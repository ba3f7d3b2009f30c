#include "analysis/Analyser.h"

#include "rules/Pieces.h"

namespace kelvore::analysis {

using namespace piece;

namespace {

bool hasRoyal(const engine::GameSnapshot& p, int side) {
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            if (p.board[x][y] == side * OU || p.board[x][y] == side * KO) return true;
    return false;
}

} // namespace

Verdict analysePosition(engine::Searcher& searcher, const engine::GameSnapshot& position,
                        const std::vector<std::uint64_t>& earlier, engine::Limits limits,
                        const std::atomic<bool>& cancel) {
    Verdict v;
    v.searched = true;
    const int side = position.sideToMove;
    // The game is over here: the side to move has lost its last royal piece (or, in a record
    // that went on past the end, its opponent has).
    if (!hasRoyal(position, side)) {
        v.score = {-2, true};
        return v;
    }
    if (!hasRoyal(position, -side)) {
        v.score = {1, true};
        return v;
    }
    limits.infinite = false;
    if (limits.depth <= 0 && limits.nodes == 0 && limits.moveTimeMs <= 0 &&
        limits.lowerTimeMs < 0 && limits.upperTimeMs < 0)
        limits.nodes = kDefaultNodesPerPosition;
    searcher.newGame();

    if (limits.multiPV <= 1) limits.multiPV = kCandidates;

    std::vector<Move> line;
    std::vector<Candidate> lines(static_cast<std::size_t>(limits.multiPV));
    // A stop asked for just before the search began is not remembered by it: each iteration
    // that ends looks at `cancel` again.
    const engine::Result r = searcher.search(position, earlier, limits, [&](const engine::Info& i) {
        if (i.multiPV == 1) line = i.pv;
        if (i.multiPV >= 1 && std::size_t(i.multiPV) <= lines.size())
            lines[std::size_t(i.multiPV) - 1] = {{i.score, i.mate}, i.pv};
        if (cancel.load()) searcher.stop();
    });
    if (!r.found) return v; // no move at all: nothing to say about the position
    v.hasMove = true;
    v.score = {r.score, r.mate};
    v.best = r.best;
    v.depth = r.depth;
    v.nodes = r.nodes;
    // An iteration cut short may have found a better first move than the last line began with.
    const bool sameFirst = !line.empty() && line.front() == r.best;
    v.line = sameFirst ? std::move(line) : std::vector<Move>{r.best};
    // The best first, then the next best of the last iteration that reached them, each move
    // once.
    v.candidates.push_back({v.score, v.line});
    for (std::size_t k = 1; k < lines.size(); ++k) {
        const Candidate& c = lines[k];
        if (c.line.empty()) continue;
        bool seen = false;
        for (const Candidate& had : v.candidates) seen = seen || had.line.front() == c.line.front();
        if (!seen) v.candidates.push_back(c);
    }
    return v;
}

Analyser::Analyser(Dispatcher* dispatcher, std::size_t hashMegabytes)
    : dispatcher_(dispatcher), hashMegabytes_(hashMegabytes),
      current_(std::make_shared<std::atomic<std::uint64_t>>(0)) {}

Analyser::~Analyser() {
    cancel();
    wait();
}

void Analyser::start(const GameRecord& game, const engine::Limits& limits, Listener listener) {
    cancel();
    std::lock_guard lock(control_);
    if (worker_.joinable()) worker_.join();
    cancel_ = false;
    if (!searcher_) searcher_ = std::make_unique<engine::Searcher>(hashMegabytes_);
    const std::uint64_t id = ++*current_;
    running_ = true;
    worker_ = std::thread([this, id, positions = positionsOf(game), limits,
                           listener = std::make_shared<const Listener>(std::move(listener))] {
        run(id, positions, limits, listener);
        running_ = false;
    });
}

void Analyser::cancel() {
    std::lock_guard lock(control_);
    ++*current_;
    cancel_ = true;
    if (searcher_) searcher_->stop();
}

void Analyser::wait() {
    std::lock_guard lock(control_);
    if (worker_.joinable()) worker_.join();
}

void Analyser::deliver(std::uint64_t id, std::function<void()> answer) {
    if (!dispatcher_) {
        if (current_->load() == id) answer();
        return;
    }
    std::weak_ptr<std::atomic<std::uint64_t>> current = current_;
    dispatcher_->post([current, id, answer = std::move(answer)] {
        const auto c = current.lock();
        if (c && c->load() == id) answer();
    });
}

void Analyser::run(std::uint64_t id, std::vector<engine::GameSnapshot> positions,
                   engine::Limits limits, std::shared_ptr<const Listener> listener) {
    std::vector<std::uint64_t> earlier;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        if (cancel_.load()) return;
        const Verdict v = analysePosition(*searcher_, positions[i], earlier, limits, cancel_);
        if (cancel_.load()) return; // cut short: not a verdict worth showing
        earlier.push_back(engine::positionKey(positions[i]));
        if (listener->verdict) deliver(id, [listener, i, v] { listener->verdict(i, v); });
    }
    if (listener->finished) deliver(id, [listener] { listener->finished(); });
}

} // namespace kelvore::analysis
