#include "record/RecordFile.h"

#include "platform/NullPlatform.h"
#include "rules/StartingPosition.h"
#include "rules/TrialMove.h"
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

// A whole number of seconds in a five-character column; a total past 99999 s (nearly 28
// hours of thinking) is written as 99999.
long long fiveDigits(double seconds) {
    const double whole = std::floor(seconds);
    if (whole < 0) return 0;
    return whole > 99999 ? 99999 : static_cast<long long>(whole);
}

bool onBoard(int x, int y) {
    return x >= 1 && x <= 9 && y >= 1 && y <= 9;
}

// Plays recorded moves on a game of its own, judging each with the game's own rules before it
// is played; the game being played or viewed is never touched.
class RecordJudge {
public:
    RecordJudge() { placeStartingPosition(form_.Board); }

    // Plays the move, or says why the game would not have allowed it.
    std::string play(const RecordMove& m) {
        Form1& f = form_;
        if (hasLostAllRoyals(f, -1) || hasLostAllRoyals(f, 1)) return "勝負が付いた後の指し手です";
        if (!isPieceCode(m.MovedPiece) || !isPieceCode(m.PlacedPiece))
            return "駒の番号が正しくありません";
        const int side = m.MovedPiece < 0 ? -1 : 1;
        if (side_ != 0 && side != side_) return "手番の順が正しくありません";
        if (!onBoard(m.ToX, m.ToY)) return "移動先が盤の外です";
        if (f.Board[m.ToX][m.ToY] != m.CapturedPiece) return "取った駒が盤面と合いません";

        Move move{m.FromX, m.FromY, m.ToX, m.ToY, m.MovedPiece, m.PlacedPiece};
        if (m.FromX == 11 || m.FromX == -1) {
            // The hand row in FromY is where the human clicked, or the slot for the computer:
            // the slot comes from the piece.
            const int slot = handSlot(m.MovedPiece);
            if (slot == 0 || m.MovedPiece != side * kSlotKind[slot] ||
                m.PlacedPiece != m.MovedPiece)
                return "打てない駒を打っています";
            if ((m.FromX == 11) != (side < 0)) return "持駒の側が合いません";
            if ((side < 0 ? f.OwnHand : f.EnemyHand)[slot] <= 0)
                return "持っていない駒を打っています";
            move.fromY = side < 0 ? slot + 2 : slot;
            f.調査_2歩フラグ設定();
            if (f.移動チェック(move.fromX, move.fromY, m.ToX, m.ToY, m.MovedPiece) != 1) {
                if (m.CapturedPiece != 0) return "駒のある所に打っています";
                const bool pawn = m.MovedPiece == side * HU;
                if (pawn && (side < 0 ? f.ManPawnFile : f.ComPawnFile)[m.ToX] == 1)
                    return "二歩です";
                return "その段には打てません";
            }
        } else {
            if (!onBoard(m.FromX, m.FromY)) return "移動元が盤の外です";
            if (f.Board[m.FromX][m.FromY] != m.MovedPiece) return "移動元に動かす駒がありません";
            if (f.移動チェック(m.FromX, m.FromY, m.ToX, m.ToY, m.MovedPiece) != 1)
                return "その駒はそこへ動けません";
            if (m.PlacedPiece != m.MovedPiece) {
                if (f.調査_駒成(m.FromX, m.FromY, m.ToX, m.ToY, m.MovedPiece) != 1 ||
                    f.PromotedCode != m.PlacedPiece)
                    return "成れない駒が成っています";
            } else if (f.移動後チェック(m.ToY, m.MovedPiece) != 1) {
                return "成らなければならない駒が成っていません";
            }
        }
        makeMove(f, move);
        side_ = -side;
        return {};
    }

private:
    NullPlatform null_;
    Form1 form_{null_.platform};
    int side_ = 0; // the side to move next: -1 lower, +1 upper, 0 before the first move
};

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
        r.error = kRecordTooLarge;
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
