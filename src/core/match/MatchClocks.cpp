#include "match/MatchClocks.h"
#include "platform/Translate.h"

#include "Form1.h"
#include "match/Ending.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace kelvore::match {

MatchClocks::MatchClocks(Form1& form) : form_(form), self_(std::make_shared<MatchClocks*>(this)) {
    form_.Countdown = this;
    form_.addListener(*this);
}

MatchClocks::~MatchClocks() {
    form_.removeListener(*this);
    if (form_.Countdown == this) form_.Countdown = nullptr;
}

void MatchClocks::loadSound() {
    tickSound_ = form_.サウンド_読込(kTickSound, 3);
}

void MatchClocks::beforeShutdown() {
    form_.platform().sound.dsFree(tickSound_);
    tickSound_ = 0;
}

void MatchClocks::setTimeControl(const TimeControl& control) {
    Form1& f = form_;
    f.TimeLimit = control;
    // A game in play whose clocks were hidden has no timer running: it must tick now.
    if (control.timed() && inPlay(f) && f.ResumePending == 0) f.platform().timer.setEnabled(true);
    redraw();
}

bool MatchClocks::running() const {
    Form1& f = form_;
    return f.platform().timer.isEnabled() && f.ResumePending == 0 && inPlay(f);
}

double MatchClocks::elapsedNow() const {
    return Form1::調査_経過秒(form_.MoveStartTime, form_.platform().clock.secondsSinceMidnight());
}

double MatchClocks::mainLeft(int side) const {
    const Form1& f = form_;
    const Allotment& a = f.TimeLimit.of(side);
    const auto& k = f.Kifu;
    double main = startingMain(a);
    const int applied = std::min<int>(f.KifuCursor, static_cast<int>(k.MovedPiece.size()) - 1);
    for (int i = 1; i <= applied; ++i) {
        if ((k.MovedPiece[i] > 0) != (side > 0)) continue;
        const double used = side > 0 ? k.ComTimeAfter[i] - k.ComTimeBefore[i]
                                     : k.ManTimeAfter[i] - k.ManTimeBefore[i];
        main = mainAfterMove(a, main, used);
    }
    return main;
}

double MatchClocks::timeLeftNow() const {
    const int side = sideToMove(form_);
    return timeLeft(form_.TimeLimit.of(side), mainLeft(side), running() ? elapsedNow() : 0);
}

std::string MatchClocks::clockText(int turn) const {
    const Form1& f = form_;
    const int side = turn == f.ManTurn ? -1 : 1;
    const Allotment& a = f.TimeLimit.of(side);
    const double elapsed = running() && turn == f.Turn ? elapsedNow() : 0;
    // A side without a limit of its own: its clock counts up, as the game's clocks do, from
    // its total after the moves applied.
    if (!a.timed()) {
        const auto& k = f.Kifu;
        const int i = std::min<int>(f.KifuCursor, static_cast<int>(k.MovedPiece.size()) - 1);
        const double total = i < 1 ? 0 : side < 0 ? k.ManTimeAfter[i] : k.ComTimeAfter[i];
        return Form1::調査_時間秒追加結果(total + elapsed);
    }
    const double main = mainLeft(side) - elapsed;
    const double left = std::max(0.0, timeLeft(a, mainLeft(side), elapsed));
    if (a.byoyomiSeconds > 0 && main <= 0)
        return args(translate("Screen", "秒読み%1"),
                    {std::to_string(static_cast<long long>(std::ceil(left)))});
    return Form1::調査_時間秒追加結果(std::ceil(std::max(0.0, main)));
}

std::uint64_t MatchClocks::moveKey() const {
    const Form1& f = form_;
    std::uint64_t start = 0;
    std::memcpy(&start, &f.MoveStartTime, sizeof start);
    return start * 1000003u ^ static_cast<std::uint64_t>(f.KifuCursor) << 2 ^
           static_cast<std::uint64_t>(f.Turn + 1);
}

