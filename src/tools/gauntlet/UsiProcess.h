// An engine program run as a child process and spoken to over its standard input and output,
// one line at a time, with a deadline on every wait.
#pragma once

#include <string>
#include <sys/types.h>

namespace kelvore::gauntlet {

class UsiProcess {
public:
    UsiProcess() = default;
    ~UsiProcess(); // ends the program: quit, then a kill if it does not go
    UsiProcess(const UsiProcess&) = delete;
    UsiProcess& operator=(const UsiProcess&) = delete;

    // Runs `command` (a program and its arguments, split at spaces; no shell). False with the
    // reason in `error` when it cannot be started.
    bool start(const std::string& command, std::string& error);
    bool running() const { return pid_ > 0; }

    // Writes one line; false when the program no longer reads.
    bool send(const std::string& line);
    // Reads lines until one begins with the word `word` (the whole line is put in `line`), or
    // until `timeoutMs` pass or the program closes its output: false then.
    bool waitFor(const std::string& word, int timeoutMs, std::string& line);
    // Asks the program to quit, waits a little, then kills it.
    void stop();

private:
    bool readLine(int timeoutMs, std::string& line);

    pid_t pid_ = -1;
    int in_ = -1;  // the program's standard input
    int out_ = -1; // its standard output
    std::string buffer_;
};

} // namespace kelvore::gauntlet
