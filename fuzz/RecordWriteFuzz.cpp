// Fuzzes the record writer's round trip: three header texts and a game of legal moves with
// any thinking times, all from the input, written as a ".棋譜" file and read back. The writer
// refuses exactly the headers a record cannot hold; anything it writes reads back as written.
//
// Input: the three header texts, each ended by a 0 byte, then one byte a move (which of the
// legal moves), then two bytes a clock reading.
#include "Protocol.h"
#include "record/RecordFile.h"
#include "rules/TrialMove.h"
#include "text/Files.h"
#include "text/ShiftJis.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

using namespace kelvore;

const std::string& recordPath() {
    static const std::string path = [] {
        char pattern[] = "/tmp/kelvore-fuzz-XXXXXX";
        return std::string(mkdtemp(pattern)) + "/w.棋譜";
    }();
    return path;
}

// What a column of five digits holds for a time total.
long long column(double seconds) {
    const double whole = std::floor(seconds);
    return whole < 0 ? 0 : whole > 99999 ? 99999 : static_cast<long long>(whole);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::string header[3];
    std::size_t at = 0;
    for (std::string& h : header) {
        const std::size_t end = input.find('\0', at);
        if (end == std::string::npos) return 0;
        h = input.substr(at, end - at);
        at = end + 1;
    }

    usi::Protocol engine;
    Form1& f = engine.form();
    int moves = 0;
    for (; at < size && moves < 200; ++at, ++moves) {
        if (hasLostAllRoyals(f, -1) || hasLostAllRoyals(f, 1)) break;
        f.調査_2歩フラグ設定();
        MoveList list;
        generateMoves(f, engine.sideToMove(), list);
        if (list.size == 0) break;
        engine.playMove(list.moves[data[at] % list.size]);
    }
    // Thinking times from the rest of the input: fractions, and totals past five digits.
    double clock[2] = {0, 0};
    for (int i = 1; i <= f.KifuCursor; ++i) {
        const bool upper = f.Kifu.MovedPiece[i] > 0;
        double spent = 0;
        if (at + 1 < size) {
            spent = (data[at] | data[at + 1] << 8) * (data[at] & 1 ? 0.37 : 3.1);
            at += 2;
        }
        f.Kifu.ManTimeBefore[i] = clock[0];
        f.Kifu.ComTimeBefore[i] = clock[1];
        clock[upper ? 1 : 0] += spent;
        f.Kifu.ManTimeAfter[i] = clock[0];
        f.Kifu.ComTimeAfter[i] = clock[1];
    }

    const std::string& path = recordPath();
    ::unlink(path.c_str());
    const std::string error = f.書込_棋譜ファイル(path, header[0], header[1], header[2]);
    bool writable = true;
    for (const std::string& h : header)
        if (h.find_first_of("\r\n") != std::string::npos || !text::toShiftJis(h)) writable = false;
    if (error.empty() != writable) std::abort();
    if (!writable) {
        if (::access(path.c_str(), F_OK) == 0) std::abort(); // a refusal writes nothing
        return 0;
    }

    const text::ReadResult file = text::readFile(path, kRecordFileLimit);
    if (!file.ok()) std::abort();
    const RecordFile r = readRecord(file.bytes);
    if (!r.error.empty() || r.damagedAt != 0) std::abort();
    // The header comes back as Shift-JIS holds it (the code page maps a few characters on).
    for (int i = 0; i < 3; ++i)
        if (r.header[i] != *text::fromShiftJis(*text::toShiftJis(header[i]))) std::abort();
    if (static_cast<int>(r.moves.size()) != f.KifuCursor) std::abort();
    for (int i = 1; i <= f.KifuCursor; ++i) {
        const RecordMove& m = r.moves[i - 1];
        if (m.FromX != f.Kifu.FromX[i] || m.FromY != f.Kifu.FromY[i] || m.ToX != f.Kifu.ToX[i] ||
            m.ToY != f.Kifu.ToY[i] || m.MovedPiece != f.Kifu.MovedPiece[i] ||
            m.PlacedPiece != f.Kifu.PlacedPiece[i] || m.CapturedPiece != f.Kifu.CapturedPiece[i] ||
            m.ManTimeBefore != column(f.Kifu.ManTimeBefore[i]) ||
            m.ManTimeAfter != column(f.Kifu.ManTimeAfter[i]) ||
            m.ComTimeBefore != column(f.Kifu.ComTimeBefore[i]) ||
            m.ComTimeAfter != column(f.Kifu.ComTimeAfter[i]))
            std::abort();
    }
    return 0;
}
