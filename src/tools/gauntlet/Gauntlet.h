// A gauntlet between two engine programs: pairs of games (each opening of a fixed set played
// once with each colour), several pairs at a time, every move checked and every game ended by
// the referee, the results summed up as Elo with its interval and, when asked, stopped early by
// a sequential probability ratio test.
#pragma once

#include "Referee.h"
#include "Stats.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

namespace kelvore::gauntlet {

struct EngineProgram {
    std::string name;
    std::string command;                                      // the program and its arguments
    std::vector<std::pair<std::string, std::string>> options; // setoption name N value V
};

// How long each move may take.
struct TimeControl {
    enum Kind { Nodes, MoveTime, Level, Clock } kind = Nodes;
    std::uint64_t nodes = 0; // Nodes: go nodes N
    int moveTimeMs = 0;      // MoveTime: go movetime T
    // Clock: each side starts with baseMs and gets incMs after each move, or byoyomiMs for
    // every move once the base is spent. Level: a plain `go` (the engine's own level time).
    int baseMs = 0, incMs = 0, byoyomiMs = 0;
};

// Reads "nodes=N", "movetime=MS", "level", "clock=BASE+INC" or "byoyomi=BASE+BYOYOMI" (times in
// milliseconds); false with the reason in `error`.
bool parseTimeControl(const std::string& text, TimeControl& tc, std::string& error);
std::string describe(const TimeControl& tc);

struct Config {
    EngineProgram a, b;   // a is the engine under test, b the reference
    TimeControl tcA, tcB; // usually the same
    std::vector<std::string> openings;
    int pairs = 100;      // at most this many pairs of games
    int concurrency = 1;  // pairs played at the same time
    int firstOpening = 0; // the opening of the first pair
    int plyLimit = Referee::kDefaultPlyLimit;
    bool sprt = false;
    double elo0 = 0, elo1 = 5, alpha = 0.05, beta = 0.05;
    std::string recordPath; // when set, every game is appended to it, one line a game
    int progressEvery = 10; // games between progress lines
    // Pairs already played by the same two programs from the openings before `firstOpening`
    // (their totals 0..4 half points, as the "pairs" line printed them): a run that was
    // stopped goes on where it ended, with the evidence it had.
    std::array<std::int64_t, 5> priorPairs{};
};

// Reads an opening file: one SFEN a line; empty lines and lines starting with '#' are skipped.
std::vector<std::string> readOpenings(std::istream& in);

struct Summary {
    Tally tally;
    bool decided = false; // the test ended by its bounds
    bool acceptedH1 = false;
    double llr = 0;
    // Set when the gauntlet could not run at all, or could not keep its games in the record
    // file (it stops then: the result covers the games kept).
    std::string error;
};

// Plays the gauntlet, writing progress and the final lines to `out`. Runs until the pairs are
// played, the test decides or `stopRequested` (when given) turns true.
Summary runGauntlet(const Config& config, std::ostream& out,
                    const std::atomic<bool>* stopRequested = nullptr);

// The result line of a finished game as the record file keeps it: "1-0" (the lower side won),
// "0-1" or "1/2-1/2", the reason, the ply count, then the start and the moves.
std::string recordLine(const Referee& referee);

} // namespace kelvore::gauntlet
