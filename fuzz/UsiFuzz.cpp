// Fuzzes the engine front's command loop: any bytes as lines of commands, taken by the same
// loop as the program's input, with the commands running on its worker. Every input ends in
// bounded time: a deep perft and an endless search are followed by `stop` at once (the partial
// count and the position after it are checked by the loop itself), every `go` and every
// `kifu analyse` carries a small node limit, and commands that only take long (matches, the bench)
// are left out. The first byte's lowest bit chooses a searching level for `go`. The path of a kifu
// command is turned into one of a few of the fuzzer's own: two record files, a folder, a FIFO, a
// device and a missing file, so that records are written and read back but nothing else is touched.
#include "Engine.h"
#include "Front.h"
#include "Output.h"

#include <cstdint>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::string& folder() {
    static const std::string dir = [] {
        char pattern[] = "/tmp/kelvore-fuzz-XXXXXX";
        const std::string d = mkdtemp(pattern);
        ::mkfifo((d + "/fifo.棋譜").c_str(), 0600);
        ::mkdir((d + "/folder.棋譜").c_str(), 0700);
        return d;
    }();
    return dir;
}

// "kifu read <path>", "kifu write <path> <names>" or "kifu analyse <path>" with the path
// replaced by one of ours.
std::string kifuLine(const std::string& verb, const std::string& path, const std::string& rest) {
    const char* const readable[] = {"/a.棋譜", "/b.棋譜", "/folder.棋譜", "/fifo.棋譜",
                                    "/none.棋譜"};
    const unsigned pick = path.empty() ? 0 : static_cast<unsigned char>(path[0]);
    if (verb == "analyse") // a small node limit, whatever the line asked for
        return "kifu analyse " + folder() + readable[pick % 5] + " nodes 2000";
    if (verb != "read" && verb != "write") return "kifu " + verb + " " + path + rest;
    if (verb == "write") return "kifu write " + folder() + readable[pick % 2] + rest;
    if (pick % 6 == 5) return "kifu read /dev/null";
    return "kifu read " + folder() + readable[pick % 5];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Each input starts with no records written.
    ::unlink((folder() + "/a.棋譜").c_str());
    ::unlink((folder() + "/b.棋譜").c_str());
    kelvore::usi::Engine engine;
    if (size > 0 && (data[0] & 1) != 0) engine.form().ComLevel = 4 + ((data[0] >> 1) & 1);
    kelvore::usi::StringSink out;
    kelvore::usi::Front front(engine, out);
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    int lines = 0;
    for (std::string line; std::getline(in, line) && lines < 64; ++lines) {
        std::istringstream words(line);
        std::string first, second, third;
        words >> first >> second >> third;
        if (first == "match" || first == "bench") continue;
        if (first == "kifu") {
            std::string rest;
            std::getline(words, rest);
            line = kifuLine(second, third, rest);
        }
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
