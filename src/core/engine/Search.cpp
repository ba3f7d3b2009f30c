#include "engine/Search.h"

#include "engine/Evaluate.h"
#include "engine/GameEnd.h"
#include "engine/MoveGen.h"
#include "engine/MovePicker.h"
#include "engine/See.h"
#include "engine/Skill.h"
#include "engine/TimeBudget.h"
#include "rules/Pieces.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace kelvore::engine {

namespace {

// The game's code of each kind on the upper side; the lower side's is its negative.
constexpr int kGameCode[KIND_NB] = {
    0,           piece::HU,  piece::KYOU, piece::KEI, piece::GIN,   piece::KIN,
    piece::KAKU, piece::SYA, piece::ZOU,  piece::TO,  piece::NKYOU, piece::NKEI,
    piece::NGIN, piece::OU,  piece::UMA,  piece::RYU, piece::KO};

constexpr int kHistoryMax = 16384;

// Late-move reductions by depth and move number.
struct Reductions {
    int table[64][64];
    Reductions() {
        for (int d = 0; d < 64; ++d)
            for (int m = 0; m < 64; ++m)
                table[d][m] = (d == 0 || m == 0)
                                  ? 0
                                  : int(0.6 + std::log(double(d)) * std::log(double(m)) / 2.2);
    }
};
const Reductions kReductions;

int scoreToTable(int s, int ply) {
    if (s >= kMateInMaxPly) return s + ply;
    if (s <= -kMateInMaxPly) return s - ply;
    return s;
}

int scoreFromTable(int s, int ply) {
    if (s >= kMateInMaxPly) return s - ply;
    if (s <= -kMateInMaxPly) return s + ply;
    return s;
}

} // namespace

int gameCodeOf(Piece p) {
    if (p == NO_PIECE || p == WALL) return 0;
    return (colorOf(p) == LOWER ? -1 : 1) * kGameCode[kindOf(p)];
}

kelvore::Move toGameMove(Mv m, Color us) {
    const int sign = us == LOWER ? -1 : 1;
    kelvore::Move g;
    g.toX = fileOf(m.to());
    g.toY = rowOf(m.to());
    if (m.isDrop()) return kelvore::Move::drop(sign, kGameCode[m.dropKind()], g.toX, g.toY);
    const int kind = kindOf(m.moved());
    g.fromX = fileOf(m.from());
    g.fromY = rowOf(m.from());
    g.moved = sign * kGameCode[kind];
    g.placed = m.promotes() ? sign * kGameCode[promotedKind(kind)] : g.moved;
    return g;
}

bool Search::timeUp() {
    if (stop_->load(std::memory_order_relaxed)) return true;
    if (nodeLimit_ && nodes_ >= nodeLimit_) return true;
    if (pondering_ && (nodes_ & 511) == 0) takePonderhit();
    if (timed_ && (nodes_ & 511) == 0) {
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now() - start_)
                            .count();
        if (ms - budgetFromMs_ >= iterationBudget().maximumMs) return true;
    }
    return false;
}

TimeBudget Search::iterationBudget() const {
    if (!keepForDraw_) return budget_;
    TimeBudget half = budget_;
    half.optimumMs /= 2;
    half.minimumMs /= 2;
    half.maximumMs = std::max(1, half.maximumMs / 2);
    return half;
}

bool Search::takePonderhit() {
    if (!pondering_ || !ponderhit_.load(std::memory_order_relaxed)) return false;
    pondering_ = false;
    if (afterPonderhit_.timed) {
        // The budget runs from now: the time spent pondering was the opponent's.
        timed_ = true;
        budget_ = afterPonderhit_;
        budgetFromMs_ =
            int(std::min<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                        std::chrono::steady_clock::now() - start_)
                                        .count(),
                                    INT_MAX / 2));
    }
    return true;
}

bool Search::isRepetition() const {
    const Position& pos = *pos_;
    const std::uint64_t key = pos.key();
    const int back = std::min(pos.pliesFromNull(), pos.gamePly());
    for (int i = 2; i <= back; i += 2)
        if (pos.keyBefore(i) == key) return true;
    return std::binary_search(gameKeys_.begin(), gameKeys_.end(), key);
}

void Search::updatePv(int ply, Mv m) {
    pv_[ply][ply] = m;
    for (int i = ply + 1; i < pvLength_[ply + 1]; ++i) pv_[ply][i] = pv_[ply + 1][i];
    pvLength_[ply] = std::max(ply + 1, pvLength_[ply + 1]);
}

