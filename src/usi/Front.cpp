#include "Front.h"

#include <sstream>

namespace kelvore::usi {

namespace {

// The command's name; for `go`, whether it searches until stopped and whether it ponders (a
// `go ponder infinite` stays endless after its ponderhit).
std::string firstWord(const std::string& line, bool& endless, bool& ponder) {
    std::istringstream in(line);
    std::string first, word;
    in >> first;
    bool infinite = false;
    ponder = false;
    if (first == "go")
        while (in >> word) {
            infinite = infinite || word == "infinite";
            ponder = ponder || word == "ponder";
        }
    endless = infinite || ponder;
    ponder = ponder && !infinite;
    return first;
}

} // namespace

Front::Front(Protocol& protocol, LineSink& out) : protocol_(protocol), out_(out) {
    worker_ = std::thread([this] { work(); });
}

Front::~Front() {
    abort();
    worker_.join();
}

bool Front::take(const std::string& rawLine) {
    std::string line = rawLine;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    bool endless = false, ponder = false;
    const std::string cmd = firstWord(line, endless, ponder);
    if (cmd.empty()) return true;

    std::unique_lock lock(mutex_);
    if (inputEnded_ || closing_) return false;
    const std::uint64_t number = ++taken_;
    if (cmd == "ponderhit") {
        // The pondering searches taken so far search on under their clocks: no longer endless.
        hitBefore_ = number;
        for (Command& c : queue_)
            if (c.ponder) c.endless = false;
        if (running_.ponder) {
            running_.endless = false;
            protocol_.requestPonderhit();
        }
        return true;
    }
    if (cmd == "stop" || cmd == "quit" || cmd == "gameover") {
        stopBefore_ = number;
        if (running_.number != 0) protocol_.requestStop();
        if (cmd == "quit") {
            inputEnded_ = true;
            return false;
        }
        if (cmd != "gameover") return true;
    }
    if (cmd == "isready" && running_.isLong) {
        lock.unlock();
        out_.write("readyok\n");
        return true;
    }
    const bool isLong = cmd == "go" || cmd == "perft" || cmd == "match" || cmd == "bench" ||
                        cmd == "eval" || cmd == "kifu";
    queue_.push_back({line, number, isLong, endless, ponder});
    queued_.notify_one();
    return true;
}

void Front::endOfInput() {
    std::lock_guard lock(mutex_);
    inputEnded_ = true;
    if (running_.endless) protocol_.requestStop();
}

void Front::finish() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return queue_.empty() && running_.number == 0; });
}

void Front::abort() {
    std::lock_guard lock(mutex_);
    closing_ = true;
    queue_.clear();
    if (running_.number != 0) protocol_.requestStop();
    queued_.notify_all();
    idle_.notify_all();
}

bool Front::runningLong() {
    std::lock_guard lock(mutex_);
    return running_.isLong;
}

void Front::work() {
    for (;;) {
        std::string line;
        {
            std::unique_lock lock(mutex_);
            queued_.wait(lock, [this] { return closing_ || !queue_.empty(); });
            if (queue_.empty()) return;
            running_ = std::move(queue_.front());
            queue_.pop_front();
            line = running_.line;
            protocol_.clearStop();
            if (running_.ponder && running_.number < hitBefore_) protocol_.requestPonderhit();
            if (running_.number < stopBefore_ || (running_.endless && inputEnded_) || closing_)
                protocol_.requestStop();
        }
        {
            LineStream out(out_);
            protocol_.handle(line, out);
        }
        std::lock_guard lock(mutex_);
        running_ = Command{};
        idle_.notify_all();
    }
}

} // namespace kelvore::usi
