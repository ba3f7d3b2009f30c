#include "Referee.h"

#include "engine/GameEnd.h"
#include "engine/MoveGen.h"
#include "engine/Search.h"
#include "notation/Sfen.h"

namespace kelvore::gauntlet {

using namespace engine;

const char* reasonName(Reason r) {
    switch (r) {
    case Reason::None: return "none";
    case Reason::RoyalTaken: return "royal taken";
    case Reason::Mate: return "mate";
    case Reason::NoMove: return "no move";
    case Reason::Repetition: return "repetition";
    case Reason::PlyLimit: return "ply limit";
    case Reason::IllegalMove: return "illegal move";
    case Reason::NoAnswer: return "no answer";
    case Reason::LostOnTime: return "lost on time";
    }
    return "?";
}

std::string usiText(const Position& pos, Mv m) {
    return notation::formatUsiMove(toGameMove(m, pos.sideToMove()));
}

bool Referee::start(const std::string& sfen, std::string& error, int plyLimit) {
    if (!game_->start(sfen, error)) return false;
    sfen_ = sfen;
    moves_.clear();
    seen_.clear();
    plyLimit_ = plyLimit;
    outcome_ = Outcome::Running;
    reason_ = Reason::None;
    // A position handed over already decided.
    const Position& pos = game_->position();
    const Color us = pos.sideToMove();
    if (pos.royalCount(us) == 0)
        win(~us, Reason::RoyalTaken);
    else if (pos.royalCount(~us) == 0)
        win(us, Reason::RoyalTaken);
    else
        judge(~us);
    return true;
}

std::string Referee::positionCommand() const {
    std::string s = "position sfen " + sfen_;
    if (!moves_.empty()) {
        s += " moves";
        for (const std::string& m : moves_) s += " " + m;
    }
    return s;
}

void Referee::win(Color winner, Reason why) {
    outcome_ = winner == LOWER ? Outcome::LowerWins : Outcome::UpperWins;
    reason_ = why;
}

void Referee::forfeit(Reason why) {
    if (outcome_ == Outcome::Running) win(~sideToMove(), why);
}

bool Referee::play(const std::string& usiMove) {
    if (outcome_ != Outcome::Running) return false;
    const Mv m = game_->move(usiMove);
    const Color mover = sideToMove();
    if (m.isNone() || game_->position().gamePly() + 1 >= Position::kStackSize) {
        win(~mover, Reason::IllegalMove);
        return false;
    }
    const bool wins = takesLastRoyal(game_->position(), m);
    game_->play(m);
    moves_.push_back(usiMove);
    if (wins) {
        win(mover, Reason::RoyalTaken);
        return true;
    }
    judge(mover);
    return true;
}

// After a move of `mover`: the other side may be mated, the position repeated, the game too
// long.
void Referee::judge(Color mover) {
    Position& pos = game_->position();
    if (isMated(pos)) {
        MvList list;
        generate(pos, list);
        win(mover, list.size == 0 ? Reason::NoMove : Reason::Mate);
        return;
    }
    if (++seen_[pos.key()] >= 4) {
        outcome_ = Outcome::Draw;
        reason_ = Reason::Repetition;
        return;
    }
    if (plies() >= plyLimit_) {
        outcome_ = Outcome::Draw;
        reason_ = Reason::PlyLimit;
    }
}

} // namespace kelvore::gauntlet
