// The engine front's command loop. Lines are taken as they arrive; the commands run one after
// another, in order, on a worker thread of the front, so that the reader is always free for
// the commands that cannot wait:
//   `stop`     ends every long command taken before it (a search answers with its bestmove, a
//              perft with the count so far, a match and a record read with what they have
//              done), whether it runs already or still waits its turn;
//   `isready`  is answered at once while a long command runs, else in its turn;
//   `ponderhit` turns a `go ponder` taken before it, running or waiting, into a search timed
//              by its own clock from then on; other commands do not hear it;
//   `quit`     stops like `stop`, lets the commands before it end, and reads nothing more.
// At the end of the input the waiting commands still run, except that an endless search
// (`go infinite`, a `go ponder` without its ponderhit) is stopped, since nobody is left to
// stop it.
#pragma once

#include "Output.h"
#include "Protocol.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

namespace kelvore::usi {

class Front {
public:
    Front(Protocol& protocol, LineSink& out);
    ~Front(); // stops what runs, forgets what waits, and joins the worker
    Front(const Front&) = delete;
    Front& operator=(const Front&) = delete;

    // One line of input. Returns false after `quit`: nothing more is to be read.
    bool take(const std::string& line);
    // The input has ended (or `quit` was read): stops an endless search.
    void endOfInput();
    // Returns when every command taken so far has run.
    void finish();
    // Stops what runs and forgets what waits (the output is gone: nobody can read answers).
    void abort();
    // True while a long command runs.
    bool runningLong();

private:
    struct Command {
        std::string line;
        std::uint64_t number = 0; // its place in the input
        bool isLong = false;      // may run for long: a search, a perft, a match, a record
        bool endless = false;     // runs until stopped
        bool ponder = false;      // a `go ponder`: endless until its ponderhit
    };
    void work();

    Protocol& protocol_;
    LineSink& out_;
    std::mutex mutex_;
    std::condition_variable queued_; // the worker: a command waits, or the front closes
    std::condition_variable idle_;   // finish(): a command has ended
    std::deque<Command> queue_;
    std::uint64_t taken_ = 0;      // lines taken so far
    std::uint64_t stopBefore_ = 0; // commands taken before this line are stopped
    std::uint64_t hitBefore_ = 0;  // `go ponder` taken before this line has its ponderhit
    Command running_;              // number 0: nothing runs
    bool inputEnded_ = false;
    bool closing_ = false;
    std::thread worker_;
};

} // namespace kelvore::usi
