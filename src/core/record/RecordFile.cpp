#include "record/RecordFile.h"
#include "platform/Translate.h"

#include "record/MoveTime.h"
#include "record/RecordJudge.h"
#include "text/ShiftJis.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace kelvore {

using namespace piece;

long long leadingNumber(std::string_view t) {
    std::size_t i = 0;
    while (i < t.size() && (t[i] == ' ' || t[i] == '\t')) ++i;
    bool negative = false;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) negative = t[i++] == '-';
    long long v = 0;
    for (; i < t.size() && std::isdigit(static_cast<unsigned char>(t[i])); ++i) {
        if (v > 1'000'000'000'000LL) break; // far past any column's width
        v = v * 10 + (t[i] - '0');
    }
    return negative ? -v : v;
}

namespace {

int column(std::string_view line, std::size_t first, std::size_t width) {
    if (first >= line.size()) return 0;
    const long long v = leadingNumber(line.substr(first, width));
    return static_cast<int>(std::max(-99999LL, std::min(99999LL, v)));
}

// A total's whole seconds in a five-character column; a total past 99999 s (nearly 28 hours
// of thinking) is written as 99999.
long long fiveDigits(double seconds) {
    return std::clamp(wholeSeconds(seconds), 0LL, 99999LL);
}

} // namespace

Move moveOf(const RecordMove& m) {
    Move move{m.FromX, m.FromY, m.ToX, m.ToY, m.MovedPiece, m.PlacedPiece};
    if (move.isDrop()) {
        // From the hand column it was recorded from, at the row of the piece's slot there.
        move = Move::drop(m.FromX == 11 ? -1 : 1, std::abs(m.MovedPiece), m.ToX, m.ToY);
        move.moved = m.MovedPiece;
        move.placed = m.PlacedPiece;
    }
    return move;
}

RecordMove recordMoveOf(const Move& m, int captured) {
    RecordMove r;
    r.FromX = m.fromX;
    r.FromY = m.fromY;
    r.ToX = m.toX;
    r.ToY = m.toY;
    r.MovedPiece = m.moved;
    r.PlacedPiece = m.placed;
    r.CapturedPiece = captured;
    return r;
}

bool operator==(const RecordMove& a, const RecordMove& b) {
    return moveOf(a) == moveOf(b) && a.CapturedPiece == b.CapturedPiece;
}

RecordMove parseMoveLine(std::string_view line) {
    RecordMove m;
    m.FromX = column(line, 0, 2);
    m.FromY = column(line, 2, 1);
    m.ToX = column(line, 3, 1);
    m.ToY = column(line, 4, 1);
    m.PlacedPiece = column(line, 5, 4);
    m.MovedPiece = column(line, 9, 4);
    m.CapturedPiece = column(line, 13, 4);
    m.ManTimeBefore = column(line, 17, 5);
    m.ManTimeAfter = column(line, 22, 5);
    m.ComTimeBefore = column(line, 27, 5);
    m.ComTimeAfter = column(line, 32, 5);
    return m;
}

std::string formatMoveLine(int fromX, int fromY, int toX, int toY, int placed, int moved,
                           int captured, double manBefore, double manAfter, double comBefore,
                           double comAfter) {
    char line[64];
    std::snprintf(line, sizeof line, "%2d%1d%1d%1d%4d%4d%4d%5lld%5lld%5lld%5lld", fromX, fromY, toX,
                  toY, placed, moved, captured, fiveDigits(manBefore), fiveDigits(manAfter),
                  fiveDigits(comBefore), fiveDigits(comAfter));
    return line;
}

std::string formatMoveLine(const RecordMove& m) {
    return formatMoveLine(m.FromX, m.FromY, m.ToX, m.ToY, m.PlacedPiece, m.MovedPiece,
                          m.CapturedPiece, m.ManTimeBefore, m.ManTimeAfter, m.ComTimeBefore,
                          m.ComTimeAfter);
}

RecordFile readRecord(std::string_view bytes) {
    RecordFile r;
    if (bytes.size() > kRecordFileLimit) {
        r.error = translate("Record", kRecordTooLarge);
        return r;
    }
    const std::vector<std::string> lines = text::splitLines(bytes);
    if (lines.size() < 3) {
        r.error =
            translate("Record", "棋譜ﾌｧｲﾙの形式が正しくありません\r（見出しの3行がありません）");
        return r;
    }
    for (int i = 0; i < 3; ++i) {
        const auto utf8 = text::fromShiftJis(lines[i]);
        if (!utf8) {
            r.error = translate("Record", "棋譜ﾌｧｲﾙの見出しがShift-JISとして読めません");
            return r;
        }
        r.header[i] = *utf8;
    }

    const auto judge = std::make_unique<RecordJudge>();

    for (std::size_t i = 3; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (i + 1 == lines.size() && line.empty()) break; // the end of the last line
        const RecordMove m = parseMoveLine(line);
        const std::string why = judge->play(m);
        if (!why.empty()) {
            r.damagedAt = static_cast<int>(r.moves.size()) + 1;
            r.damage = why;
            break;
        }
        r.moves.push_back(m);
    }
    return r;
}

} // namespace kelvore
