// The engine front: USI commands in, answers out, over a headless game.
#pragma once

#include <iosfwd>
#include <string>

namespace kelvore::usi {

class Engine {
public:
    Engine();
    ~Engine();
    // Handles one command line, writing the answer lines to `out`. Returns false after quit.
    bool handle(const std::string& line, std::ostream& out);

private:
    struct Impl;
    Impl* impl_;
};

} // namespace kelvore::usi
