#include "record/RecordFile.h"

#include "rules/StartingPosition.h"
#include "text/ShiftJis.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

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

// A whole number of seconds in a five-character column; a total past 99999 s (nearly 28
// hours of thinking) is written as 99999.
long long fiveDigits(double seconds) {
    const double whole = std::floor(seconds);
    if (whole < 0) return 0;
    return whole > 99999 ? 99999 : static_cast<long long>(whole);
}

bool isDropColumn(int x) {
    return x == -1 || x == 11;
}
bool onBoard(int x, int y) {
    return x >= 1 && x <= 9 && y >= 1 && y <= 9;
}

// Plays one recorded move onto the board and hands as 進 will, or says why it cannot be.
std::string playChecked(int board[10][10], int own[8], int enemy[8], const RecordMove& m) {
    if (!onBoard(m.ToX, m.ToY)) return "移動先が盤の外です";
    if (!isPieceCode(m.MovedPiece) || !isPieceCode(m.PlacedPiece))
        return "駒の番号が正しくありません";
    const int side = m.MovedPiece < 0 ? -1 : 1;
    if (m.PlacedPiece != m.MovedPiece && m.PlacedPiece != m.MovedPiece + side)
        return "成った駒が動かした駒と合いません";
    if (m.PlacedPiece != m.MovedPiece) {
        const int k = std::abs(m.MovedPiece);
        if (k != HU && k != KYOU && k != KEI && k != GIN && k != KAKU && k != SYA && k != ZOU)
            return "成れない駒が成っています";
    }
    if (board[m.ToX][m.ToY] != m.CapturedPiece) return "取った駒が盤面と合いません";
    if (m.CapturedPiece != 0 && (m.CapturedPiece < 0) == (side < 0))
        return "自分の駒を取っています";
    if (isDropColumn(m.FromX)) {
        const int slot = handSlot(m.PlacedPiece);
        int* hand = m.PlacedPiece < 0 ? own : enemy;
        if (slot == 0 || m.PlacedPiece != m.MovedPiece) return "打てない駒を打っています";
        if ((m.FromX == 11) != (m.PlacedPiece < 0)) return "持駒の側が合いません";
        if (hand[slot] <= 0) return "持っていない駒を打っています";
        if (m.CapturedPiece != 0) return "駒のある所に打っています";
        hand[slot] -= 1;
    } else {
        if (!onBoard(m.FromX, m.FromY)) return "移動元が盤の外です";
        if (board[m.FromX][m.FromY] != m.MovedPiece) return "移動元に動かす駒がありません";
        if (m.FromX == m.ToX && m.FromY == m.ToY) return "移動元と移動先が同じです";
        board[m.FromX][m.FromY] = 0;
    }
    board[m.ToX][m.ToY] = m.PlacedPiece;
    if (const int slot = handSlot(m.CapturedPiece); slot != 0)
        (m.CapturedPiece > 0 ? own : enemy)[slot] += 1;
    return {};
}

} // namespace

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

RecordFile readRecord(std::string_view bytes) {
    RecordFile r;
    if (bytes.size() > kRecordFileLimit) {
        r.error = "棋譜ﾌｧｲﾙが大きすぎます";
        return r;
    }
    const std::vector<std::string> lines = text::splitLines(bytes);
    if (lines.size() < 3) {
        r.error = "棋譜ﾌｧｲﾙの形式が正しくありません\r（見出しの3行がありません）";
        return r;
    }
    for (int i = 0; i < 3; ++i) {
        const auto utf8 = text::fromShiftJis(lines[i]);
        if (!utf8) {
            r.error = "棋譜ﾌｧｲﾙの見出しがShift-JISとして読めません";
            return r;
        }
        r.header[i] = *utf8;
    }

    int board[10][10];
    placeStartingPosition(board);
    int own[8] = {}, enemy[8] = {};

    for (std::size_t i = 3; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (i + 1 == lines.size() && line.empty()) break; // the end of the last line
        const RecordMove m = parseMoveLine(line);
        const std::string why = playChecked(board, own, enemy, m);
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
