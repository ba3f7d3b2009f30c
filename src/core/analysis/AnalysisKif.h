// The judgement of a game kept in its KIF, as KIF programs keep their evaluations: after each
// move line (and before the first, for the start) the comment lines
//   *#評価値=<the position's score in centipawns from ▲'s side>
//   *#読み筋=<the engine's line from that position, in notation>
// and, after a marked move, "*<mark>　<reason>". A mate is written as ±(kMateUnits - plies),
// beyond any material, and read back as one. Reading takes the evaluations of any program
// that writes them so: the graph shows them without searching again.
#pragma once

#include "analysis/GameAnalysis.h"
#include "kif/Kif.h"

namespace kelvore::analysis {

// The comment lines of the judgement, put in `kif.comments` (which it replaces): for every
// position searched, its evaluation and line, and for every marked move its mark and reason.
// `withCandidates` adds, for the program's own store, the next best moves of each position
// ("*#候補手=<score from ▲'s side> <line>"), which other programs would show as comments.
void writeJudgement(const GameAnalysis& judged, kif::KifGame& kif, bool withCandidates = false);

// The judgement a KIF's comments hold, for the game the KIF holds: a verdict for each position
// with an evaluation, its line as written; the reasons as written. Nothing is searched.
// Positions without an evaluation stay unsearched.
void readJudgement(const kif::KifGame& kif, GameAnalysis& judged);

// True when the KIF's comments hold at least one evaluation.
bool hasJudgement(const kif::KifGame& kif);

} // namespace kelvore::analysis
