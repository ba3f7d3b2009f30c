// Speaking to the engine front in the tests: a command handled straight by the protocol, an
// answer cut into lines, and the protocol behind its command loop with every answer kept.
#pragma once

#include "Front.h"
#include "Protocol.h"
#include "fakes/WaitingSink.h"

#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace kelvore::test {

// The answer of the protocol to one command line.
inline std::string say(usi::Protocol& protocol, const std::string& line) {
    std::ostringstream out;
    protocol.handle(line, out);
    return out.str();
}

// The lines of a text, without their line ends.
inline std::vector<std::string> linesOf(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The protocol behind its command loop, at the level given or its own; the answers collect in
// `out`.
struct Loop {
    Loop() : front(protocol, out) {}
    explicit Loop(int level) : front(atLevel(protocol, level), out) {}
    void waitUntilALongCommandRuns() {
        while (!front.runningLong()) std::this_thread::yield();
    }

    usi::Protocol protocol;
    WaitingSink out;
    usi::Front front;

private:
    static usi::Protocol& atLevel(usi::Protocol& p, int level) {
        p.form().ComLevel = level;
        return p;
    }
};

} // namespace kelvore::test
