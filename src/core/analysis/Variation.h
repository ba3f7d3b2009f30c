// A line of the analysis shown on the board for a while: the position after one of its moves
// takes the board's place, 戻 and 進 step within the line, and leaving puts back exactly what
// the board showed. Nothing of the game changes meanwhile (its history, cursor, turn and
// clocks): only the pieces drawn are the line's, and the window sends every other command to
// the game only after leaving.
#pragma once

#include "analysis/Verdict.h"
#include "engine/Searcher.h"

#include <functional>
#include <vector>

namespace kelvore {

class Form1;

namespace analysis {

class Variation {
public:
    explicit Variation(Form1& form);
    ~Variation();
    Variation(const Variation&) = delete;
    Variation& operator=(const Variation&) = delete;

    // Shows the position after move `index` (0: the first) of `line` played from `from`.
    // Refused with the forbidden sound while the computer thinks or a clock counts down, and
    // when the line does not fit the position. True when the board shows it.
    bool show(const engine::GameSnapshot& from, const std::vector<Move>& line, int index);
    // 戻 and 進 within the line: back to the position it starts from, on to its last move;
    // the forbidden sound at either end.
    bool back();
    bool forward();
    // The board shows the game's position again, as it stood before the line was shown.
    void leave();

    bool shown() const { return shown_; }
    // Moves of the line applied to the position shown (0: the line's start), and how many the
    // line has.
    int step() const { return step_; }
    int length() const { return static_cast<int>(positions_.size()) - 1; }
    const std::vector<Move>& line() const { return line_; }
    // The position the line starts from (valid while shown).
    const engine::GameSnapshot& start() const { return positions_.front(); }

    // Called whenever the variation is shown, stepped or left.
    std::function<void()> onChanged;

private:
    void draw(const engine::GameSnapshot& position);
    void changed();

    Form1& form_;
    std::vector<engine::GameSnapshot> positions_; // the line's start, then after each move
    std::vector<Move> line_;
    int step_ = 0;
    bool shown_ = false;
    engine::GameSnapshot saved_; // the board and hands as the game left them
    int savedLowerCount_ = 0, savedUpperCount_ = 0;
};

} // namespace analysis
} // namespace kelvore