void MatchClocks::tick() {
    Form1& f = form_;
    if (!running()) return;
    Platform& p = f.platform();
    const int side = sideToMove(f);
    const Allotment& a = f.TimeLimit.of(side);
    const double elapsed = elapsedNow();
    f.MoveSeconds = elapsed;
    if (const std::uint64_t key = moveKey(); key != shownKey_) {
        shownKey_ = key;
        lastShown_ = -1;
    }
    if (!a.timed()) {
        const auto whole = static_cast<long long>(elapsed);
        if (whole == lastShown_) return;
        lastShown_ = whole;
        f.描画_所有時間(f.Turn, 0);
        p.canvas.refresh();
        return;
    }
    const double left = timeLeft(a, mainLeft(side), elapsed);
    const long long shown = left > 0 ? static_cast<long long>(std::ceil(left)) : 0;
    if (shown != lastShown_) {
        lastShown_ = shown;
        f.描画_所有時間(f.Turn, 0);
        const bool human = f.GameMode != f.GameModeCom || side < 0;
        if (human && shown >= 1 && shown <= 10) p.sound.dsPlay(tickSound_);
        p.canvas.refresh();
    }
    if (left <= 0 && !flagPosted_) {
        flagPosted_ = true;
        std::weak_ptr<MatchClocks*> self = self_;
        const std::uint64_t key = moveKey();
        p.dispatcher.post([self, key] {
            if (const auto s = self.lock()) (*s)->flagFell(key);
        });
    }
}

void MatchClocks::flagFell(std::uint64_t key) {
    flagPosted_ = false;
    if (!running() || key != moveKey()) return;
    const int side = sideToMove(form_);
    if (!form_.TimeLimit.of(side).timed() || timeLeftNow() > 0) return;
    timeUp(side);
}

bool MatchClocks::timeUpAtMove(double seconds) {
    const int side = sideToMove(form_);
    const Allotment& a = form_.TimeLimit.of(side);
    if (!a.timed() || timeLeft(a, mainLeft(side), seconds) > 0) return false;
    timeUp(side);
    return true;
}

void MatchClocks::timeUp(int loser) {
    Form1& f = form_;
    // The clock that ran out shows nothing left.
    f.描画_所有時間(loser < 0 ? f.ManTurn : f.ComTurn, 0);
    f.platform().canvas.refresh();
    endWithLoss(f, loser, Ending::TimeUp);
}

void MatchClocks::redraw() {
    Form1& f = form_;
    lastShown_ = -1;
    f.描画_所有時間(f.ComTurn, f.ComTime);
    f.描画_所有時間(f.ManTurn, f.ManTime);
}

engine::Limits MatchClocks::searchLimits(const engine::Limits& level) const {
    const Form1& f = form_;
    const Allotment& upper = f.TimeLimit.upper;
    if (!upper.timed()) return level;
    engine::Limits l;
    if (f.ComLevel < 5) l.moveTimeMs = level.moveTimeMs;
    const double spent = running() && f.Turn == f.ComTurn ? elapsedNow() : 0;
    long long mainMs = std::llround(std::max(0.0, mainLeft(1) - spent) * 1000);
    long long byoyomiMs = upper.byoyomiSeconds * 1000LL;
    // Kept back for the move to reach the board: a tenth of what the move may take, at most a
    // second, from the byoyomi when there is one.
    const long long margin = std::min(1000LL, (mainMs + byoyomiMs) / 10);
    if (byoyomiMs > 0)
        byoyomiMs = std::max(0LL, byoyomiMs - margin);
    else
        mainMs = std::max(0LL, mainMs - margin);
    constexpr long long kMostMs = 1LL << 30;
    l.upperTimeMs = static_cast<int>(std::min(mainMs, kMostMs));
    l.byoyomiMs = static_cast<int>(byoyomiMs);
    l.upperIncMs = upper.incrementSeconds * 1000;
    if (const Allotment& lower = f.TimeLimit.lower; lower.timed()) {
        l.lowerTimeMs = static_cast<int>(std::min(std::llround(mainLeft(-1) * 1000), kMostMs));
        l.lowerIncMs = lower.incrementSeconds * 1000;
    }
    return l;
}

} // namespace kelvore::match
