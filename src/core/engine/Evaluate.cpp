#include "engine/Evaluate.h"

#include <algorithm>
#include <cstdlib>

namespace kelvore::engine {

namespace {

// How much an enemy piece near a royal piece threatens it, by kind.
constexpr int kAttackWeight[KIND_NB] = {0, 1, 1, 2, 3, 3, 3, 3, 2, 3, 3, 3, 3, 0, 5, 6, 1};
// How much an own piece beside a royal piece shields it, by kind.
constexpr int kDefendWeight[KIND_NB] = {0, 1, 1, 1, 2, 2, 1, 1, 1, 2, 2, 2, 2, 0, 2, 1, 0};
// How much a kind in the enemy's hand threatens a royal piece: it can be dropped beside it.
constexpr int kHandThreat[kHandKinds] = {0, 1, 1, 1, 2, 2, 2, 3};
// Reach of the long-range pieces, per square they could move to.
constexpr int kMobility[KIND_NB] = {0, 0, 2, 0, 0, 0, 5, 4, 0, 0, 0, 0, 0, 0, 4, 3, 0};
// An unpromoted rook or bishop with an open line into the enemy camp.
constexpr int kPromotionThreat[KIND_NB] = {0, 0, 0, 0, 0, 0, 30, 40};

constexpr int kMaxSafetyPenalty = 1000;

struct RoyalWatch {
    int x = 0, y = 0; // 0: no such royal piece
    int attack = 0, defence = 0;
};

int chebyshev(int x1, int y1, int x2, int y2) {
    return std::max(std::abs(x1 - x2), std::abs(y1 - y2));
}

// Counts the squares a long-range piece reaches and whether one of its lines enters the zone
// where it would promote.
// The zone is looked at only when `zone` is asked for.
int reach(const Position& pos, Square from, Piece p, bool zone, bool& intoZone) {
    const Color us = colorOf(p);
    const int slides = pieceMoves().slide[p];
    int mobility = 0;
    for (int i = 0; i < 8; ++i) {
        if (!(slides >> i & 1)) continue;
        const int d = kDirections[i];
        Square s = from + d;
        for (; pos.at(s) == NO_PIECE; s += d) ++mobility;
        const Piece t = pos.at(s);
        if (t != WALL && colorOf(t) != us) {
            ++mobility;
            s += d;
        }
        // The last square reached decides: lines run straight, so the zone, if the line
        // enters it at all, holds the line's far end.
        if (zone && inZone(us, rowOf(s - d)) && s - d != from) intoZone = true;
    }
    return mobility;
}

// The penalty of one royal piece from the pieces around it and the enemy's hand.
int safetyPenalty(const RoyalWatch& w, int handThreat, bool secondRoyal) {
    if (w.x == 0) return 0;
    int danger = 2 * w.attack + handThreat - 2 * w.defence;
    if (w.attack > 0) danger += handThreat; // drops join an attack that is already there
    if (danger <= 0) return 0;
    int penalty = std::min(kMaxSafetyPenalty, danger * danger * 3 / 2);
    // A side with two royal pieces survives the loss of one.
    return secondRoyal ? penalty / 2 : penalty;
}

} // namespace

int materialScore(const Position& pos) {
    int score = pos.material();
    if (pos.royalCount(LOWER) >= 2) score += eval::kTwoRoyals;
    if (pos.royalCount(UPPER) >= 2) score -= eval::kTwoRoyals;
    return (pos.sideToMove() == LOWER ? score : -score) + eval::kTempo;
}

int evaluate(const Position& pos) {
    // Everything is summed from the lower side's view, then turned for the side to move.
    int score = pos.material();
    if (pos.royalCount(LOWER) >= 2) score += eval::kTwoRoyals;
    if (pos.royalCount(UPPER) >= 2) score -= eval::kTwoRoyals;

    RoyalWatch watch[2][2]; // [side][king, prince]
    for (Color c : {LOWER, UPPER}) {
        const Square squares[2] = {pos.kingSquare(c), pos.princeSquare(c)};
        for (int r = 0; r < 2; ++r)
            if (squares[r]) watch[c][r] = {fileOf(squares[r]), rowOf(squares[r])};
    }

    int terms[2] = {0, 0};
    for (Color c : {LOWER, UPPER})
        pos.pieces(c).forEach([&](Square s) {
            const Piece p = pos.at(s);
            const int x = fileOf(s), y = rowOf(s);
            const int kind = kindOf(p);
            // Near the enemy's royal pieces it attacks; beside its own it shields.
            for (RoyalWatch& w : watch[~c]) {
                if (w.x == 0) continue;
                const int d = chebyshev(x, y, w.x, w.y);
                if (d <= 2) w.attack += kAttackWeight[kind] * (d == 1 ? 2 : 1);
            }
            for (RoyalWatch& w : watch[c])
                if (w.x != 0 && chebyshev(x, y, w.x, w.y) == 1) w.defence += kDefendWeight[kind];
            if (kMobility[kind]) {
                const bool zone = kPromotionThreat[kind] != 0 && !inZone(c, y);
                bool intoZone = false;
                const int mobility = reach(pos, s, p, zone, intoZone);
                terms[c] += kMobility[kind] * (mobility - 4);
                if (intoZone) terms[c] += kPromotionThreat[kind];
            }
        });

    for (Color c : {LOWER, UPPER}) {
        int handThreat = 0;
        for (int kind = 1; kind < kHandKinds; ++kind)
            if (pos.hand(~c, kind) > 0) handThreat += kHandThreat[kind];
        const bool two = pos.royalCount(c) >= 2;
        for (const RoyalWatch& w : watch[c]) terms[c] -= safetyPenalty(w, handThreat, two);
    }
    score += terms[LOWER] - terms[UPPER];
    return (pos.sideToMove() == LOWER ? score : -score) + eval::kTempo;
}

} // namespace kelvore::engine
