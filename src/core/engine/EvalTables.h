// The fixed part of the engine's evaluation: what each piece is worth on each square and in
// hand, summed from the generated weights. The position keeps their sum up to date as moves
// are made, so the evaluation reads it for free. Values are in centipawns from the lower side's
// view: the upper side's pieces count negative, on the square turned half a circle (a piece's
// worth depends only on where it stands relative to its own side).
#pragma once

#include "engine/EvalFeatures.h"
#include "engine/EvalWeights.generated.h"
#include "engine/Types.h"

#include <algorithm>

namespace kelvore::engine::eval {

// The worth of a kind on the board, and of the first piece of a kind in hand (for the exchange
// arithmetic and the move order; the evaluation itself reads the whole tables).
constexpr int pieceValue(int kind) {
    return kWeights[feature::Material + kind];
}
constexpr int handValue(int kind) {
    return kWeights[feature::Hand + kind * kHandSlots + 1];
}

struct Tables {
    int pieceSquare[PIECE_NB][SQUARE_NB]; // lower view
    int hand[2][kHandKinds][128];         // worth of n pieces of a kind in hand, lower view
};

constexpr Tables makeTables() {
    Tables t{};
    for (int kind = 1; kind < KIND_NB; ++kind)
        for (int y = 1; y <= 9; ++y)
            for (int x = 1; x <= 9; ++x)
                for (Color c : {LOWER, UPPER}) {
                    const Square s = square(x, y);
                    const int v =
                        kWeights[feature::Material + kind] +
                        kWeights[feature::PieceSquare + kind * kHalfBoard + halfSquare(c, s)];
                    t.pieceSquare[makePiece(c, kind)][s] = c == LOWER ? v : -v;
                }
    for (int kind = 1; kind < kHandKinds; ++kind) {
        int sum = 0;
        for (int n = 1; n < 128; ++n) {
            // Each further piece of a kind has a worth of its own; beyond the most a side can
            // hold (a malformed position) the last one's repeats.
            sum += kWeights[feature::Hand + kind * kHandSlots + std::min(n, handLimit(kind))];
            t.hand[LOWER][kind][n] = sum;
            t.hand[UPPER][kind][n] = -sum;
        }
    }
    return t;
}

inline constexpr Tables kTables = makeTables();

} // namespace kelvore::engine::eval
