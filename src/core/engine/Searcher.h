// The searching engine behind the levels above 3: the one entry point that the engine front and
// the window use. It takes a copy of the game's position, searches on a thread of its own (or on
// the caller's, for fixed-depth runs), reports progress and answers with a move in the game's own
// coordinates. It never touches Form1 and draws nothing.
#pragma once

#include "rules/TrialMove.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace kelvore::engine {

// A position as the game holds it: the board codes of Form1::Board, both hands by slot and the
// side to move (-1 the lower side, +1 the upper side).
struct GameSnapshot {
    int board[10][10]{};
    int lowerHand[8]{}; // Form1::OwnHand
    int upperHand[8]{}; // Form1::EnemyHand
    int sideToMove = 1;
};

// The key of a position (board, hands and side to move), as the search hashes it. The caller
// keeps the keys of the positions played so far in the game, so that the search can see a
// repetition coming.
std::uint64_t positionKey(const GameSnapshot& position);

// A draw among the root moves in place of the best alone, for the weaker skill levels and for
// variety at the start of a game (engine/Skill.h sets it): once the iterations end, the root
// moves that score within `marginCp` of the best, at most `candidates` of them with the best
// counted, are scored at the depth last completed, and one is drawn, each with a weight that
// falls with its loss against the best, the faster the smaller `spreadCp`. The draw depends
// only on `seed` and the position: the same search gives the same move.
struct RootChoice {
    int marginCp = 0; // 0: the best move, nothing drawn
    int spreadCp = 0; // 0: the moves within the margin weigh the same
    int candidates = 1;
    std::uint64_t seed = 0;
    bool active() const { return marginCp > 0 && candidates > 1; }
};

// What ends a search. Zero means "no limit" for every field; with no limit at all, or with
// `infinite`, the search runs until stop() is called (with `infinite`, or until ponderhit(),
// after which the other limits apply).
struct Limits {
    int depth = 0;
    std::uint64_t nodes = 0;
    int moveTimeMs = 0;
    // The clocks of a timed game (ms), as the engine front receives them; -1 when not given.
    int lowerTimeMs = -1, upperTimeMs = -1;
    int lowerIncMs = 0, upperIncMs = 0;
    int byoyomiMs = 0;
    bool infinite = false;
    RootChoice choice;
    // The number of best moves searched to a full score and reported each (MultiPV), 1 to
    // kMaxMultiPV; with 1 the search is exactly the single-line search.
    int multiPV = 1;
};

inline constexpr int kMaxMultiPV = 5;

// One report of progress, after each completed iteration, and once more when an iteration cut
// short by a limit or a stop has found a better move than the last: the move a search answers
// is always the first move of the last line it reported with multiPV 1 (when it reported any).
// With Limits::multiPV above 1, each completed iteration reports its best line first and then
// the next best moves' lines, numbered by multiPV.
struct Info {
    int depth = 0;
    int selDepth = 0;
    bool mate = false;
    // Centipawns from the mover's view; when `mate`, the signed number of plies until a last
    // royal piece is taken (the game's end): 3 when the mover mates in one and takes the royal
    // piece on its next move, -2 when the mover is mated now.
    int score = 0;
    std::uint64_t nodes = 0;
    std::uint64_t nps = 0;
    int timeMs = 0;
    std::vector<Move> pv;
    // Which of the best moves this line is (1: the best); above 1 only with Limits::multiPV.
    int multiPV = 1;
};

struct Result {
    bool found = false; // false: the side to move has no move at all
    Move best;
    bool hasPonder = false;
    Move ponder;
    int score = 0; // as in Info
    bool mate = false;
    std::uint64_t nodes = 0; // positions searched, the unfinished last iteration included
    int depth = 0;           // the last iteration completed
};

class Searcher {
public:
    explicit Searcher(std::size_t hashMegabytes = 16);
    ~Searcher(); // stops and joins a running search
    Searcher(const Searcher&) = delete;
    Searcher& operator=(const Searcher&) = delete;

    // Searches on the calling thread and returns the move. `history` holds the keys of the
    // positions of the game before `root`, oldest first (positionKey of each).
    Result search(const GameSnapshot& root, const std::vector<std::uint64_t>& history,
                  const Limits& limits, const std::function<void(const Info&)>& onInfo = {});

    // The same search on the worker thread. `onDone` is called once, on the worker thread, when
    // the search ends by a limit or by stop(). A search already running is stopped first. The
    // callbacks run on the worker: they must not call start(), search(), wait() or newGame().
    void start(const GameSnapshot& root, std::vector<std::uint64_t> history, const Limits& limits,
               std::function<void(const Info&)> onInfo, std::function<void(const Result&)> onDone);

    // Asks the running search to end soon; safe from any thread. A stop() before a search()
    // begins is not remembered; one after start() has returned always reaches its search.
    void stop();
    // The opponent played the move the search pondered on: the running search, started with
    // `infinite`, goes on under the rest of its limits (the clocks, a move time, a depth),
    // counted from now, and ends by them. No effect on a search without `infinite`. Safe from
    // any thread; like stop(), one after start() has returned always reaches its search.
    void ponderhit();
    void wait();          // returns when the worker has finished
    bool running() const; // true between start() and the end of onDone
    void newGame();       // forgets what earlier searches learnt (hash table, move history)

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace kelvore::engine