void Search::updateQuietStats(Mv best, int ply, int depth, const Mv* tried, int triedCount) {
    if (killers_[ply][0] != best) {
        killers_[ply][1] = killers_[ply][0];
        killers_[ply][0] = best;
    }
    const int bonus = std::min(depth * depth, 400);
    auto add = [&](Mv m, int b) {
        int& h = history_[m.moved()][m.to()];
        h += b - h * std::abs(b) / kHistoryMax;
    };
    add(best, bonus);
    for (int i = 0; i < triedCount; ++i)
        if (tried[i] != best) add(tried[i], -bonus);
}

int Search::quiesce(int alpha, int beta, int ply) {
    Position& pos = *pos_;
    pvLength_[ply] = ply;
    ++nodes_;
    if (timeUp()) aborted_ = true;
    if (aborted_) return 0;
    const Color us = pos.sideToMove();
    if (pos.royalCount(us) == 0) return -kMate + ply;
    if (ply > selDepth_) selDepth_ = ply;
    if (ply >= MAX_PLY) return evaluate(pos);

    const bool inCheck = pos.lastRoyalAttacked(us);
    int bestScore = -kMate + ply, standPat = 0;
    if (!inCheck) {
        // Far above beta on material alone: the rest of the evaluation will not bring it down.
        const int quick = materialScore(pos) - eval::kLazyMargin;
        if (quick >= beta) return quick;
        standPat = evaluate(pos);
        if (standPat >= beta) return standPat;
        alpha = std::max(alpha, standPat);
        bestScore = standPat;
    }
    MovePicker picker(pos, inCheck);
    for (Mv m = picker.next(); !m.isNone(); m = picker.next()) {
        if (takesLastRoyal(pos, m)) {
            pv_[ply][ply] = m;
            pvLength_[ply] = ply + 1;
            return kMate - (ply + 1);
        }
        if (!inCheck && !m.promotes() &&
            standPat + MovePicker::victimValue(m.captured()) + 150 <= alpha)
            continue;
        // A capture that loses material in the exchange does not calm the position.
        if (!inCheck && !seeAtLeast(pos, m, 0)) continue;
        pos.make(m);
        int score;
        if (pos.lastRoyalAttacked(us)) {
            // The last royal piece is left to be taken.
            score = -kMate + ply + 2;
            pvLength_[ply + 1] = ply + 1;
        } else {
            score = -quiesce(-beta, -alpha, ply + 1);
        }
        pos.unmake(m);
        if (aborted_) return 0;
        if (score > bestScore) {
            bestScore = score;
            if (score > alpha) {
                alpha = score;
                updatePv(ply, m);
                if (score >= beta) break;
            }
        }
    }
    return bestScore;
}

