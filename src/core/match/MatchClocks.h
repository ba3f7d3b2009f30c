// The clocks of a match with a time control: they count down where the game's clocks stand,
// main time first and then the byoyomi, renewed at every move, with the increment added after
// every move; a side whose time runs out loses at once, through the game's end-of-game
// dialogue. They follow the same 50 ms timer tick and the same thinking times the game measures
// and records with every move: what a side has left is worked out from the history, so stepping
// with 戻 and 進 and playing on from a position shown need nothing of their own. With no time
// control the game never asks this room anything (Form1::持ち時間制).
//
// Shown or not (経過時間), the clocks count and the loss on time comes; the last ten seconds a
// human side may still spend on a move tick once a second with a short sound ("秒読み.wav",
// through the game's sound library like the other four). A searching level (LEVEL4, LEVEL5)
// thinks on its clock; the game's own levels (LEVEL1-3) take their usual moment a move, which
// is charged to their clock and can lose on time only with a clock of less than a second.
#pragma once

#include "GameListener.h"
#include "engine/Searcher.h"
#include "match/TimeControl.h"

#include <cstdint>
#include <memory>
#include <string>

namespace kelvore {
class Form1;
}

namespace kelvore::match {

// The name of the byoyomi's tick sound in the sound folder.
inline constexpr const char* kTickSound = "秒読み.wav";

class MatchClocks : private GameListener {
public:
    explicit MatchClocks(Form1& form);
    ~MatchClocks() override;
    MatchClocks(const MatchClocks&) = delete;
    MatchClocks& operator=(const MatchClocks&) = delete;

    // Loads the tick sound (after the game has opened its sound library).
    void loadSound();
    // Sets the time control; it holds at once, for the game in play from its first move.
    void setTimeControl(const TimeControl& control);

    // The clock timer's tick: the clock of the side to move is shown again when its whole
    // seconds change, ticks in its last ten seconds, and its loss is announced (between two
    // events, never inside another box) when it reaches zero.
    void tick();
    // What the clock of a side (the game's ManTurn or ComTurn) shows now.
    std::string clockText(int turn) const;
    // At a move of the side to move that took `seconds`: true when its time ran out before the
    // move was made; the side has then lost on time, and the move is not to be played.
    bool timeUpAtMove(double seconds);

    // The main time a side (-1 lower, +1 upper) had left after the moves applied on the board.
    double mainLeft(int side) const;
    // What the side to move may still spend on its move now.
    double timeLeftNow() const;
    // The limits of a searching level on the upper side's clock: LEVEL5 spends its time as the
    // engine's time manager shares it out; LEVEL4 keeps its own move time (`level`) as the
    // most it takes. A margin is kept back for the move to travel to the board.
    engine::Limits searchLimits(const engine::Limits& level) const;

private:
    // The side that moved shows its clock renewed (the byoyomi whole again, the increment
    // added); stepping shows the clocks of the position shown.
    void movePlayed() override { redraw(); }
    void historyChanged() override { redraw(); }
    void afterReset() override { redraw(); }
    void beforeShutdown() override;

    // True while the clock of the side to move runs.
    bool running() const;
    double elapsedNow() const;
    void redraw();
    void timeUp(int loser);
    // Once the tick has seen zero: checked again on the window's thread, then the loss.
    void flagFell(std::uint64_t key);
    std::uint64_t moveKey() const;

    Form1& form_;
    int tickSound_ = 0;
    long long lastShown_ = -1;   // the whole seconds last shown for the side to move
    std::uint64_t shownKey_ = 0; // the move they were shown for
    bool flagPosted_ = false;
    // Continuations waiting in the dispatcher hold this weakly: gone with this object.
    std::shared_ptr<MatchClocks*> self_;
};

} // namespace kelvore::match
