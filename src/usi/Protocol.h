// The engine front's protocol: USI commands in, answers out, over a headless game. It only
// translates text; every judgement is the game's own, every search the engine's (src/core/engine).
// The command loop that feeds it while reading on is usi::Front.
#pragma once

#include "Form1.h"
#include "engine/Levels.h"
#include "engine/Searcher.h"
#include "engine/Skill.h"
#include "notation/Sfen.h"
#include "platform/NullPlatform.h"
#include "record/RecordFile.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace kelvore::usi {

// Reads a record file for the kifu commands; nothing, with the reason said on `out`, when it
// cannot be read or holds no record.
std::optional<RecordFile> readRecordFile(const std::string& path, std::ostream& out);

class Protocol {
public:
    Protocol();
    // Handles one command line, writing the answer lines to `out`. Returns false after quit.
    // A long command (a search, a perft, a match, a record read) runs until it ends or until
    // requestStop().
    bool handle(const std::string& line, std::ostream& out);

    // Asks the command that runs, or the next one if none runs yet, to end soon: a search
    // answers with the best move found so far, a perft with the count so far. Safe from any
    // thread; clearStop() (called by the command loop before each command) forgets it.
    void requestStop();
    // Tells a pondering search (`go ponder`) that runs, or the next one if none runs yet, that
    // the expected move was played: it goes on under the clock it was given, counted from
    // now. Safe from any thread; clearStop() forgets it too.
    void requestPonderhit();
    void clearStop();
    bool stopRequested() const { return stop_.load(std::memory_order_relaxed); }

    Form1& form() { return form_; }
    int sideToMove() const { return side_; }
    // The keys of the positions before the current one since the last position command.
    const std::vector<std::uint64_t>& history() const { return history_; }

private:
    void position(const std::vector<std::string>& words, const std::string& line,
                  std::ostream& out);
    void listMoves(std::ostream& out);
    void survey(std::ostream& out);
    void mate(std::ostream& out);
    void display(std::ostream& out);
    // perft, in Perft.cpp.
    void runPerft(const std::vector<std::string>& words, std::ostream& out);
    void setOption(const std::vector<std::string>& words, std::ostream& out);
    void go(std::ostream& out, bool listCandidates);
    // `go` at the searching levels (4 and 5), in Go.cpp.
    void goSearching(const std::vector<std::string>& words, std::ostream& out);
    // Runs a search of the current position on the worker of `searcher` and returns its
    // result, passing on a stop heard meanwhile, and a ponderhit when `ponder`.
    engine::Result searchWatched(engine::Searcher& searcher, const engine::Limits& limits,
                                 bool ponder, std::function<void(const engine::Info&)> onInfo);
    // The answer to `go` in a finished game: `bestmove resign` for the side that has lost,
    // `bestmove win` (after an info string) for the one that has won. An endless `go` answers
    // only once stopped (or, when `ponder`, at the ponderhit).
    void answerFinished(std::ostream& out, bool endless, bool ponder);
    // match, in Match.cpp.
    void match(const std::vector<std::string>& words, std::ostream& out);
    // bench, in Bench.cpp.
    void bench(std::ostream& out);
    // kifu read and write, and the others passed on, in Kifu.cpp.
    void kifu(const std::vector<std::string>& words, const std::string& line, std::ostream& out);
    // kifu analyse, in Analyse.cpp.
    void analyseKifu(const std::vector<std::string>& words, const std::string& line,
                     std::ostream& out);

public:
    // The move the computer's search chooses for the side to move, at the current level, and
    // its score in tenths; false when there is no candidate. Candidates are reported to
    // `each` in the order the search scores them, if given.
    struct Candidate {
        Move move;
        int score;
    };
    bool search(Move& best, int& score, std::vector<Candidate>* each = nullptr);
    // Plays a move known to be legal (as the game plays it) for the side to move.
    void playMove(const Move& m);

private:
    // Judges a written move against the position, as the game would, and plays it.
    bool play(const std::string& text);
    void resetMaps();
    bool gameOver() const;

    std::atomic<bool> stop_{false};
    std::atomic<bool> ponderhit_{false};
    std::mutex stopMutex_;
    std::condition_variable stopped_; // a search waits on it for its end or for a stop
    static constexpr int kMaxMoveTimeMs = 3600 * 1000;
    // The second bench line: the engine's search to this depth, with a table of this size.
    static constexpr int kBenchDepth = 6;
    static constexpr int kBenchHashMegabytes = 16;
    int moveTimeMs_ = engine::kWindowBaseMoveTimeMs; // the base move time of levels 4 and 5
    int skillLevel_ = engine::kSkillMax;             // the strength of levels 4 and 5
    std::uint64_t gameSeed_ = engine::newGameSeed(); // the draws of this game's timed searches
    int multiPV_ = 1; // the best moves whose lines a search reports (MultiPV)

    NullPlatform null_;
    Form1 form_;
    int side_ = -1; // -1: the lower side to move, +1 the upper side
    int moveNumber_ = 1;
    bool fromStart_ = true;
    std::vector<std::string> moves_; // the moves accepted since the last position command
    // The keys of the positions played through since the last position command, oldest
    // first, the current one left out: the search sees repetitions coming.
    std::vector<std::uint64_t> history_;
    std::unique_ptr<engine::Searcher> searcher_; // made at the first searching `go`
};

} // namespace kelvore::usi
