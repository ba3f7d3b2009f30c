// Fuzzes the engine front's command loop: any bytes as lines of commands, taken by the same
// loop as the program's input, with the commands running on its worker. Every input ends in
// bounded time: a deep perft and an endless search are followed by `stop` at once (the partial
// count and the position after it are checked by the loop itself), every `go` carries a small
// node limit, and commands that only take long (matches, the bench) or write files are left
// out. The first byte's lowest bit chooses a searching level for `go`.
#include "Engine.h"
#include "Front.h"
#include "Output.h"

#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kelvore::usi::Engine engine;
    if (size > 0 && (data[0] & 1) != 0) engine.form().ComLevel = 4 + ((data[0] >> 1) & 1);
    kelvore::usi::StringSink out;
    kelvore::usi::Front front(engine, out);
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    int lines = 0;
    for (std::string line; std::getline(in, line) && lines < 64; ++lines) {
        std::istringstream words(line);
        std::string first, second;
        words >> first >> second;
        if (first == "match" || first == "bench" || first == "kifu") continue;
        const bool endless = first == "go" && (line.find("infinite") != std::string::npos ||
                                               line.find("ponder") != std::string::npos);
        // From depth 3 on a count may take long (a stop after a refused one does no harm).
        const bool deepPerft = first == "perft" && second != "0" && second != "1" && second != "2";
        if (first == "go") line += " nodes 3000";
        if (!front.take(line)) break;
        if (endless || deepPerft)
            front.take("stop");
        else
            front.finish();
    }
    front.endOfInput();
    front.finish();
    return 0;
}
