#include "analysis/GameAnalysis.h"
#include "platform/Translate.h"

#include "analysis/Explanation.h"

#include <algorithm>

namespace kelvore::analysis {

std::string_view gradeName(Grade grade) {
    switch (grade) {
    case Grade::Dubious: return KELVORE_TRANSLATE_NOOP("Analysis", "疑問手");
    case Grade::Bad: return KELVORE_TRANSLATE_NOOP("Analysis", "悪手");
    case Grade::None: break;
    }
    return "";
}

GameAnalysis::GameAnalysis(GameRecord game, Thresholds thresholds)
    : game_(std::move(game)), thresholds_(thresholds), positions_(positionsOf(game_)),
      verdicts_(positions_.size()), reviews_(positions_.size() - 1) {}

void GameAnalysis::setVerdict(std::size_t index, Verdict verdict) {
    if (index >= verdicts_.size()) return;
    if (!verdicts_[index].searched && verdict.searched) ++searched_;
    if (verdicts_[index].searched && !verdict.searched) --searched_;
    verdicts_[index] = std::move(verdict);
    if (index > 0) judge(index - 1);
    if (index < reviews_.size()) judge(index);
}

void GameAnalysis::judge(std::size_t i) {
    const Verdict& before = verdicts_[i];
    const Verdict& after = verdicts_[i + 1];
    if (!before.searched || !after.searched) {
        reviews_[i].reset();
        return;
    }
    const int firstMover = game_.start.sideToMove;
    const int mover = positions_[i].sideToMove;
    MoveReview r;
    r.index = i;
    r.side = markOf(game_, i);
    r.played = moveOf(game_.moves[i]);
    r.text = moveTextOf(game_, i, positions_[i]);
    r.before = before.score;
    r.after = -after.score;
    Pos previousTo;
    if (i > 0) previousTo = {game_.moves[i - 1].ToX, game_.moves[i - 1].ToY};
    if (before.hasMove) {
        r.playedBest = before.best == r.played;
        r.bestText =
            notation::moveText(positions_[i], before.best, previousTo,
                               mover == firstMover ? notation::Mark::Sente : notation::Mark::Gote);
        r.lineText = lineText(positions_[i], before.line, previousTo, firstMover);
    }
    // The engine's own move loses nothing: a difference then is only the search seeing deeper
    // one move later.
    r.loss = r.playedBest ? 0 : std::max(0, units(r.before) - units(r.after));
    r.grade = r.loss >= thresholds_.bad       ? Grade::Bad
              : r.loss >= thresholds_.dubious ? Grade::Dubious
                                              : Grade::None;
    if (r.grade != Grade::None)
        r.reason = explain({positions_[i], r.played, previousTo, before, after, firstMover});
    reviews_[i] = std::move(r);
}

std::optional<Score> GameAnalysis::firstMoverScore(std::size_t index) const {
    if (index >= verdicts_.size() || !verdicts_[index].searched) return std::nullopt;
    const Score s = verdicts_[index].score;
    return positions_[index].sideToMove == game_.start.sideToMove ? s : -s;
}

SideSummary GameAnalysis::summary(notation::Mark side) const {
    SideSummary s;
    long long total = 0;
    for (const auto& r : reviews_) {
        if (!r || r->side != side) continue;
        ++s.moves;
        total += r->loss;
        if (r->grade == Grade::Dubious) ++s.dubious;
        if (r->grade == Grade::Bad) ++s.bad;
    }
    if (s.moves > 0) s.averageLoss = static_cast<int>(total / s.moves);
    return s;
}

} // namespace kelvore::analysis
