#include "computer/SearchingTurn.h"

#include "Form1.h"
#include "engine/Levels.h"
#include "engine/Searcher.h"
#include "engine/Skill.h"
#include "engine/Snapshot.h"
#include "match/MatchClocks.h"
#include "rules/TrialMove.h"

#include <algorithm>

namespace kelvore {

using namespace piece;

SearchingTurn::SearchingTurn(Form1& form)
    : form_(form), gameSeed_(engine::newGameSeed()), self_(std::make_shared<SearchingTurn*>(this)) {
    form_.addListener(*this);
}

void SearchingTurn::beforeReset() {
    cancel();
    gameSeed_ = engine::newGameSeed();
}

SearchingTurn::~SearchingTurn() {
    form_.removeListener(*this);
    self_.reset();
    if (searcher_) {
        searcher_->stop();
        searcher_->wait();
    }
}

std::vector<std::uint64_t> SearchingTurn::earlierKeys(const Form1& f,
                                                      const engine::GameSnapshot& now) {
    std::vector<std::uint64_t> keys;
    engine::GameSnapshot p = now;
    const auto& k = f.Kifu;
    for (int i = f.KifuCursor; i >= 1; --i) {
        if (static_cast<std::size_t>(i) >= k.MovedPiece.size()) break;
        const int moved = k.MovedPiece[i], placed = k.PlacedPiece[i], captured = k.CapturedPiece[i];
        const int fx = k.FromX[i], fy = k.FromY[i], tx = k.ToX[i], ty = k.ToY[i];
        const bool drop = fx == -1 || fx == 11;
        const bool boardSquares = tx >= 1 && tx <= 9 && ty >= 1 && ty <= 9 &&
                                  (drop || (fx >= 1 && fx <= 9 && fy >= 1 && fy <= 9));
        if (!boardSquares || moved == 0 || p.board[tx][ty] != placed) break;
        const int sign = moved > 0 ? 1 : -1;
        int* captorHand = sign > 0 ? p.upperHand : p.lowerHand;
        if (drop) {
            // A drop's from-row is the clicked hand row or the slot: the piece tells the slot.
            const int slot = handSlot(moved);
            if (slot == 0 || moved != placed || captured != 0) break;
            captorHand[slot] += 1;
        } else {
            if (p.board[fx][fy] != 0) break;
            p.board[fx][fy] = moved;
        }
        p.board[tx][ty] = captured;
        if (const int slot = handSlot(captured); slot != 0 && !drop) {
            if (captorHand[slot] <= 0) break;
            captorHand[slot] -= 1;
        }
        p.sideToMove = sign;
        keys.push_back(engine::positionKey(p));
    }
    std::reverse(keys.begin(), keys.end());
    return keys;
}

void SearchingTurn::begin() {
    if (thinking_) return;
    snapshot_ = engine::snapshotOf(form_, 1);
    std::vector<std::uint64_t> history = earlierKeys(form_, snapshot_);
    engine::Limits limits =
        fixedLimits ? *fixedLimits : engine::levelLimits(form_.ComLevel, baseMoveTimeMs);
    // With a time control the level thinks on its clock.
    if (!fixedLimits && form_.持ち時間制()) limits = form_.Countdown->searchLimits(limits);
    // The strength chosen, and the variety of the first moves.
    int ownMove = 1;
    for (int i = 1; i <= form_.KifuCursor && std::size_t(i) < form_.Kifu.MovedPiece.size(); ++i)
        ownMove += form_.Kifu.MovedPiece[i] > 0;
    limits = engine::withSkill(limits, form_.ComSkill, ownMove, gameSeed_);
    if (!searcher_) searcher_ = std::make_unique<engine::Searcher>();
    const std::uint64_t turn = ++turn_;
    thinking_ = true;
    Dispatcher& dispatcher = form_.platform().dispatcher;
    std::weak_ptr<SearchingTurn*> self = self_;
    searcher_->start(snapshot_, std::move(history), limits, {},
                     [&dispatcher, self, turn](const engine::Result& result) {
                         dispatcher.post([self, turn, result] {
                             if (const auto s = self.lock()) (*s)->answer(turn, result);
                         });
                     });
}

void SearchingTurn::cancel() {
    if (!thinking_) return;
    thinking_ = false;
    ++turn_;
    if (searcher_) searcher_->stop();
}

void SearchingTurn::stopAndPlay() {
    if (thinking_ && searcher_) searcher_->stop();
}

void SearchingTurn::waitForWorker() {
    if (searcher_) searcher_->wait();
}

void SearchingTurn::answer(std::uint64_t turn, const engine::Result& result) {
    if (turn != turn_ || !thinking_) return; // abandoned, or answered already
    thinking_ = false;
    Form1& f = form_;
    // Never after the game has ended, and never onto a position that is not the one searched.
    if (f.Ended || f.Turn != f.ComTurn || f.GameMode != f.GameModeCom) return;
    if (!engine::samePosition(engine::snapshotOf(f, 1), snapshot_)) return;
    if (!result.found) {
        f.処理_COM投了();
        return;
    }
    // Only a move the game accepts is played; should the search ever answer another, the
    // one-ply choice of the specified levels is played instead.
    if (const std::optional<Move> m = acceptedMove(f, 1, result.best)) {
        f.処理_COM着手(m->fromX, m->fromY, m->toX, m->toY, m->moved, m->placed);
        return;
    }
    f.SearchOnly = true;
    f.com_ban();
    f.SearchOnly = false;
    if (f.BestFound)
        f.処理_COM着手(f.BestFromX, f.BestFromY, f.BestToX, f.BestToY, f.BestMoved, f.BestPlaced);
    else
        f.処理_COM投了();
}

} // namespace kelvore
