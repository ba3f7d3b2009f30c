// Fuzzes the engine front's command line: any bytes as lines of commands. Commands that only
// take long (matches, deep perft, the bench) are left out. The path of a kifu command is
// turned into one of a few of the fuzzer's own: two record files, a folder, a FIFO, a device
// and a missing file, so that records are written and read back but nothing else is touched.
#include "Engine.h"

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

// "kifu read <path>" or "kifu write <path> <names>" with the path replaced by one of ours.
std::string kifuLine(const std::string& verb, const std::string& path, const std::string& rest) {
    const char* const readable[] = {"/a.棋譜", "/b.棋譜", "/folder.棋譜", "/fifo.棋譜",
                                    "/none.棋譜"};
    const unsigned pick = path.empty() ? 0 : static_cast<unsigned char>(path[0]);
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
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::ostringstream out;
    int lines = 0;
    for (std::string line; std::getline(in, line) && lines < 64; ++lines) {
        std::istringstream words(line);
        std::string first, second, third;
        words >> first >> second >> third;
        if (first == "match" || first == "bench") continue;
        if (first == "perft" && second.size() == 1 && second > "2") continue;
        if (first == "perft" && second.size() > 1) continue;
        if (first == "kifu") {
            std::string rest;
            std::getline(words, rest);
            line = kifuLine(second, third, rest);
        }
        if (!engine.handle(line, out)) break;
    }
    return 0;
}
