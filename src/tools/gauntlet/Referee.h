// The referee of a gauntlet game: holds the position, checks each move the engines send, and
// ends the game by the rules: the capture of a side's last royal piece, a true mate (every
// legal reply leaves the last royal piece to be taken), a side with no move, the fourth
// occurrence of a position, or the ply limit.
#pragma once

#include "engine/Position.h"
#include "notation/UsiGame.h"

#include <cstdint>
#include <memory>
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

class Referee {
public:
    static constexpr int kDefaultPlyLimit = 400;

    // Starts a game from an SFEN position; false (with the reason in `error`) when it cannot be
    // read.
    bool start(const std::string& sfen, std::string& error, int plyLimit = kDefaultPlyLimit);

    // Plays a move written in USI notation for the side to move, as the game's judge accepts
    // it. An illegal move ends the game as a loss of the side that sent it; returns false then.
    bool play(const std::string& usiMove);
    // Ends the game as a loss of the side to move (no answer, resignation, a dead engine, the
    // clock).
    void forfeit(Reason why = Reason::NoAnswer);

    Outcome outcome() const { return outcome_; }
    Reason reason() const { return reason_; }
    engine::Color sideToMove() const { return game_->position().sideToMove(); }
    int plies() const { return int(moves_.size()); }
    const std::string& startSfen() const { return sfen_; }
    const std::vector<std::string>& moves() const { return moves_; }
    // "position sfen <start> moves ..." for the engines.
    std::string positionCommand() const;

private:
    void judge(engine::Color mover);
    void win(engine::Color winner, Reason why);

    // The game's judge and the engine's position, held apart so that a referee can be moved.
    std::unique_ptr<notation::UsiGame> game_ = std::make_unique<notation::UsiGame>();
    std::string sfen_;
    std::vector<std::string> moves_;
    std::unordered_map<std::uint64_t, int> seen_;
    int plyLimit_ = kDefaultPlyLimit;
    Outcome outcome_ = Outcome::Running;
    Reason reason_ = Reason::None;
};

// The USI text of an engine move made by the side to move of `pos`.
std::string usiText(const engine::Position& pos, engine::Mv m);

} // namespace kelvore::gauntlet
