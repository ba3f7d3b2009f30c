// Reading the engine protocol's text: the words of a line, the `position` command, and a
// written move turned into the game's move. The engine front, the window's sharing commands
// and the gauntlet's referee all read USI text here; SFEN and the move letters are in Sfen.h.
#pragma once

#include "Form1.h"
#include "notation/Sfen.h"
#include "rules/TrialMove.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvore::notation {

// The words of a line, split at blanks, tabs and line ends.
std::vector<std::string> words(std::string_view line);

// What a `position` command names, read but not yet judged.
struct PositionText {
    enum class Fault {
        None,
        NoStart,  // `position` followed by neither `startpos` nor `sfen`
        NotMoves, // a word other than `moves` after `startpos`
    };
    Fault fault = Fault::None;
    bool startpos = false;
    std::string sfen;               // the SFEN's words joined by one blank; kStartSfen for startpos
    std::vector<std::string> moves; // the words after `moves`
};
// Reads `position startpos [moves <move> ...]` or `position sfen <sfen> [moves <move> ...]`
// from its words. When the first word is not `position`, reads the forms a pasted text may
// take: `sfen <sfen> [moves ...]`, or the SFEN itself followed by the same.
PositionText readPosition(const std::vector<std::string>& words);

// The game's move that a written USI move names for `side` (-1 lower, +1 upper) on `board`
// (codes as Form1::Board holds them), not yet judged: a drop of its kind from that side's hand,
// or the piece on its origin, promoted when the text ends in '+'. Nothing when the origin holds
// no piece of that side.
std::optional<Move> moveOn(const UsiMove& move, const int board[10][10], int side);

// The move `text` names for `side`, as the game's judge (acceptedMove) accepts it in the
// position on f's board; nothing when the text is no move of the game there.
std::optional<Move> playedMove(Form1& f, int side, std::string_view text);

} // namespace kelvore::notation
