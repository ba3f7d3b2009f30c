// A whole game as the rooms beside the board take it (kept games, the move list, the analysis,
// KIF): where it started, every move in order with both sides' clocks, and who played. The
// history in Form1 and a record file both become one of these.
#pragma once

#include "Form1.h"
#include "engine/Searcher.h"
#include "notation/MoveText.h"
#include "record/RecordFile.h"

#include <optional>
#include <string>
#include <vector>

namespace kelvore {

struct GameRecord {
    std::string title;       // the game's name (対局名)
    std::string upperPlayer; // who played the upper side
    std::string lowerPlayer; // who played the lower side
    // The position before the first move; its side to move is the side that moved first.
    engine::GameSnapshot start;
    std::vector<RecordMove> moves;
    // How it ended beyond its moves (resigned, lost on time, adjourned), after its last move.
    GameEnd end;
};

// The starting position of every game without a handicap, `firstMover` to move (-1 the lower
// side, +1 the upper side).
engine::GameSnapshot standardStart(int firstMover);
// True when board and hands are those of the standard start (the side to move aside).
bool isStandardStart(const engine::GameSnapshot& position);

// Plays a recorded move on a position: board, hands and side to move. False, with the
// position unchanged, when the move does not fit it (no such piece there, a piece not in hand,
// a capture that is not on the board).
bool applyMove(engine::GameSnapshot& position, const RecordMove& move);

// The game held in the history: every recorded move (1..KifuLength), the start recovered by
// taking the applied moves (1..KifuCursor) back from the board, and Form1::End when the game
// ended after all of them. Nothing when an applied move does not fit the board (a reversed
// board, say).
std::optional<GameRecord> recordOfHistory(const Form1& f);

// A game read from a record file: the standard start, the first move's side moving first.
GameRecord recordOfFile(const RecordFile& file);

// The positions of a game: element i is the position before move i + 1, so there is one more
// than there are moves; ends early at a move that does not fit.
std::vector<engine::GameSnapshot> positionsOf(const GameRecord& game);

// The mark of move `index` (0-based): ▲ for the side that moved first, △ for the other.
notation::Mark markOf(const GameRecord& game, std::size_t index);

// Move `index` (0-based) as the player reads it, in the chosen notation (notation/MoveText.h):
// in standard Japanese notation 同 where it takes on the square of the move before it.
// `before` is the position the move is played in (positionsOf(game)[index]); without it the
// game is played up to the move.
std::string moveTextOf(const GameRecord& game, std::size_t index);
std::string moveTextOf(const GameRecord& game, std::size_t index,
                       const engine::GameSnapshot& before);

// The whole seconds the mover spent on move `index` (0-based), from the clocks recorded with it
// (record/MoveTime.h: as the record and the clocks count them).
long long secondsOf(const GameRecord& game, std::size_t index);

// The whole game in the game's own record format, as the record writer writes the applied
// moves: the title and the upper and lower players' names, then one line a move (UTF-8,
// CR LF). Only a game from the standard start reads back as it was played.
std::string recordText(const GameRecord& game);

// Writes recordText as Shift-JIS through a temporary file; empty on success, else why not in
// Japanese.
std::string writeRecordFile(const std::string& path, const GameRecord& game);

} // namespace kelvore
