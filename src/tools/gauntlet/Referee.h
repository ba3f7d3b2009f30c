// The referee of a gauntlet game: holds the position, checks each move the engines send, and
// ends the game by the rules: the capture of a side's last royal piece, a true mate (every
// legal reply leaves the last royal piece to be taken), a side with no move, the fourth
// occurrence of a position, or the ply limit.
#pragma once

#include "engine/Position.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace kelvore::gauntlet {

enum class Outcome { Running, LowerWins, UpperWins, Draw };

enum class Reason {
    None,
    RoyalTaken,  // the mover took the other side's last royal piece
    Mate,        // every reply of the side to move leaves its last royal piece to be taken
    NoMove,      // the side to move has no move at all
    Repetition,  // a position occurred for the fourth time
    PlyLimit,    // the game reached its ply limit
    IllegalMove, // an engine sent a move that is not a move here (it loses)
    NoAnswer,    // an engine did not answer, resigned or died (it loses)
    LostOnTime,  // an engine ran past its clock (it loses)
};

const char* reasonName(Reason r);

// True when the side to move has exactly one royal piece and every one of its moves leaves
// that piece to be taken at once: no reply takes the other side's last royal piece, none
// makes a second royal piece (the elephant promoting), none moves the royal piece or blocks or
// takes the attacker so that it stands safe. A side with no move at all counts as mated too.
bool isMated(engine::Position& pos);

class Referee {
public:
    static constexpr int kDefaultPlyLimit = 400;

    // Starts a game from an SFEN position; false (with the reason in `error`) when it cannot be
    // read.
    bool start(const std::string& sfen, std::string& error, int plyLimit = kDefaultPlyLimit);

    // Plays a move written in USI notation for the side to move. An illegal move ends the game
    // as a loss of the side that sent it; returns false then.
    bool play(const std::string& usiMove);
    // Ends the game as a loss of the side to move (no answer, resignation, a dead engine, the
    // clock).
    void forfeit(Reason why = Reason::NoAnswer);

    Outcome outcome() const { return outcome_; }
    Reason reason() const { return reason_; }
    engine::Color sideToMove() const { return pos_.sideToMove(); }
    int plies() const { return int(moves_.size()); }
    const std::string& startSfen() const { return sfen_; }
    const std::vector<std::string>& moves() const { return moves_; }
    // "position sfen <start> moves ..." for the engines.
    std::string positionCommand() const;

private:
    void judge(engine::Color mover);
    void win(engine::Color winner, Reason why);

    engine::Position pos_;
    std::string sfen_;
    std::vector<std::string> moves_;
    std::unordered_map<std::uint64_t, int> seen_;
    int plyLimit_ = kDefaultPlyLimit;
    Outcome outcome_ = Outcome::Running;
    Reason reason_ = Reason::None;
};

// The engine's move of a USI move in this position, or a none move when it is not one.
engine::Mv findMove(const engine::Position& pos, const std::string& usiMove);

// Sets an engine position from SFEN; false with the reason in `error`.
bool setFromSfen(engine::Position& pos, const std::string& sfen, std::string& error);

// The USI text of an engine move made by the side to move of `pos`.
std::string usiText(const engine::Position& pos, engine::Mv m);

} // namespace kelvore::gauntlet