int Search::search(int alpha, int beta, int depth, int ply, bool nullAllowed) {
    Position& pos = *pos_;
    const bool pvNode = beta - alpha > 1;
    pvLength_[ply] = ply;
    const Color us = pos.sideToMove();
    if (pos.royalCount(us) == 0) return -kMate + ply;
    if (isRepetition()) return 0;
    alpha = std::max(alpha, -kMate + ply);
    beta = std::min(beta, kMate - ply - 1);
    if (alpha >= beta) return alpha;

    const bool inCheck = pos.lastRoyalAttacked(us);
    if (inCheck) ++depth;
    if (depth <= 0) return quiesce(alpha, beta, ply);
    ++nodes_;
    if (timeUp()) aborted_ = true;
    if (aborted_) return 0;
    if (ply > selDepth_) selDepth_ = ply;
    if (ply >= MAX_PLY) return evaluate(pos);

    const TTEntry* entry = tt_.probe(pos.key());
    const Mv ttMove = entry ? entry->bestMove() : Mv{};
    if (!pvNode && entry && entry->depth >= depth) {
        const int s = scoreFromTable(entry->score, ply);
        const Bound b = entry->bound();
        if (b == BOUND_EXACT || (b == BOUND_LOWER && s >= beta) || (b == BOUND_UPPER && s <= alpha))
            return s;
    }

    const bool royalThreat = inCheck || pos.royalAttacked(us);
    const int staticEval = inCheck ? -kInfinite : entry ? entry->eval : evaluate(pos);

    if (!pvNode && !royalThreat && std::abs(beta) < kMateInMaxPly) {
        // Far above beta with a few plies to go: the opponent will not catch up.
        if (depth <= 4 && staticEval - 110 * depth >= beta) return staticEval;
        // Passing the turn and still above beta: a real move will be too.
        if (nullAllowed && depth >= 3 && staticEval >= beta) {
            const int r = 3 + depth / 6;
            pos.makeNull();
            const int score = -search(-beta, -beta + 1, depth - 1 - r, ply + 1, false);
            pos.unmakeNull();
            if (aborted_) return 0;
            if (score >= beta) return score >= kMateInMaxPly ? beta : score;
        }
    }

    MovePicker picker(pos, ttMove, killers_[ply], history_);
    // Near the leaves and far below alpha, no quiet move will catch up: only captures,
    // promotions and checks are tried.
    const bool futile = !pvNode && !royalThreat && depth <= 2 &&
                        staticEval + 150 + 120 * depth <= alpha && std::abs(alpha) < kMateInMaxPly;
    if (futile) picker.checksOnly();
    const int originalAlpha = alpha;
    int bestScore = -kInfinite;
    Mv bestMove{};
    int moveCount = 0;
    Mv quiets[64];
    int quietCount = 0;
    for (Mv m = picker.next(); !m.isNone(); m = picker.next()) {
        if (takesLastRoyal(pos, m)) {
            const int score = kMate - (ply + 1);
            pv_[ply][ply] = m;
            pvLength_[ply] = ply + 1;
            tt_.store(pos.key(), m, scoreToTable(score, ply), staticEval, depth, BOUND_EXACT);
            return score;
        }
        const bool quiet = m.captured() == NO_PIECE && !m.promotes();
        const bool killer = m == killers_[ply][0] || m == killers_[ply][1];
        const bool check = quiet && picker.lastGivesCheck();
        ++moveCount;
        if (!pvNode && !royalThreat && quiet && !check && bestScore > -kMateInMaxPly) {
            if (depth <= 3 && moveCount > 6 + 3 * depth * depth) {
                picker.skipQuiets(); // so are all quiet moves after this one
                continue;
            }
        }
        // Near the leaves, a move that loses material in the exchange on its square is not
        // worth a search: a capture or a check only when it loses a lot, a quiet move or a
        // drop sooner.
        if (!royalThreat && depth <= 6 && bestScore > -kMateInMaxPly) {
            const int threshold = quiet && !check ? -30 * depth * depth : -150 * depth;
            if (!seeAtLeast(pos, m, threshold)) continue;
        }

        pos.make(m);
        tt_.prefetch(pos.key());
        int score;
        if (pos.lastRoyalAttacked(us)) {
            // The last royal piece is left to be taken at once.
            score = -kMate + ply + 2;
            pvLength_[ply + 1] = ply + 1;
        } else {
            const int newDepth = depth - 1;
            if (moveCount == 1) {
                score = -search(-beta, -alpha, newDepth, ply + 1, true);
            } else {
                int r = 0;
                if (depth >= 3 && quiet && !check && moveCount > 3 && !royalThreat) {
                    r = kReductions.table[std::min(depth, 63)][std::min(moveCount, 63)];
                    if (pvNode) --r;
                    if (killer) --r;
                    r = std::clamp(r, 0, newDepth - 1);
                }
                score = -search(-alpha - 1, -alpha, newDepth - r, ply + 1, true);
                if (score > alpha && r > 0)
                    score = -search(-alpha - 1, -alpha, newDepth, ply + 1, true);
                if (score > alpha && score < beta)
                    score = -search(-beta, -alpha, newDepth, ply + 1, true);
            }
        }
        pos.unmake(m);
        if (aborted_) return 0;

        if (score > bestScore) {
            bestScore = score;
            if (score > alpha) {
                bestMove = m;
                alpha = score;
                updatePv(ply, m);
                if (score >= beta) {
                    if (quiet) updateQuietStats(m, ply, depth, quiets, quietCount);
                    break;
                }
            }
        }
        if (quiet && quietCount < 64) quiets[quietCount++] = m;
    }

    if (picker.none()) {
        if (!futile) return -kMate + ply; // a side that cannot move has lost
        bestScore = alpha;                // nothing was worth trying
    }
    const Bound bound = bestScore >= beta           ? BOUND_LOWER
                        : bestScore > originalAlpha ? BOUND_EXACT
                                                    : BOUND_UPPER;
    tt_.store(pos.key(), bestMove, scoreToTable(bestScore, ply), inCheck ? 0 : staticEval, depth,
              bound);
    return bestScore;
}

