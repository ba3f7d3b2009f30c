#include "Front.h"

#include <sstream>

namespace kelvore::usi {

namespace {

std::string firstWord(const std::string& line, bool& endless, bool& analyse) {
    std::istringstream in(line);
    std::string first, word;
    in >> first;
    endless = false;
    if (first == "go")
        while (in >> word) endless = endless || word == "infinite" || word == "ponder";
    analyse = first == "kifu" && in >> word && word == "analyse";
    return first;
}

} // namespace

Front::Front(Engine& engine, LineSink& out) : engine_(engine), out_(out) {
    worker_ = std::thread([this] { work(); });
}

Front::~Front() {
    abort();
    worker_.join();
}

bool Front::take(const std::string& rawLine) {
    std::string line = rawLine;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    bool endless = false, analyse = false;
    const std::string cmd = firstWord(line, endless, analyse);
    if (cmd.empty()) return true;

    std::unique_lock lock(mutex_);
    if (inputEnded_ || closing_) return false;
    const std::uint64_t number = ++taken_;
    if (cmd == "stop" || cmd == "ponderhit" || cmd == "quit" || cmd == "gameover") {
        // A pondering search is stopped at once too: its move is played or forgotten.
        stopBefore_ = number;
        if (running_.number != 0) engine_.requestStop();
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
                        cmd == "eval" || analyse;
    queue_.push_back({line, number, isLong, endless});
    queued_.notify_one();
    return true;
}

void Front::endOfInput() {
    std::lock_guard lock(mutex_);
    inputEnded_ = true;
    if (running_.endless) engine_.requestStop();
}

void Front::finish() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return queue_.empty() && running_.number == 0; });
}

void Front::abort() {
    std::lock_guard lock(mutex_);
    closing_ = true;
    queue_.clear();
    if (running_.number != 0) engine_.requestStop();
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
            engine_.clearStop();
            if (running_.number < stopBefore_ || (running_.endless && inputEnded_) || closing_)
                engine_.requestStop();
        }
        {
            LineStream out(out_);
            engine_.handle(line, out);
        }
        std::lock_guard lock(mutex_);
        running_ = Command{};
        idle_.notify_all();
    }
}

} // namespace kelvore::usi
