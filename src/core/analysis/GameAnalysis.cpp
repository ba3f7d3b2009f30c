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

namespace {

bool wins(Score s) {
    return s.mate && s.value > 0;
}
bool loses(Score s) {
    return s.mate && s.value < 0;
}

Grade gradeOf(const MoveReview& r, const Thresholds& t) {
    if (r.playedBest) return Grade::None;
    const bool winGivenUp = wins(r.before) && !wins(r.after);
    const bool mateAllowed = loses(r.after) && !loses(r.before);
    if (winGivenUp || mateAllowed || r.chanceLoss >= t.badPoints || r.loss >= t.badCentipawns)
        return Grade::Bad;
    if (r.chanceLoss >= t.dubiousPoints || r.loss >= t.dubiousCentipawns) return Grade::Dubious;
    return Grade::None;
}

// A move's centipawn loss in the average of a side: a mate allowed or missed counts as a rook
// given away, not as the whole mate scale.
constexpr int kMostAveragedLoss = 2000;

} // namespace

GameAnalysis::GameAnalysis(GameRecord game, Thresholds thresholds)
    : game_(std::move(game)), thresholds_(thresholds), positions_(positionsOf(game_)),
      verdicts_(positions_.size()), reviews_(positions_.size() - 1),
      writtenReasons_(positions_.size() - 1) {}

void GameAnalysis::setWrittenReason(std::size_t index, std::string reason) {
    if (index >= writtenReasons_.size()) return;
    writtenReasons_[index] = std::move(reason);
    judge(index);
}

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
        r.lineText = lineText(positions_[i], before.line, previousTo, firstMover, 8);
    } else if (!before.lineText.empty()) {
        r.lineText = before.lineText;
        r.bestText = before.lineText.substr(0, before.lineText.find(' '));
        r.playedBest = r.bestText == r.text;
    }
    // The engine's own move loses nothing: a difference then is only the search seeing deeper
    // one move later.
    r.chanceBefore = winningPercent(r.before);
    r.chanceAfter = winningPercent(r.after);
    r.chanceLoss = r.playedBest ? 0 : std::max(0.0, r.chanceBefore - r.chanceAfter);
    r.loss = r.playedBest ? 0 : std::max(0, units(r.before) - units(r.after));
    r.grade = gradeOf(r, thresholds_);
    if (r.grade != Grade::None)
        r.reason = before.hasMove
                       ? explain({positions_[i], r.played, previousTo, before, after, firstMover})
                       : writtenReasons_[i];
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
    double points = 0;
    for (const auto& r : reviews_) {
        if (!r || r->side != side) continue;
        ++s.moves;
        total += std::min(r->loss, kMostAveragedLoss);
        points += r->chanceLoss;
        if (r->grade == Grade::Dubious) ++s.dubious;
        if (r->grade == Grade::Bad) ++s.bad;
    }
    if (s.moves > 0) {
        s.averageLoss = static_cast<int>(total / s.moves);
        s.averageChanceLoss = points / s.moves;
    }
    return s;
}

} // namespace kelvore::analysis
