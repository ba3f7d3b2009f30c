// Judges recorded moves with the game's own rules, on a game of its own: the game being played
// or viewed is never touched. Record files and KIF files are both checked move by move here.
#pragma once

#include "Form1.h"
#include "engine/Searcher.h"
#include "platform/NullPlatform.h"
#include "record/RecordFile.h"

#include <string>

namespace kelvore {

class RecordJudge {
public:
    // From the starting position; the first move says which side began.
    RecordJudge();
    // From `start`, its side to move moving first.
    explicit RecordJudge(const engine::GameSnapshot& start);

    // Plays the move, or says in Japanese why the game would not have allowed it: the sides
    // take turns, the move passes 移動チェック, a promotion is one 調査_駒成 allows and a piece
    // that must promote does, a drop comes from the mover's own hand, and no move follows the
    // loss of a side's last royal piece. A refused move leaves the position as it was.
    std::string play(const RecordMove& move);

    // The position after the moves played so far.
    const Form1& form() const { return form_; }

private:
    NullPlatform null_;
    Form1 form_{null_.platform};
    int side_ = 0; // the side to move next: -1 lower, +1 upper, 0 before the first move
};

} // namespace kelvore
