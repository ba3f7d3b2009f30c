// The engine front: USI commands in, answers out, over a headless game. It only translates
// text; every judgement is the game's own.
#pragma once

#include "Form1.h"
#include "Notation.h"
#include "engine/Levels.h"
#include "platform/NullPlatform.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace kelvore::usi {

class Engine {
public:
    Engine();
    // Handles one command line, writing the answer lines to `out`. Returns false after quit.
    bool handle(const std::string& line, std::ostream& out);

    Form1& form() { return form_; }
    int sideToMove() const { return side_; }

private:
    void position(const std::vector<std::string>& words, const std::string& line,
                  std::ostream& out);
    void listMoves(std::ostream& out);
    void survey(std::ostream& out);
    void mate(std::ostream& out);
    void display(std::ostream& out);
    void runPerft(const std::vector<std::string>& words, std::ostream& out);
    void setOption(const std::vector<std::string>& words, std::ostream& out);
    void go(std::ostream& out, bool listCandidates);
    void match(const std::vector<std::string>& words, std::ostream& out);
    void bench(std::ostream& out);
    void kifu(const std::vector<std::string>& words, const std::string& line, std::ostream& out);

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

    static constexpr int kMaxMoveTimeMs = 3600 * 1000;
    // The second bench line: the engine's search to this depth, with a table of this size.
    static constexpr int kBenchDepth = 6;
    static constexpr int kBenchHashMegabytes = 16;
    int moveTimeMs_ = engine::kWindowBaseMoveTimeMs; // the base move time of levels 4 and 5

    NullPlatform null_;
    Form1 form_;
    int side_ = -1; // -1: the lower side to move, +1 the upper side
    int moveNumber_ = 1;
    bool fromStart_ = true;
    std::vector<std::string> moves_; // the moves accepted since the last position command
};

} // namespace kelvore::usi
