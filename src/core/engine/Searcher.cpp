#include "engine/Searcher.h"

#include "engine/Position.h"
#include "engine/Search.h"
#include "engine/TranspositionTable.h"

#include <cassert>
#include <memory>
#include <mutex>
#include <thread>

namespace kelvore::engine {

namespace {

void setFromSnapshot(Position& pos, const GameSnapshot& s) {
    pos.set(s.board, s.lowerHand, s.upperHand, s.sideToMove < 0 ? LOWER : UPPER);
}

} // namespace

std::uint64_t positionKey(const GameSnapshot& position) {
    Position pos;
    setFromSnapshot(pos, position);
    return pos.key();
}

struct Searcher::Impl {
    explicit Impl(std::size_t megabytes) : tt(megabytes), search(tt) {}

    TranspositionTable tt;
    Search search;
    Position position;
    std::atomic<bool> stop{false};
    std::atomic<bool> running{false};
    std::thread worker;
    std::mutex control; // one caller at a time starts, waits for or resets the worker

    void join() {
        if (worker.joinable()) {
            // The callbacks run on the worker: it cannot wait for itself.
            assert(worker.get_id() != std::this_thread::get_id());
            if (worker.get_id() != std::this_thread::get_id()) worker.join();
        }
    }
};

Searcher::Searcher(std::size_t hashMegabytes) : impl_(std::make_unique<Impl>(hashMegabytes)) {}

Searcher::~Searcher() {
    stop();
    std::lock_guard lock(impl_->control);
    impl_->join();
}

Result Searcher::search(const GameSnapshot& root, const std::vector<std::uint64_t>& history,
                        const Limits& limits, const std::function<void(const Info&)>& onInfo) {
    std::lock_guard lock(impl_->control);
    impl_->stop = true;
    impl_->join();
    impl_->stop = false;
    impl_->search.clearPonderhit();
    setFromSnapshot(impl_->position, root);
    return impl_->search.run(impl_->position, history, limits, onInfo, impl_->stop);
}

void Searcher::start(const GameSnapshot& root, std::vector<std::uint64_t> history,
                     const Limits& limits, std::function<void(const Info&)> onInfo,
                     std::function<void(const Result&)> onDone) {
    std::lock_guard lock(impl_->control);
    impl_->stop = true;
    impl_->join();
    impl_->stop = false;
    impl_->search.clearPonderhit();
    impl_->running = true;
    setFromSnapshot(impl_->position, root);
    Impl* impl = impl_.get();
    impl->worker = std::thread([impl, history = std::move(history), limits,
                                onInfo = std::move(onInfo), onDone = std::move(onDone)] {
        const Result result = impl->search.run(impl->position, history, limits, onInfo, impl->stop);
        if (onDone) onDone(result);
        impl->running = false;
    });
}

void Searcher::stop() {
    impl_->stop = true;
}

void Searcher::ponderhit() {
    impl_->search.ponderhit();
}

void Searcher::wait() {
    std::lock_guard lock(impl_->control);
    impl_->join();
}

bool Searcher::running() const {
    return impl_->running;
}

void Searcher::newGame() {
    std::lock_guard lock(impl_->control);
    impl_->stop = true;
    impl_->join();
    impl_->tt.clear();
}

} // namespace kelvore::engine