int Search::searchRoot(int alpha, int beta, int depth, std::size_t first) {
    Position& pos = *pos_;
    const Color us = pos.sideToMove();
    pvLength_[0] = 0;
    int bestScore = -kInfinite;
    ++nodes_;
    for (std::size_t i = first; i < rootMoves_.size(); ++i) rootMoves_[i].score = -kInfinite;
    for (std::size_t i = first; i < rootMoves_.size(); ++i) {
        RootMove& rm = rootMoves_[i];
        const Mv m = rm.move;
        int score;
        if (takesLastRoyal(pos, m)) {
            score = kMate - 1;
            pvLength_[1] = 1;
        } else {
            pos.make(m);
            if (pos.lastRoyalAttacked(us)) {
                score = -kMate + 2;
                pvLength_[1] = 1;
            } else if (i == first) {
                score = -search(-beta, -alpha, depth - 1, 1, true);
            } else {
                score = -search(-alpha - 1, -alpha, depth - 1, 1, true);
                if (score > alpha && score < beta)
                    score = -search(-beta, -alpha, depth - 1, 1, true);
            }
            pos.unmake(m);
        }
        if (aborted_) return bestScore;
        if (score > bestScore) bestScore = score;
        if (score > alpha) {
            rm.score = score;
            alpha = score;
            if (first == 0) {
                rootBest_ = m;
                rootBestScore_ = score;
            }
            updatePv(0, m);
            if (score >= beta) break;
        }
    }
    // The moves that raised alpha first, the best of them at the front; the rest keep their
    // order.
    std::stable_sort(rootMoves_.begin() + static_cast<std::ptrdiff_t>(first), rootMoves_.end(),
                     [](const RootMove& a, const RootMove& b) { return a.score > b.score; });
    return bestScore;
}

int Search::rootMoveScore(Mv m, int alpha, int beta, int depth) {
    Position& pos = *pos_;
    const Color us = pos.sideToMove();
    pvLength_[1] = 1;
    if (takesLastRoyal(pos, m)) return kMate - 1;
    pos.make(m);
    // A move that leaves the last royal piece to be taken loses at once.
    const int score =
        pos.lastRoyalAttacked(us) ? -kMate + 2 : -search(-beta, -alpha, depth - 1, 1, true);
    pos.unmake(m);
    return score;
}

Mv Search::drawRootMove(Mv best, int& score, std::vector<Mv>& line, int depth,
                        const RootChoice& choice) {
    constexpr int kMost = 64;
    const int most = std::min(choice.candidates, kMost);
    const int lowest = score - choice.marginCp; // a candidate scores above this
    Mv moves[kMost];
    int scores[kMost];
    std::vector<std::vector<Mv>> lines{line};
    moves[0] = best;
    scores[0] = score;
    int count = 1;
    for (const RootMove& rm : rootMoves_) {
        if (count >= most) break;
        if (rm.move == best) continue;
        // Above the margin at all? Only then its score, no higher than the best's.
        int s = rootMoveScore(rm.move, lowest, lowest + 1, depth);
        if (!aborted_ && s > lowest) s = rootMoveScore(rm.move, lowest, score + 1, depth);
        if (aborted_) break;
        if (s <= lowest) continue;
        moves[count] = rm.move;
        scores[count] = std::min(s, score);
        lines.emplace_back(1, rm.move);
        lines.back().insert(lines.back().end(), pv_[1] + 1, pv_[1] + pvLength_[1]);
        ++count;
    }
    const int drawn = drawCandidate(scores, count, choice, pos_->key());
    score = scores[drawn];
    line = std::move(lines[std::size_t(drawn)]);
    return moves[drawn];
}

int Search::quiescence(Position& pos, std::vector<Mv>& line) {
    static const std::atomic<bool> never{false};
    pos_ = &pos;
    stop_ = &never;
    nodes_ = 0;
    nodeLimit_ = 0;
    timed_ = false;
    aborted_ = false;
    selDepth_ = 0;
    gameKeys_.clear();
    const int score = quiesce(-kInfinite, kInfinite, 0);
    line.assign(pv_[0], pv_[0] + pvLength_[0]);
    return score;
}

