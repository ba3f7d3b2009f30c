// Reading game-record files (".棋譜"): three header lines, then one fixed-column line a move.
#pragma once

#include "Form1.h"

#include <string>
#include <vector>

namespace kelvore {

struct RecordMove {
    int FromX = 0, FromY = 0, ToX = 0, ToY = 0, PlacedPiece = 0, MovedPiece = 0, CapturedPiece = 0;
    double ManTimeBefore = 0, ManTimeAfter = 0, ComTimeBefore = 0, ComTimeAfter = 0;
};

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
inline constexpr const char* kRecordTooLarge = "棋譜ﾌｧｲﾙが大きすぎます";

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
