#include "hint/HintSearch.h"
#include "platform/Translate.h"

#include "analysis/Explanation.h"

#include <algorithm>

#include "Form1.h"
#include "computer/SearchingTurn.h"
#include "engine/Snapshot.h"
#include "notation/MoveText.h"
#include "review/GameReview.h"

namespace kelvore::hint {

namespace {

// The side to move as the search takes it: -1 the lower side, +1 the upper side.
int sideToMove(const Form1& f) {
    return f.Turn == f.ManTurn ? -1 : 1;
}

} // namespace

std::string scoreText(int score, bool mate) {
    if (mate)
        return score > 0 ? args(translate("Analysis", "勝ちまで %1手"), {std::to_string(score)})
                         : args(translate("Analysis", "負けまで %1手"), {std::to_string(-score)});
    return args(translate("Analysis", "評価値 %1"),
                {std::string(score > 0 ? "+" : "") + std::to_string(score)});
}

Cells cellsOf(const Move& m) {
    if (m.fromX == -1) return {{-1, 8 - m.fromY}, {m.toX, m.toY}}; // the upper hand, by slot
    return {{m.fromX, m.fromY}, {m.toX, m.toY}};
}

HintSearch::HintSearch(Form1& form) : form_(form), self_(std::make_shared<HintSearch*>(this)) {
    form_.addListener(*this);
    form_.setOwnCommand(MenuItem::HINT, [this] {
        if (ask()) review::revealMoveList(form_);
    });
}

HintSearch::~HintSearch() {
    form_.setOwnCommand(MenuItem::HINT, nullptr);
    form_.removeListener(*this);
    self_.reset();
    if (searcher_) {
        searcher_->stop();
        searcher_->wait();
    }
}

bool HintSearch::ask() {
    Form1& f = form_;
    if (f.Ended) return false;
    const bool computersTurn = f.GameMode == f.GameModeCom && f.Turn == f.ComTurn;
    if (f.思考中() || f.Turn == Form1::NO_GAME || f.KifuMode == 1 || computersTurn) {
        f.音_禁止();
        return false;
    }
    if (searching_) searcher_->stop();
    shown_.reset();
    snapshot_ = engine::snapshotOf(f, sideToMove(f));
    std::vector<std::uint64_t> history = SearchingTurn::earlierKeys(f, snapshot_);
    engine::Limits limits;
    limits.moveTimeMs = moveTimeMs;
    if (fixedLimits) limits = *fixedLimits;
    if (!searcher_) searcher_ = std::make_unique<engine::Searcher>();
    const std::uint64_t token = ++token_;
    searching_ = true;
    Dispatcher& dispatcher = f.platform().dispatcher;
    std::weak_ptr<HintSearch*> self = self_;
    // The last line reported, kept on the worker for the answer.
    auto line = std::make_shared<std::vector<Move>>();
    searcher_->start(
        snapshot_, std::move(history), limits,
        [line](const engine::Info& info) {
            if (info.multiPV == 1) *line = info.pv;
        },
        [&dispatcher, self, token, line](const engine::Result& result) {
            dispatcher.post([self, token, result, line] {
                if (const auto s = self.lock()) (*s)->answer(token, result, *line);
            });
        });
    if (onChanged) onChanged();
    return true;
}

void HintSearch::waitForWorker() {
    if (searcher_) searcher_->wait();
}

void HintSearch::clear() {
    const bool had = searching_ || shown_.has_value();
    if (searching_) {
        searching_ = false;
        ++token_;
        searcher_->stop();
    }
    shown_.reset();
    if (had && onChanged) onChanged();
}

void HintSearch::answer(std::uint64_t token, const engine::Result& result,
                        const std::vector<Move>& line) {
    if (token != token_ || !searching_) return; // cleared, or asked again since
    searching_ = false;
    Form1& f = form_;
    const int side = snapshot_.sideToMove;
    const bool stillThere = !f.Ended && f.Turn != Form1::NO_GAME && f.KifuMode != 1 &&
                            engine::samePosition(engine::snapshotOf(f, sideToMove(f)), snapshot_);
    if (stillThere && result.found) {
        // Only a move the game accepts is shown.
        if (const std::optional<Move> it = acceptedMove(f, side, result.best)) {
            const auto& k = f.Kifu;
            const int cursor = f.KifuCursor;
            const bool known = cursor >= 1 && static_cast<int>(k.ToX.size()) > cursor;
            const Pos previousTo = known ? Pos{k.ToX[cursor], k.ToY[cursor]} : Pos{};
            // ▲ is the side that moved first in the game.
            const int firstMover = f.KifuLength >= 1 && k.MovedPiece.size() > 1
                                       ? (k.MovedPiece[1] > 0 ? 1 : -1)
                                       : side;
            const auto mark = side == firstMover ? notation::Mark::Sente : notation::Mark::Gote;
            shown_ = Hint{*it,
                          notation::moveText(snapshot_, *it, previousTo, mark),
                          result.score,
                          result.mate,
                          scoreText(result.score, result.mate),
                          {}};
            if (!line.empty() && line.front() == result.best) {
                shown_->lineText = analysis::lineText(snapshot_, line, previousTo, firstMover, 8);
                shown_->line.assign(line.begin(),
                                    line.begin() + std::min<long>(8, long(line.size())));
                shown_->position = snapshot_;
            }
        }
    }
    if (onChanged) onChanged();
}

} // namespace kelvore::hint
