// Fuzzes the engine front's command line: any bytes as lines of commands. Commands that only
// take long (matches, deep perft, the bench) or write files are left out.
#include "Engine.h"

#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kelvore::usi::Engine engine;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::ostringstream out;
    int lines = 0;
    for (std::string line; std::getline(in, line) && lines < 64; ++lines) {
        std::istringstream words(line);
        std::string first, second;
        words >> first >> second;
        if (first == "match" || first == "bench" || first == "kifu") continue;
        if (first == "perft" && second.size() == 1 && second > "2") continue;
        if (first == "perft" && second.size() > 1) continue;
        if (!engine.handle(line, out)) break;
    }
    return 0;
}
