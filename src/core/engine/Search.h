// The search itself: iterative deepening over a principal-variation alpha-beta search with a
// quiescence search on captures, the transposition table, move ordering (hash move, captures
// by value, killers, history), null-move and late-move reductions, and time management. One
// thread; the same position, history and depth or node limit always give the same answer.
#pragma once

#include "engine/Position.h"
#include "engine/Searcher.h"
#include "engine/TimeBudget.h"
#include "engine/TranspositionTable.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

namespace kelvore::engine {

// Scores: a win is kMate minus the plies until the last royal piece is captured.
inline constexpr int kMate = 30000;
inline constexpr int kInfinite = 31000;
inline constexpr int kMateInMaxPly = kMate - MAX_PLY;

// The game's move of a packed move made by the side `us`.
kelvore::Move toGameMove(Mv m, Color us);
// The game's code of a piece (negative for the lower side), 0 for an empty square.
int gameCodeOf(Piece p);

class Search {
public:
    explicit Search(TranspositionTable& tt) : tt_(tt) {}

    // Searches `pos` (whose own key history starts at the root) with `history` holding the keys
    // of the game's earlier positions. Returns when a limit is reached or `stop` becomes true;
    // with no limit it returns only after `stop`.
    Result run(Position& pos, const std::vector<std::uint64_t>& history, const Limits& limits,
               const std::function<void(const Info&)>& onInfo, const std::atomic<bool>& stop);

    std::uint64_t nodes() const { return nodes_; }

    // The opponent played the expected move: a search started with `infinite` (pondering)
    // goes on under the rest of its limits, its clock counted from the moment it notices
    // (within a few hundred nodes). Safe from any thread. The flag outlives the search it
    // reached: clearPonderhit() before the next one starts.
    void ponderhit() { ponderhit_.store(true, std::memory_order_relaxed); }
    void clearPonderhit() { ponderhit_.store(false, std::memory_order_relaxed); }

    // The quiescence search alone from `pos`: its score for the side to move, and in `line`
    // the moves that lead to the quiet position it judged. For the tuner, which fits the
    // evaluation of those positions.
    int quiescence(Position& pos, std::vector<Mv>& line);

private:
    struct RootMove {
        Mv move;
        int score;
    };

    // Searches the root moves from `first` on (those before it are the better lines of this
    // iteration, already scored), and puts those that raised alpha first, the best in front.
    int searchRoot(int alpha, int beta, int depth, std::size_t first = 0);
    // The score of the root move `m` searched to `depth` in the window (alpha, beta); its line
    // after `m` is left in pv_[1].
    int rootMoveScore(Mv m, int alpha, int beta, int depth);
    // Once the iterations have ended on `best`, scoring `score` with the line `line` at
    // `depth`: the root move that `choice` draws among those within its margin, with its score
    // and line in place of the best's.
    Mv drawRootMove(Mv best, int& score, std::vector<Mv>& line, int depth,
                    const RootChoice& choice);
    int search(int alpha, int beta, int depth, int ply, bool nullAllowed);
    int quiesce(int alpha, int beta, int ply);
    bool isRepetition() const;
    bool timeUp();
    // Turns a pondering search into a timed one once ponderhit() has been called; true then.
    bool takePonderhit();
    // The budget the iterations go by: the whole one, or half of it while a draw among the
    // root moves is to come after them.
    TimeBudget iterationBudget() const;
    void updateQuietStats(Mv best, int ply, int depth, const Mv* tried, int triedCount);
    void updatePv(int ply, Mv m);

    TranspositionTable& tt_;
    Position* pos_ = nullptr;
    const std::atomic<bool>* stop_ = nullptr;
    std::vector<std::uint64_t> gameKeys_; // sorted
    std::vector<RootMove> rootMoves_;
    Mv rootBest_{}; // the best move of the iteration in progress, once one is proven
    int rootBestScore_ = 0;

    std::uint64_t nodes_ = 0;
    std::uint64_t nodeLimit_ = 0;
    int selDepth_ = 0;
    bool aborted_ = false;
    bool timed_ = false;
    std::chrono::steady_clock::time_point start_;
    TimeBudget budget_;
    int budgetFromMs_ = 0; // the budget counts from here (a ponderhit), in ms since start_
    std::atomic<bool> ponderhit_{false};
    bool pondering_ = false;
    TimeBudget afterPonderhit_; // the budget of the limits without `infinite`
    bool keepForDraw_ = false;  // a draw among the root moves follows the iterations

    Mv killers_[MAX_PLY + 2][2];
    int history_[PIECE_NB][SQUARE_NB];
    Mv pv_[MAX_PLY + 2][MAX_PLY + 2];
    int pvLength_[MAX_PLY + 2];
};

} // namespace kelvore::engine
