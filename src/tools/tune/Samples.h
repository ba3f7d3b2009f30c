// The tuner's positions: read from the gauntlet's game records, each taken to the quiet position
// the quiescence search judges, counted into the evaluation's features, and paired with the
// result of its game. And the weights themselves: as the build has them, which of them may move,
// and written back as the generated header.
#pragma once

#include "Fit.h"
#include "engine/Position.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace kelvore::tune {

// The feature counts of a position from the lower side's view, the side to move included.
std::vector<int> featuresOf(const engine::Position& pos);

struct SampleOptions {
    int skipPlies = 0;   // positions before this ply of a game are left out
    int every = 1;       // every n-th position of a game is taken
    int maxScore = 3000; // positions the quiescence search scores beyond this are left out
};

struct SampleCount {
    int games = 0, positions = 0, badLines = 0;
};

// Reads game records (lines "<1-0|0-1|1/2-1/2> <reason> <plies> sfen <sfen> [moves ...]",
// as kelvore-gauntlet writes them) and adds their positions to `data`.
SampleCount addGames(std::istream& in, const SampleOptions& options, Dataset& data);

// The weights the build uses, and which of them the fit may move: not the ones of kinds or
// counts that cannot occur, not the king's worth, not the danger 0 that others are measured
// from.
std::vector<double> currentWeights();
std::vector<bool> tunableWeights();

// Writes EvalWeights.generated.h with the given weights.
void writeWeights(std::ostream& out, const std::vector<int>& weights, const std::string& note);

} // namespace kelvore::tune
