// Positions and moves as text: SFEN with the game's extra pieces (E elephant, +E prince), and
// USI move notation. Board (x, y) is file 10 - x, rank 'a' + y - 1.
#pragma once

#include "Form1.h"
#include "rules/TrialMove.h"

#include <optional>
#include <string>

namespace kelvore::usi {

// A position read from SFEN, not yet placed into the game.
struct Position {
    int board[10][10]{};
    int lowerHand[8]{};
    int upperHand[8]{};
    int sideToMove = -1; // -1 the lower side ("b"), +1 the upper side ("w")
    int moveNumber = 1;
};

inline constexpr const char* kStartSfen =
    "lnsgkgsnl/1r2e2b1/ppppppppp/9/9/9/PPPPPPPPP/1B2E2R1/LNSGKGSNL b - 1";

// Parses SFEN; on failure returns nothing and says why in `error` (in English, for programs).
std::optional<Position> parseSfen(const std::string& text, std::string& error);
std::string formatSfen(const Form1& f, int sideToMove, int moveNumber);

// Writes a parsed position into the game: board, hands and their totals.
void place(Form1& f, const Position& p);

// A move as written, before it is judged against a position.
struct MoveText {
    bool drop = false;
    int dropKind = 0; // piece kind for a drop (10, 20, ... 900)
    int fromX = 0, fromY = 0, toX = 0, toY = 0;
    bool promote = false;
};
std::optional<MoveText> parseMove(const std::string& text);
std::string formatMove(const Move& m);

// The letter of a code for SFEN and for the text board ("+E", "p", ...).
std::string pieceLetters(int code);

} // namespace kelvore::usi
