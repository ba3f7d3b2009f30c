// Positions and moves as the engine protocol writes them: SFEN with the game's extra pieces
// (E the elephant, +E the prince), and USI move text ("7g7f", "5b5c+", "P*5e"). Board (x, y) is
// file 10 - x, rank 'a' + y - 1. The engine front and the window both read and write these.
#pragma once

#include "Form1.h"
#include "engine/Position.h"
#include "engine/Searcher.h"
#include "rules/TrialMove.h"

#include <optional>
#include <string>

namespace kelvore::notation {

// A position read from SFEN, not yet placed into the game.
struct SfenPosition {
    int board[10][10]{};
    int lowerHand[8]{};
    int upperHand[8]{};
    int sideToMove = -1; // -1 the lower side ("b"), +1 the upper side ("w")
    int moveNumber = 1;
};

inline constexpr const char* kStartSfen =
    "lnsgkgsnl/1r2e2b1/ppppppppp/9/9/9/PPPPPPPPP/1B2E2R1/LNSGKGSNL b - 1";

enum class Language { English, Japanese };

// Parses SFEN; on failure returns nothing and says why in `error`: in English for programs, or
// in Japanese for the window.
// Only the text is checked: a board of 9 ranks of 9 squares, known letters, b or w, hand counts
// up to 18 and a positive move number. Whether the pieces make a position of the game is
// another question (kif/PositionCheck.h).
std::optional<SfenPosition> parseSfen(const std::string& text, std::string& error,
                                      Language language = Language::English);
std::string formatSfen(const Form1& f, int sideToMove, int moveNumber);
std::string formatSfen(const engine::GameSnapshot& position, int moveNumber);

// Writes a parsed position into the game: board, hands and their totals.
void place(Form1& f, const SfenPosition& p);
// Sets the engine's position to a parsed one.
void place(engine::Position& pos, const SfenPosition& p);
// Sets the engine's position from SFEN; false, with why in `error`, when it cannot be read.
bool setFromSfen(engine::Position& pos, const std::string& sfen, std::string& error);
// The parsed position as the search and the records take it.
engine::GameSnapshot snapshotOf(const SfenPosition& p);

// A move as written, before it is judged against a position.
struct UsiMove {
    bool drop = false;
    int dropKind = 0; // piece kind for a drop (10, 20, ... 900)
    int fromX = 0, fromY = 0, toX = 0, toY = 0;
    bool promote = false;
};
std::optional<UsiMove> parseUsiMove(const std::string& text);
std::string formatUsiMove(const Move& m);

// The letter of a code for SFEN and for the text board ("+E", "p", ...).
std::string pieceLetters(int code);

} // namespace kelvore::notation
