#include "Referee.h"

#include "Notation.h"
#include "engine/MoveGen.h"
#include "engine/Search.h"
#include "rules/Pieces.h"

namespace kelvore::gauntlet {

using namespace engine;

namespace {

bool takesLastRoyal(const Position& pos, Mv m) {
    const Piece c = m.captured();
    return c != NO_PIECE && isRoyal(kindOf(c)) && pos.royalCount(colorOf(c)) == 1;
}

} // namespace

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

bool isMated(Position& pos) {
    const Color us = pos.sideToMove();
    if (pos.royalCount(us) != 1) return false;
    MvList list;
    generate(pos, list);
    for (const Mv m : list) {
        if (takesLastRoyal(pos, m)) return false;
        pos.make(m);
        const bool safe = !pos.lastRoyalAttacked(us);
        pos.unmake(m);
        if (safe) return false;
    }
    return true;
}

bool setFromSfen(Position& pos, const std::string& sfen, std::string& error) {
    const std::optional<usi::Position> p = usi::parseSfen(sfen, error);
    if (!p) return false;
    pos.set(p->board, p->lowerHand, p->upperHand, p->sideToMove < 0 ? LOWER : UPPER);
    return true;
}

Mv findMove(const Position& pos, const std::string& usiMove) {
    const std::optional<usi::MoveText> t = usi::parseMove(usiMove);
    if (!t) return Mv{};
    MvList list;
    generate(pos, list);
    for (const Mv m : list) {
        if (m.to() != square(t->toX, t->toY)) continue;
        if (t->drop) {
            if (m.isDrop() && m.dropKind() == piece::handSlot(t->dropKind)) return m;
        } else if (!m.isDrop() && m.from() == square(t->fromX, t->fromY) &&
                   m.promotes() == t->promote) {
            return m;
        }
    }
    return Mv{};
}

std::string usiText(const Position& pos, Mv m) {
    return usi::formatMove(toGameMove(m, pos.sideToMove()));
}

bool Referee::start(const std::string& sfen, std::string& error, int plyLimit) {
    if (!setFromSfen(pos_, sfen, error)) return false;
    sfen_ = sfen;
    moves_.clear();
    seen_.clear();
    plyLimit_ = plyLimit;
    outcome_ = Outcome::Running;
    reason_ = Reason::None;
    // A position handed over already decided.
    const Color us = pos_.sideToMove();
    if (pos_.royalCount(us) == 0)
        win(~us, Reason::RoyalTaken);
    else if (pos_.royalCount(~us) == 0)
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
    if (outcome_ == Outcome::Running) win(~pos_.sideToMove(), why);
}

bool Referee::play(const std::string& usiMove) {
    if (outcome_ != Outcome::Running) return false;
    const Mv m = findMove(pos_, usiMove);
    const Color mover = pos_.sideToMove();
    if (m.isNone() || pos_.gamePly() + 1 >= Position::kStackSize) {
        win(~mover, Reason::IllegalMove);
        return false;
    }
    const bool wins = takesLastRoyal(pos_, m);
    pos_.make(m);
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
    if (isMated(pos_)) {
        MvList list;
        generate(pos_, list);
        win(mover, list.size == 0 ? Reason::NoMove : Reason::Mate);
        return;
    }
    if (++seen_[pos_.key()] >= 4) {
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
