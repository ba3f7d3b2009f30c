// The computer's turn at the searching levels (LEVEL4 and LEVEL5). It begins on the window's
// thread like the turn of the other levels ("思考中" shown, the clocks running); the search then
// runs on a worker thread over a snapshot of the position, while the window goes on painting
// and ticking. Its move comes back to the window's thread through the platform's dispatcher and
// is played there by the same procedure as the other levels' moves. Until then the position
// must not change: Form1 refuses every click and command that would change it.
#pragma once

#include "GameListener.h"
#include "engine/Levels.h"
#include "engine/Searcher.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace kelvore {

class Form1;

class SearchingTurn : private GameListener {
public:
    explicit SearchingTurn(Form1& form);
    ~SearchingTurn(); // stops and joins a search still running; its move is never played
    SearchingTurn(const SearchingTurn&) = delete;
    SearchingTurn& operator=(const SearchingTurn&) = delete;

    // Starts thinking about the upper side's move in the position as it stands.
    void begin();
    // The turn is abandoned (the program quits, the game is reset): the search is told to stop
    // and whatever it answers is forgotten.
    void cancel();
    // Asks the search to end now; the best move found so far is played as usual.
    void stopAndPlay();
    // True from begin() until the move is played or the turn abandoned.
    bool thinking() const { return thinking_; }
    // Returns when the worker has finished; its answer may still wait in the dispatcher.
    void waitForWorker();

    // The base time of a move: LEVEL4 thinks about this long, LEVEL5 five times as long.
    int baseMoveTimeMs = engine::kWindowBaseMoveTimeMs;
    // When set, these limits instead of the level's time (a fixed depth gives the same move
    // every time: for tests).
    std::optional<engine::Limits> fixedLimits;

    // The keys of the positions before the current one, oldest first, recovered by taking the
    // applied moves of the history back one by one; stops early at an entry that does not fit.
    static std::vector<std::uint64_t> earlierKeys(const Form1& form,
                                                  const engine::GameSnapshot& now);

private:
    // A new game abandons the turn, and draws its first moves anew.
    void beforeReset() override;
    // On the window's thread, once the worker has answered the turn numbered `turn`.
    void answer(std::uint64_t turn, const engine::Result& result);

    Form1& form_;
    std::unique_ptr<engine::Searcher> searcher_; // made at the first searching turn
    engine::GameSnapshot snapshot_;
    std::uint64_t turn_ = 0; // the turn whose answer is awaited
    bool thinking_ = false;
    std::uint64_t gameSeed_; // the draws of this game's first moves (engine/Skill.h)
    // Continuations waiting in the dispatcher hold this weakly: gone with this object.
    std::shared_ptr<SearchingTurn*> self_;
};

} // namespace kelvore
