// What the engine says about one position of a game, and the scales its scores are read on:
// the loss of a move, the graph of a whole game and the text a player reads.
#pragma once

#include "engine/Searcher.h"
#include "rules/TrialMove.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kelvore::analysis {

// A score as the search gives it, from one side's view: centipawns, or with `mate` the signed
// number of plies until a last royal piece is taken (3: that side mates in one; -2: it is mated
// now and loses its royal piece on the next ply).
struct Score {
    int value = 0;
    bool mate = false;
    Score operator-() const { return {-value, mate}; }
    bool operator==(const Score&) const = default;
};

// One of the best moves of a position, its score and its line, from the view of the side to
// move there.
struct Candidate {
    Score score;
    std::vector<Move> line; // the move first
    std::string lineText;   // read from a file instead of `line`: the line as written there
    bool operator==(const Candidate&) const = default;
};

// The engine's answer for one position, from the view of the side to move there.
struct Verdict {
    bool searched = false; // its search has ended
    bool hasMove = false;  // false when the game is over in this position
    Score score;
    Move best;
    std::vector<Move> line; // the principal line, `best` first; empty without a move
    int depth = 0;
    std::uint64_t nodes = 0;
    // The best moves, best first (the first is `best` with `line`), as many as were asked for
    // and the position has; empty when the verdict was read from a file without them.
    std::vector<Candidate> candidates;
    // Read from a file rather than searched: the line as written there (`line` stays empty).
    std::string lineText;
};

// A forced win or loss counts as this many centipawns, less the plies it takes, so that it
// always weighs more than any material the board can hold.
inline constexpr int kMateUnits = 100000;
// The graph shows scores up to this many centipawns either way; a mate sits on the edge.
inline constexpr int kGraphClip = 2000;

// The score on the scale centipawn losses are measured in: centipawns as they are (nothing is
// clipped), a mate as ±(kMateUnits - plies).
int units(Score score);

// The score for the graph, clipped to ±kGraphClip.
int graphValue(Score score);

// The chance of winning in percent (0..100) that a score stands for, on the tuner's curve
// (engine/WinningChance.h); 100 or 0 for a mate.
double winningPercent(Score score);

// The score as a player reads it, in the words of the hint: "+350", "-120", "0", "勝ちまで 7手"
// and "負けまで 4手" (the plies until a last royal piece is taken), "詰み" (mated now, or the
// game is over).
std::string scoreText(Score score);

// The score as the engine front writes it: "cp 350" or "mate -2".
std::string usiScoreText(Score score);

} // namespace kelvore::analysis
