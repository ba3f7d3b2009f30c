// The evaluation's terms, written once for two readers: the evaluation, whose sink adds up each
// feature's weight, and the tuner, whose sink counts the features. `sink.add(c, feature, n)`
// says that side `c` has `n` of `feature`; the side's sum is subtracted from the other's.
#pragma once

#include "engine/EvalFeatures.h"
#include "engine/Position.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace kelvore::engine::eval {

namespace detail {

// How much an enemy piece near a royal piece threatens it, by kind.
inline constexpr int kAttackWeight[KIND_NB] = {0, 1, 1, 2, 3, 3, 3, 3, 2, 3, 3, 3, 3, 0, 5, 6, 1};
// How much an own piece beside a royal piece shields it, by kind.
inline constexpr int kDefendWeight[KIND_NB] = {0, 1, 1, 1, 2, 2, 1, 1, 1, 2, 2, 2, 2, 0, 2, 1, 0};
// How much a kind in the enemy's hand threatens a royal piece: it can be dropped beside it.
inline constexpr int kHandThreat[kHandKinds] = {0, 1, 1, 1, 2, 2, 2, 3};
// The long-range kinds, whose reach counts.
inline constexpr bool kReaches[KIND_NB] = {false, false, true,  false, false, false,
                                           true,  true,  false, false, false, false,
                                           false, false, true,  true,  false};
// The unpromoted long-range kinds, whose lines into the zone count.
inline constexpr bool kPromotes[KIND_NB] = {false, false, false, false, false, false, true, true};

struct RoyalWatch {
    int x = 0, y = 0; // 0: no such royal piece
    int attack = 0, defence = 0;
};

inline int chebyshev(int x1, int y1, int x2, int y2) {
    return std::max(std::abs(x1 - x2), std::abs(y1 - y2));
}

// A kind's rank for threats: a piece attacked by one of lower rank is in danger even when it is
// defended.
inline constexpr int kRank[KIND_NB] = {0, 1, 2, 3, 4, 5, 7, 8, 5, 5, 5, 5, 5, 20, 9, 10, 20};

// Which squares each side attacks, how many times, and the lowest rank among the attackers.
struct Attacks {
    std::uint8_t count[2][SQUARE_NB];
    std::uint8_t least[2][SQUARE_NB];

    void clear() {
        std::memset(count, 0, sizeof count);
        std::memset(least, 0xFF, sizeof least);
    }
    void mark(Color c, Square s, int rank) {
        ++count[c][s];
        if (rank < least[c][s]) least[c][s] = std::uint8_t(rank);
    }
};

// Marks the squares the piece `p` on `from` attacks (when `Mark`). For a long-range piece it
// also counts the squares it reaches (empty ones and the first enemy piece of each line) and
// whether one of its lines enters the zone where it would promote (looked at only when `zone`
// is asked for).
template <bool Mark>
inline int markAttacks(const Position& pos, Square from, Piece p, Attacks& a, bool zone,
                       bool& intoZone) {
    const Color us = colorOf(p);
    const int rank = kRank[kindOf(p)];
    if (kindOf(p) == KNIGHT) {
        if constexpr (!Mark) return 0;
        const Square k = from + (us == LOWER ? 2 * UP : 2 * DOWN);
        for (Square t : {k + LEFT, k + RIGHT})
            if (pos.at(t) != WALL) a.mark(us, t, rank);
        return 0;
    }
    const PieceMoves& pm = pieceMoves();
    const int steps = pm.step[p], slides = pm.slide[p];
    int mobility = 0;
    for (int i = 0; i < 8; ++i) {
        const int d = kDirections[i];
        if (steps >> i & 1) {
            if constexpr (Mark)
                if (pos.at(from + d) != WALL) a.mark(us, from + d, rank);
            continue;
        }
        if (!(slides >> i & 1)) continue;
        Square s = from + d;
        for (; pos.at(s) == NO_PIECE; s += d) {
            if constexpr (Mark) a.mark(us, s, rank);
            ++mobility;
        }
        const Piece t = pos.at(s);
        if (t != WALL) {
            if constexpr (Mark) a.mark(us, s, rank);
            if (colorOf(t) != us) {
                ++mobility;
                s += d;
            }
        }
        // The last square reached decides: lines run straight, so the zone, if the line
        // enters it at all, holds the line's far end.
        if (zone && inZone(us, rowOf(s - d)) && s - d != from) intoZone = true;
    }
    return mobility;
}

// The danger of one royal piece from the pieces around it and the enemy's hand, 0..26.
inline int dangerOf(const RoyalWatch& w, int handThreat) {
    int danger = 2 * w.attack + handThreat - 2 * w.defence;
    if (w.attack > 0) danger += handThreat; // drops join an attack that is already there
    return std::clamp(danger, 0, kDangerNb - 1);
}

} // namespace detail

