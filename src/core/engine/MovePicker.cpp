#include "engine/MovePicker.h"

#include "engine/See.h"

#include <algorithm>

namespace kelvore::engine {

namespace {

constexpr int kVictimOrder[KIND_NB] = {0,   90,  310, 360, 480,  550,  780,  900, 560,
                                       560, 540, 540, 540, 9000, 1050, 1250, 3000};

enum Stage {
    TT_MOVE,
    GENERATE_CAPTURES,
    CAPTURES,
    KILLER_1,
    KILLER_2,
    GENERATE_CHECKS,
    CHECKS,
    GENERATE_QUIETS,
    QUIETS,
    BAD_CAPTURES,
    DONE,
    // The quiescence search: one list, captures or every move.
    GENERATE_ALL,
    ALL,
};

// The first few moves of a list are picked by selection: a cut-off often comes before the rest
// are needed. After that the best of the rest are sorted once; the tail of a long list (mostly
// drops no history speaks for) is left in the order it was generated.
constexpr int kSelected = 3;
constexpr int kSorted = 32;

} // namespace

int MovePicker::victimValue(Piece captured) {
    return kVictimOrder[kindOf(captured)];
}

MovePicker::MovePicker(const Position& pos, Mv ttMove, const Mv* killers,
                       const int (*history)[SQUARE_NB])
    : pos_(pos), ttMove_(isPseudoLegal(pos, ttMove) ? ttMove : Mv{}), killers_(killers),
      history_(history), stage_(ttMove_.isNone() ? GENERATE_CAPTURES : TT_MOVE) {}

MovePicker::MovePicker(const Position& pos, bool everyMove)
    : pos_(pos), everyMove_(everyMove), stage_(GENERATE_ALL) {}

int MovePicker::scoreOf(Mv m) const {
    if (m.captured() != NO_PIECE)
        return (1 << 28) + kVictimOrder[kindOf(m.captured())] * 16 -
               kVictimOrder[kindOf(m.moved())] / 16 + (m.promotes() ? 8 : 0);
    if (m.promotes()) return (1 << 27) + kVictimOrder[kindOf(m.moved())];
    return history_ ? history_[m.moved()][m.to()] : 0;
}

bool MovePicker::handedBefore(Mv m) const {
    if (m == ttMove_ || m == killer1_ || m == killer2_) return true;
    for (int i = 0; i < checkCount_; ++i)
        if (checks_[i] == m) return true;
    return false;
}

void MovePicker::fill(GenType type) {
    MvList list;
    generate(pos_, list, type);
    size_ = 0;
    current_ = 0;
    sorted_ = false;
    for (const Mv m : list) {
        if (m == ttMove_ || m == killer1_ || m == killer2_) continue;
        moves_[size_++] = {m, scoreOf(m)};
    }
    ordered_ = size_;
    if (type == GenType::Quiets) {
        // Most of a long list are drops nothing speaks for yet; only the board moves and the
        // drops with a good history are put in order, the rest follow as they come.
        ordered_ =
            int(std::partition(moves_, moves_ + size_,
                               [](const Scored& m) { return !m.move.isDrop() || m.score > 0; }) -
                moves_);
    }
}

Mv MovePicker::pick() {
    if (current_ >= size_) return Mv{};
    if (current_ < ordered_) {
        if (current_ < kSelected) {
            int best = current_;
            for (int i = current_ + 1; i < ordered_; ++i)
                if (moves_[i].score > moves_[best].score) best = i;
            std::swap(moves_[current_], moves_[best]);
        } else if (!sorted_) {
            const auto better = [](const Scored& a, const Scored& b) {
                return a.score != b.score ? a.score > b.score : a.move.v < b.move.v;
            };
            if (ordered_ - current_ > kSorted)
                std::partial_sort(moves_ + current_, moves_ + current_ + kSorted, moves_ + ordered_,
                                  better);
            else
                std::sort(moves_ + current_, moves_ + ordered_, better);
            sorted_ = true;
        }
    }
    return moves_[current_++].move;
}

// A killer is a quiet move that refuted another move at this ply; it may not even be possible
// here.
bool MovePicker::usableKiller(Mv k) const {
    if (k.isNone() || k == ttMove_ || k == killer1_ || k.captured() != NO_PIECE ||
        !isPseudoLegal(pos_, k))
        return false;
    return !checksOnly_ || givesCheck(pos_, k);
}

bool MovePicker::lastGivesCheck() const {
    if (stage_ == CHECKS) return true;
    if (stage_ == QUIETS && !checksCut_) return false;
    return givesCheck(pos_, last_);
}

Mv MovePicker::next() {
    for (;;) {
        Mv m{};
        switch (stage_) {
        case TT_MOVE:
            stage_ = GENERATE_CAPTURES;
            m = ttMove_;
            break;
        case GENERATE_CAPTURES:
            fill(GenType::Captures);
            stage_ = CAPTURES;
            continue;
        case CAPTURES:
            m = pick();
            // A capture that loses material in the exchange waits until the end.
            while (!m.isNone() && badCount_ < kMaxBadCaptures && !seeAtLeast(pos_, m, 0)) {
                badCaptures_[badCount_++] = m;
                m = pick();
            }
            if (m.isNone()) stage_ = KILLER_1;
            break;
        case KILLER_1:
            stage_ = KILLER_2;
            if (killers_ && !skipQuiets_ && usableKiller(killers_[0])) m = killer1_ = killers_[0];
            break;
        case KILLER_2:
            stage_ = GENERATE_CHECKS;
            if (killers_ && !skipQuiets_ && usableKiller(killers_[1])) m = killer2_ = killers_[1];
            break;
        case GENERATE_CHECKS:
            fill(GenType::QuietChecks);
            // The quiet checks of a long list are few; remembered, so that the quiet moves
            // after them leave them out.
            checkCount_ = std::min(size_, kMaxChecks);
            for (int i = 0; i < checkCount_; ++i) checks_[i] = moves_[i].move;
            if (size_ > kMaxChecks) {
                size_ = kMaxChecks;
                checksCut_ = true; // the rest come among the other quiet moves
            }
            stage_ = CHECKS;
            continue;
        case CHECKS:
            m = pick();
            if (m.isNone()) stage_ = checksOnly_ || skipQuiets_ ? BAD_CAPTURES : GENERATE_QUIETS;
            break;
        case GENERATE_QUIETS:
            fill(GenType::Quiets);
            stage_ = QUIETS;
            continue;
        case QUIETS:
            do m = skipQuiets_ ? Mv{} : pick();
            while (!m.isNone() && handedBefore(m));
            if (m.isNone()) stage_ = BAD_CAPTURES;
            break;
        case BAD_CAPTURES:
            if (badCurrent_ < badCount_)
                m = badCaptures_[badCurrent_++];
            else
                stage_ = DONE;
            break;
        case GENERATE_ALL:
            fill(everyMove_ ? GenType::All : GenType::QCaptures);
            stage_ = ALL;
            continue;
        case ALL:
            m = pick();
            if (m.isNone()) stage_ = DONE;
            break;
        default: return Mv{};
        }
        if (!m.isNone()) {
            ++handedOut_;
            last_ = m;
            return m;
        }
        if (stage_ == DONE) return Mv{};
    }
}

} // namespace kelvore::engine
