// Hands out the moves of a position best first, so that a cut-off comes early: the hash move
// before anything is generated, then the captures that do not lose material in the exchange by
// what they win (least valuable attacker first), promotions, the killer moves of the ply, the
// quiet moves that check a royal piece, the other quiet moves by their history, and last the
// captures that lose material. Captures are generated only when the hash move did not suffice,
// quiet moves only when no capture did.
#pragma once

#include "engine/MoveGen.h"
#include "engine/Position.h"

namespace kelvore::engine {

class MovePicker {
public:
    // For the main search. `killers` holds two moves, `history` the history scores by piece and
    // target square.
    MovePicker(const Position& pos, Mv ttMove, const Mv* killers, const int (*history)[SQUARE_NB]);
    // For the quiescence search: captures (promoted where the mover may promote), or every move
    // when the side to move must save its last royal piece.
    MovePicker(const Position& pos, bool everyMove);

    // The next move, or a none move when all have been handed out.
    Mv next();
    // From now on no more quiet moves except checks: the caller prunes them.
    void skipQuiets() { skipQuiets_ = true; }
    // Of the quiet moves only those that check a royal piece (set before the first next()).
    void checksOnly() { checksOnly_ = true; }
    // True when the move next() returned last checks a royal piece (as givesCheck, but known
    // without a look for the moves handed out among the checks or the other quiet moves).
    bool lastGivesCheck() const;
    // True when the position had no move at all (known once next() has returned none).
    bool none() const { return handedOut_ == 0; }

    // What a capture wins, for ordering; the last royal piece above everything.
    static int victimValue(Piece captured);

private:
    struct Scored {
        Mv move;
        int score;
    };
    static constexpr int kMaxChecks = 96;
    static constexpr int kMaxBadCaptures = 128;

    int scoreOf(Mv m) const;
    void fill(GenType type);
    Mv pick();
    bool usableKiller(Mv k) const;
    bool handedBefore(Mv m) const;

    const Position& pos_;
    Mv ttMove_{}, killer1_{}, killer2_{};
    const Mv* killers_ = nullptr;
    const int (*history_)[SQUARE_NB] = nullptr;
    bool everyMove_ = false;
    int stage_ = 0;
    int current_ = 0, size_ = 0;
    int ordered_ = 0; // moves_[0, ordered_) are handed out best first, the rest as they are
    int handedOut_ = 0;
    bool sorted_ = false;
    bool skipQuiets_ = false;
    bool checksOnly_ = false;
    Mv checks_[kMaxChecks];
    int checkCount_ = 0;
    bool checksCut_ = false;
    Mv last_{};
    Mv badCaptures_[kMaxBadCaptures];
    int badCount_ = 0, badCurrent_ = 0;
    Scored moves_[MAX_MOVES];
};

} // namespace kelvore::engine
