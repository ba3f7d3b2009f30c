// Reading game-record files (".棋譜"): three header lines, then one fixed-column line a move.
#pragma once

#include "Form1.h"
#include "platform/Translate.h"
#include "rules/TrialMove.h"

#include <string>
#include <vector>

namespace kelvore {

// A move as the game records it: the move (its fields in Move's order), the piece it took, and
// both sides' clocks before and after it. A drop's FromY is the hand row that was clicked,
// which need not be the row of the piece's slot: moveOf() gives the move itself.
struct RecordMove {
    int FromX = 0, FromY = 0, ToX = 0, ToY = 0, MovedPiece = 0, PlacedPiece = 0, CapturedPiece = 0;
    double ManTimeBefore = 0, ManTimeAfter = 0, ComTimeBefore = 0, ComTimeAfter = 0;

    // The same move of a game: the same Move (a drop from any row of the same hand) taking the
    // same piece. The clocks say how the move was played, not which move it was.
    friend bool operator==(const RecordMove& a, const RecordMove& b);
};

// A recorded move as the rules take it: a drop's from-row becomes the slot form of its side,
// (11, slot + 2) or (-1, slot), whatever row the hand was clicked on.
Move moveOf(const RecordMove& move);
// A move as a record holds it, taking `captured`, with no time spent.
RecordMove recordMoveOf(const Move& move, int captured);

struct RecordFile {
    std::string header[3]; // game name, upper player, lower player (UTF-8)
    std::vector<RecordMove> moves;
    // Why the file was refused, in Japanese; empty when it was read.
    std::string error;
    // When some move could not be played from the position before it: its number (1-based)
    // and why; the moves before it were kept.
    int damagedAt = 0;
    std::string damage;
};

// The largest record file read; far beyond any real game.
inline constexpr std::size_t kRecordFileLimit = 16 * 1024 * 1024;
inline constexpr const char* kRecordTooLarge =
    KELVORE_TRANSLATE_NOOP("Record", "棋譜ﾌｧｲﾙが大きすぎます");

// The numeric value of a column's text, leniently: leading blanks, a sign and digits; anything
// else ends the number, and no number at all is 0.
long long leadingNumber(std::string_view text);

// Reads the move line columns as the layout gives them.
RecordMove parseMoveLine(std::string_view line);
std::string formatMoveLine(int fromX, int fromY, int toX, int toY, int placed, int moved,
                           int captured, double manBefore, double manAfter, double comBefore,
                           double comAfter);
// The line a record file holds for a move.
std::string formatMoveLine(const RecordMove& move);

// Why a file could not be written, in Japanese, from the system's error number.
std::string recordWriteError(int error);

// Reads and checks a record file from its bytes. Every move must be one the game would have
// let that side play, in order, from the starting position: the sides take turns (the first
// move says which side began), each move passes 移動チェック, a promotion is one 調査_駒成
// allows and a piece that must promote does, a drop comes from the mover's own hand, and no
// move follows the loss of a side's last royal piece. The moves from the first one that fails
// are left out, and `damagedAt` and `damage` say which and why.
RecordFile readRecord(std::string_view bytes);

} // namespace kelvore
