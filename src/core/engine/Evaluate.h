// The engine's evaluation: material on the board and in hand, piece-square terms, the second
// life a prince gives, the safety of the royal pieces, the reach of the long-range pieces and
// their threats to promote, each a feature times a generated weight (EvalTerms.h,
// EvalWeights.generated.h). Symmetric: the position turned half a circle with the sides
// exchanged scores the same for the side to move.
#pragma once

#include "engine/Position.h"

namespace kelvore::engine {

// The score of the position for the side to move, in centipawns.
int evaluate(const Position& pos);

// Its material part alone (pieces, hands, the second royal piece, the move): the rest of the
// evaluation seldom moves it by more than kLazyMargin.
int materialScore(const Position& pos);

namespace eval {
inline constexpr int kLazyMargin = 700;
} // namespace eval

} // namespace kelvore::engine