Result Search::run(Position& pos, const std::vector<std::uint64_t>& history, const Limits& limits,
                   const std::function<void(const Info&)>& onInfo, const std::atomic<bool>& stop) {
    pos_ = &pos;
    stop_ = &stop;
    start_ = std::chrono::steady_clock::now();
    nodes_ = 0;
    selDepth_ = 0;
    aborted_ = false;
    nodeLimit_ = limits.nodes;
    gameKeys_ = history;
    std::sort(gameKeys_.begin(), gameKeys_.end());
    std::memset(killers_, 0, sizeof killers_);
    std::memset(history_, 0, sizeof history_);
    tt_.newSearch();
    budget_ = timeBudget(limits, pos.sideToMove());
    timed_ = budget_.timed;
    budgetFromMs_ = 0;
    pondering_ = limits.infinite;
    keepForDraw_ = limits.choice.active();
    Limits afterPonderhit = limits;
    afterPonderhit.infinite = false;
    afterPonderhit_ = timeBudget(afterPonderhit, pos.sideToMove());
    // Endless while pondering, or with no limit at all.
    auto untilStopped = [&] {
        return pondering_ || (limits.depth <= 0 && limits.nodes == 0 && !timed_);
    };
    auto elapsedMs = [&] {
        return int(std::chrono::duration_cast<std::chrono::milliseconds>(
                       std::chrono::steady_clock::now() - start_)
                       .count());
    };
    auto waitForStop = [&] {
        while (!stop.load()) {
            takePonderhit();
            if (!untilStopped()) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    };

    Result result;
    rootMoves_.clear();
    if (!royalTaken(pos)) {
        const TTEntry* entry = tt_.probe(pos.key());
        MovePicker picker(pos, entry ? entry->bestMove() : Mv{}, killers_[0], history_);
        for (Mv m = picker.next(); !m.isNone(); m = picker.next())
            rootMoves_.push_back({m, -kInfinite});
    }
    if (rootMoves_.empty()) {
        waitForStop();
        result.nodes = nodes_;
        return result;
    }

    Mv best = rootMoves_[0].move;
    int bestScore = 0;
    std::vector<Mv> pv{best};
    // Reports the line `pv` with its score: the move answered is always the first move of the
    // last line reported.
    auto report = [&](int depth, int score, const std::vector<Mv>& line, int multiPV) {
        if (!onInfo) return;
        Info info;
        info.multiPV = multiPV;
        info.depth = depth;
        info.selDepth = selDepth_;
        info.mate = std::abs(score) >= kMateInMaxPly;
        info.score = info.mate ? (score > 0 ? kMate - score : -(kMate + score)) : score;
        info.nodes = nodes_;
        info.timeMs = elapsedMs();
        info.nps = nodes_ * 1000 / std::uint64_t(std::max(1, info.timeMs));
        Color side = pos.sideToMove();
        for (const Mv m : line) {
            info.pv.push_back(toGameMove(m, side));
            side = ~side;
        }
        onInfo(info);
    };
    const int maxDepth = limits.depth > 0 ? std::min(limits.depth, MAX_PLY - 1) : MAX_PLY - 1;
    // The next best moves after the first, each searched to a full score in its own pass over
    // the root moves not yet scored; their lines, by depth.
    const std::size_t lines =
        std::min<std::size_t>(std::clamp(limits.multiPV, 1, kMaxMultiPV), rootMoves_.size());
    std::vector<std::pair<int, std::vector<Mv>>> nextLines(lines);
    // What the iterations show, for the clock: how often the best move changed lately, and
    // for how many iterations it has stood.
    double bestMoveChanges = 0;
    int stableIterations = 0;
    for (int depth = 1; depth <= maxDepth; ++depth) {
        rootBest_ = Mv{};
        int delta = 40;
        int alpha = -kInfinite, beta = kInfinite;
        if (depth >= 4 && std::abs(bestScore) < kMateInMaxPly) {
            alpha = std::max(bestScore - delta, -kInfinite);
            beta = std::min(bestScore + delta, kInfinite);
        }
        int score = 0;
        for (;;) {
            score = searchRoot(alpha, beta, depth);
            if (aborted_) break;
            if (score <= alpha && alpha > -kInfinite) {
                beta = (alpha + beta) / 2;
                alpha = std::max(score - delta, -kInfinite);
            } else if (score >= beta && beta < kInfinite) {
                beta = std::min(score + delta, kInfinite);
            } else {
                break;
            }
            delta += delta / 2;
            if (delta > 1000) alpha = -kInfinite, beta = kInfinite;
        }
        // The next passes, after a first pass that completed. When they are cut short, the
        // first pass still stands as the iteration's answer, without the lines not finished.
        bool nextCutShort = false;
        std::size_t linesDone = 1;
        if (!aborted_ && lines > 1) {
            const std::vector<Mv> firstPv(pv_[0], pv_[0] + pvLength_[0]);
            for (std::size_t k = 1; k < lines; ++k) {
                const int s = searchRoot(-kInfinite, kInfinite, depth, k);
                if (aborted_) break;
                nextLines[k].first = s;
                nextLines[k].second.assign(pv_[0], pv_[0] + pvLength_[0]);
                if (nextLines[k].second.empty() || nextLines[k].second[0] != rootMoves_[k].move)
                    nextLines[k].second.assign(1, rootMoves_[k].move);
                linesDone = k + 1;
            }
            std::copy(firstPv.begin(), firstPv.end(), pv_[0]);
            pvLength_[0] = static_cast<int>(firstPv.size());
            nextCutShort = aborted_;
            aborted_ = false;
        }
        if (aborted_) {
            // A move this iteration has proven better than the last best is still worth it;
            // its line, as far as it was searched, is reported before it is answered.
            if (!rootBest_.isNone() && rootBest_ != best) {
                best = rootBest_;
                bestScore = rootBestScore_;
                if (pvLength_[0] > 0 && pv_[0][0] == best)
                    pv.assign(pv_[0], pv_[0] + pvLength_[0]);
                else
                    pv.assign(1, best);
                report(depth, bestScore, pv, 1);
            }
            break;
        }
        const int scoreDrop = depth > 1 ? bestScore - score : 0;
        bestMoveChanges /= 2;
        if (depth > 1 && rootMoves_[0].move != best) {
            bestMoveChanges += 1;
            stableIterations = 0;
        } else {
            ++stableIterations;
        }
        best = rootMoves_[0].move;
        bestScore = score;
        result.depth = depth;
        pv.assign(pv_[0], pv_[0] + pvLength_[0]);
        if (pv.empty() || pv[0] != best) pv.assign(1, best);

        report(depth, score, pv, 1);
        for (std::size_t k = 1; k < linesDone; ++k)
            report(depth, nextLines[k].first, nextLines[k].second, static_cast<int>(k) + 1);
        if (nextCutShort) break;
        if (timed_) {
            const double scale = timeScale(bestMoveChanges, scoreDrop, stableIterations);
            if (!startNextIteration(iterationBudget(), elapsedMs() - budgetFromMs_, scale)) break;
            if (rootMoves_.size() == 1) break;
            if (std::abs(score) >= kMateInMaxPly && depth >= kMate - std::abs(score) + 4) break;
        }
    }
    // The draw of a weaker level, or of the first moves of a game, among the moves within its
    // margin, searched to the depth last completed. It has the half of the time that the
    // iterations left it, and as many nodes again as a node limit gave them; after a stop the
    // best move is played.
    if (keepForDraw_ && result.depth > 0 && rootMoves_.size() > 1 &&
        std::abs(bestScore) < kMateInMaxPly && !stop.load()) {
        keepForDraw_ = false;
        aborted_ = false;
        if (nodeLimit_) nodeLimit_ = nodes_ + limits.nodes;
        const Mv drawn = drawRootMove(best, bestScore, pv, result.depth, limits.choice);
        if (drawn != best) {
            best = drawn;
            report(result.depth, bestScore, pv, 1);
        }
    }
    waitForStop();

    result.found = true;
    result.nodes = nodes_;
    result.best = toGameMove(best, pos.sideToMove());
    result.score = bestScore;
    result.mate = std::abs(bestScore) >= kMateInMaxPly;
    if (result.mate) result.score = bestScore > 0 ? kMate - bestScore : -(kMate + bestScore);
    if (pv.size() >= 2) {
        result.hasPonder = true;
        result.ponder = toGameMove(pv[1], ~pos.sideToMove());
    }
    return result;
}

} // namespace kelvore::engine
