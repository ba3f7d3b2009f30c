#include "analysis/Variation.h"

#include "Form1.h"
#include "analysis/Explanation.h"
#include "engine/Snapshot.h"

#include <cstring>
#include <utility>

namespace kelvore::analysis {

namespace {

int handCount(const int (&hand)[8]) {
    int n = 0;
    for (int slot = 1; slot <= 7; ++slot) n += hand[slot];
    return n;
}

} // namespace

Variation::Variation(Form1& form) : form_(form) {}

Variation::~Variation() {
    onChanged = nullptr;
    leave();
}

bool Variation::show(const engine::GameSnapshot& from, const std::vector<Move>& line, int index) {
    Form1& f = form_;
    // A clock that counts down may end the game meanwhile: the board must then be the game's.
    const bool clockRuns =
        f.Turn != Form1::NO_GAME && f.持ち時間制() && f.platform().timer.isEnabled();
    if (f.思考中() || clockRuns || index < 0 || index >= static_cast<int>(line.size())) {
        f.音_禁止();
        return false;
    }
    std::vector<engine::GameSnapshot> positions{from};
    positions.reserve(line.size() + 1);
    for (const Move& m : line) {
        engine::GameSnapshot next = positions.back();
        int captured = 0;
        if (!playOn(next, m, captured)) break;
        positions.push_back(next);
    }
    if (index + 1 >= static_cast<int>(positions.size())) {
        f.音_禁止();
        return false;
    }
    if (!shown_) {
        saved_ = engine::snapshotOf(f, -1);
        savedLowerCount_ = f.OwnHandCount;
        savedUpperCount_ = f.EnemyHandCount;
    }
    positions_ = std::move(positions);
    line_.assign(line.begin(), line.begin() + (static_cast<long>(positions_.size()) - 1));
    step_ = index + 1;
    shown_ = true;
    draw(positions_[step_]);
    changed();
    return true;
}

bool Variation::back() {
    if (!shown_ || step_ == 0) {
        form_.音_禁止();
        return false;
    }
    draw(positions_[--step_]);
    changed();
    return true;
}

bool Variation::forward() {
    if (!shown_ || step_ >= length()) {
        form_.音_禁止();
        return false;
    }
    draw(positions_[++step_]);
    changed();
    return true;
}

void Variation::leave() {
    if (!shown_) return;
    Form1& f = form_;
    std::memcpy(f.Board, saved_.board, sizeof f.Board);
    std::memcpy(f.OwnHand, saved_.lowerHand, sizeof f.OwnHand);
    std::memcpy(f.EnemyHand, saved_.upperHand, sizeof f.EnemyHand);
    f.OwnHandCount = savedLowerCount_;
    f.EnemyHandCount = savedUpperCount_;
    shown_ = false;
    positions_.clear();
    line_.clear();
    step_ = 0;
    f.画面_再描画();
    f.platform().canvas.refresh();
    changed();
}

// The position as the game's record has it, as 戻 and 進 would show it.
void Variation::draw(const engine::GameSnapshot& p) {
    Form1& f = form_;
    std::memcpy(f.Board, p.board, sizeof f.Board);
    std::memcpy(f.OwnHand, p.lowerHand, sizeof f.OwnHand);
    std::memcpy(f.EnemyHand, p.upperHand, sizeof f.EnemyHand);
    f.OwnHandCount = handCount(f.OwnHand);
    f.EnemyHandCount = handCount(f.EnemyHand);
    f.画面_再描画();
    f.platform().canvas.refresh();
}

void Variation::changed() {
    if (onChanged) onChanged();
}

} // namespace kelvore::analysis