// True when some feature read from the attack maps (pieces threatened or hanging, the squares
// around the royal pieces) has a weight: the evaluation builds the maps only then.
constexpr bool weightsNeedAttackMaps(const int* weights) {
    for (int f = feature::Threatened; f < feature::Count; ++f)
        if (weights[f] != 0) return true;
    return false;
}

// Everything but the material and piece-square sum that the position keeps. A sink whose
// `kAttackMaps` is false does not need the features read from the attack maps, which are then
// neither built nor counted; the other features are the same either way.
template <class Sink> void addPositionalTerms(const Position& pos, Sink& sink) {
    using namespace detail;
    constexpr bool maps = Sink::kAttackMaps;
    RoyalWatch watch[2][2]; // [side][king, prince]
    for (Color c : {LOWER, UPPER}) {
        const Square squares[2] = {pos.kingSquare(c), pos.princeSquare(c)};
        for (int r = 0; r < 2; ++r)
            if (squares[r]) watch[c][r] = {fileOf(squares[r]), rowOf(squares[r])};
    }
    Attacks attacks;
    if constexpr (maps) attacks.clear();
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
            if (!maps && !kReaches[kind]) return;
            const bool zone = kPromotes[kind] && !inZone(c, y);
            bool intoZone = false;
            const int mobility = markAttacks<maps>(pos, s, p, attacks, zone, intoZone);
            if (kReaches[kind]) {
                sink.add(c, feature::Mobility + kind, mobility - 4);
                if (intoZone) sink.add(c, feature::PromotionThreat + kind, 1);
            }
        });
    for (Color c : {LOWER, UPPER}) {
        // Pieces the other side attacks.
        const int toMove = pos.sideToMove() == c ? 1 : 0;
        if constexpr (maps)
            pos.pieces(c).forEach([&](Square s) {
                if (attacks.count[~c][s] == 0) return;
                const int kind = kindOf(pos.at(s));
                if (isRoyal(kind)) return;
                if (attacks.least[~c][s] < kRank[kind])
                    sink.add(c, feature::Threatened + toMove * KIND_NB + kind, 1);
                if (attacks.count[c][s] == 0)
                    sink.add(c, feature::Hanging + toMove * KIND_NB + kind, 1);
            });
        int handThreat = 0;
        for (int kind = 1; kind < kHandKinds; ++kind)
            if (pos.hand(~c, kind) > 0) handThreat += kHandThreat[kind];
        const bool anyDrop = !pos.handEmpty(~c);
        const bool strongDrop =
            pos.hand(~c, GOLD) + pos.hand(~c, SILVER) + pos.hand(~c, BISHOP) + pos.hand(~c, ROOK) >
            0;
        const int two = pos.royalCount(c) >= 2 ? 1 : 0;
        const int zone = feature::RoyalZone + two * 4;
        for (const RoyalWatch& w : watch[c]) {
            if (w.x == 0) continue;
            sink.add(c, feature::Danger + two * kDangerNb + dangerOf(w, handThreat), 1);
            if constexpr (!maps) continue;
            // The squares around it; the royal piece itself defends each of them.
            const Square r = square(w.x, w.y);
            for (const int d : kDirections) {
                const Square q = r + d;
                const Piece there = pos.at(q);
                if (there == WALL) continue;
                const bool alone = attacks.count[c][q] <= 1;
                if (attacks.count[~c][q] > 0) {
                    sink.add(c, zone + 0, 1);
                    if (alone) sink.add(c, zone + 1, 1);
                }
                if (there == NO_PIECE && alone && anyDrop) {
                    sink.add(c, zone + 2, 1);
                    if (strongDrop) sink.add(c, zone + 3, 1);
                }
            }
        }
    }
}

// The material, piece-square and hand features and the second royal piece: what the position's
// running sum and materialScore() hold, counted for the tuner.
template <class Sink> void addMaterialTerms(const Position& pos, Sink& sink) {
    for (Color c : {LOWER, UPPER}) {
        pos.pieces(c).forEach([&](Square s) {
            const int kind = kindOf(pos.at(s));
            sink.add(c, feature::Material + kind, 1);
            sink.add(c, feature::PieceSquare + kind * kHalfBoard + halfSquare(c, s), 1);
        });
        for (int kind = 1; kind < kHandKinds; ++kind)
            for (int n = 1; n <= pos.hand(c, kind); ++n)
                sink.add(c, feature::Hand + kind * kHandSlots + std::min(n, handLimit(kind)), 1);
        if (pos.royalCount(c) >= 2) sink.add(c, feature::TwoRoyals, 1);
    }
}

} // namespace kelvore::engine::eval
