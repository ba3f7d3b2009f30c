// Fuzzes the engine front's command loop: any bytes as lines of commands, taken by the same
// loop as the program's input, with the commands running on its worker. Every input ends in
// bounded time: a deep perft and an endless search are followed by `stop` at once (the partial
// count and the position after it are checked by the loop itself), a `go ponder` by `stop` or
// by `ponderhit` (after which it searches on its clock), the amounts a `go` names are made
// small (times to 20 ms, depth to 3, nodes to 5000) while zeros and missing clocks stay as
// written, MoveTime is kept small for a `go` with no finite limit of its own, every
// `kifu analyse` carries a small node limit, and commands that only take long (matches, the
// bench) are left out. The first byte's lowest bit chooses a searching level for `go`. The path
// of a kifu command is turned into one of a few of the fuzzer's own: two record files, a
// folder, a FIFO, a device and a missing file, so that records are written and read back but
// nothing else is touched.
#include "Front.h"
#include "Output.h"
#include "Protocol.h"

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

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

// A number word made no larger than `most`; other words as they are.
std::string capped(const std::string& word, unsigned long long most) {
    if (word.empty() || word.size() > 19 ||
        word.find_first_not_of("0123456789") != std::string::npos)
        return word;
    return std::to_string(std::min(std::stoull(word), most));
}

// The line with the value after each limit of `go`, or after MoveTime's `value`, made small.
std::string withSmallAmounts(const std::string& line, bool& infinite, bool& ponder) {
    std::istringstream in(line);
    std::vector<std::string> w;
    for (std::string s; in >> s;) w.push_back(s);
    infinite = ponder = false;
    for (std::size_t i = 1; i < w.size(); ++i) {
        const std::string& key = w[i - 1];
        if (w[0] == "go") {
            infinite = infinite || w[i] == "infinite";
            ponder = ponder || w[i] == "ponder";
            if (key == "depth")
                w[i] = capped(w[i], 3);
            else if (key == "nodes")
                w[i] = capped(w[i], 5000);
            else if (key == "btime" || key == "wtime" || key == "byoyomi" || key == "binc" ||
                     key == "winc" || key == "movetime")
                w[i] = capped(w[i], 20);
        } else if (key == "value" && w[0] == "setoption") {
            w[i] = capped(w[i], 10);
        }
    }
    std::string out;
    for (const std::string& s : w) out += (out.empty() ? "" : " ") + s;
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Each input starts with no records written.
    ::unlink((folder() + "/a.棋譜").c_str());
    ::unlink((folder() + "/b.棋譜").c_str());
    kelvore::usi::Protocol engine;
    if (size > 0 && (data[0] & 1) != 0) engine.form().ComLevel = 4 + ((data[0] >> 1) & 1);
    kelvore::usi::StringSink out;
    kelvore::usi::Front front(engine, out);
    front.take("setoption name MoveTime value 10");
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
        bool infinite = false, ponder = false;
        if (first == "go" || first == "setoption") line = withSmallAmounts(line, infinite, ponder);
        // From depth 3 on a count may take long (a stop after a refused one does no harm).
        const bool deepPerft =
            first == "perft" && second != "0" && second != "1" && second != "2" &&
            (second != "judge" || third.size() != 1 || third[0] < '0' || third[0] > '2');
        if (!front.take(line)) break;
        if (ponder && !infinite && line.size() % 2 == 1) {
            front.take("ponderhit"); // the search goes on under its clock, and ends by it
            front.finish();
        } else if (infinite || ponder || deepPerft) {
            front.take("stop");
        } else {
            front.finish();
        }
    }
    front.endOfInput();
    front.finish();
    return 0;
}
