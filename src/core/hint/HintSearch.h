// A hint on request: on a human's turn, in a game against the computer or between two people,
// the searching engine thinks about a second for the side to move on a worker thread of its
// own, and its move comes back to the window's thread through the platform's dispatcher, with
// the move in notation and the score. Any move or other change of the position clears the hint;
// an answer for a position that has changed meanwhile is dropped.
#pragma once

#include "GameListener.h"
#include "engine/Searcher.h"
#include "rules/TrialMove.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kelvore {

class Form1;

namespace hint {

struct Hint {
    Move move;         // in the game's coordinates; a drop from (11, slot + 2) or (-1, slot)
    std::string text;  // the move in standard notation, e.g. "▲７六歩(77)"
    int score = 0;     // from the side to move, as the engine reports it
    bool mate = false; // then `score` counts the plies to the game's end
    std::string scoreText;
    std::string lineText;          // the engine's line from the hint's move on, in notation
    std::vector<Move> line;        // the same moves, to show on the board; empty without one
    engine::GameSnapshot position; // the position the hint was asked in
};

// The score as players read it: "評価値 +85", "評価値 -230", or the end the engine sees
// ("勝ちまで 3手", "負けまで 4手").
std::string scoreText(int score, bool mate);

// The screen cells a hint marks: the origin (a board square, or the hand cell the piece is
// dropped from) and the destination, as (column, row) of the game's grid.
struct Cells {
    Pos from, to;
};
Cells cellsOf(const Move& move);

class HintSearch : private GameListener {
public:
    // Takes the menu's 局面 → ヒント: it asks (below), and where the search starts the move list,
    // where the hint is read, opens if it is hidden.
    explicit HintSearch(Form1& form);
    ~HintSearch() override; // stops and joins a search still running; ヒント does nothing more
    HintSearch(const HintSearch&) = delete;
    HintSearch& operator=(const HintSearch&) = delete;

    // Starts a search for the side to move. Refused with the forbidden sound (false) while the
    // computer thinks, when no game runs (none started, or a record viewed), or on the
    // computer's turn of a game against it.
    bool ask();
    bool searching() const { return searching_; }
    // The hint found for the position on the board, if any.
    const std::optional<Hint>& shown() const { return shown_; }

    // Called when a search starts, when its hint arrives, and when the hint is cleared.
    std::function<void()> onChanged;

    // About a second a hint; tests may set their own limits (a fixed depth).
    int moveTimeMs = 1000;
    std::optional<engine::Limits> fixedLimits;
    // Returns when the worker has finished; its answer may still wait in the dispatcher.
    void waitForWorker();

private:
    void movePlayed() override { clear(); }
    void historyChanged() override { clear(); }
    void beforeReset() override { clear(); }
    void afterReset() override { clear(); }

    // Stops a search and forgets the hint.
    void clear();
    // On the window's thread, once the worker has answered the search numbered `token`.
    void answer(std::uint64_t token, const engine::Result& result, const std::vector<Move>& line);

    Form1& form_;
    std::unique_ptr<engine::Searcher> searcher_; // made at the first hint
    engine::GameSnapshot snapshot_;
    std::uint64_t token_ = 0;
    bool searching_ = false;
    std::optional<Hint> shown_;
    // Continuations waiting in the dispatcher hold this weakly: gone with this object.
    std::shared_ptr<HintSearch*> self_;
};

} // namespace hint
} // namespace kelvore
