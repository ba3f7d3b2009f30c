#include "engine/See.h"

#include <algorithm>

namespace kelvore::engine {

namespace {

constexpr int kRoyalValue = 20000;

struct SeeValues {
    int value[KIND_NB];
};

constexpr SeeValues makeSeeValues() {
    SeeValues t{};
    for (int kind = 1; kind < KIND_NB; ++kind) {
        const int hand = handKindOf(kind);
        t.value[kind] =
            isRoyal(kind) ? kRoyalValue
                          : eval::pieceValue(kind) + (hand != NO_KIND ? eval::handValue(hand) : 0);
    }
    return t;
}

constexpr SeeValues kSeeValues = makeSeeValues();

// The pieces that may take on one square, for both sides: along each of the eight lines the
// pieces in order from the square outward (only the front one can take; the one behind it
// joins when the front one has gone), and the knights.
class Attackers {
public:
    Attackers(const Position& pos, Square to, Square vacated) : pos_(pos) {
        const PieceMoves& pm = pieceMoves();
        for (int i = 0; i < 8; ++i) {
            Line& line = lines_[i];
            line.count = line.front = 0;
            const int d = kDirections[i];
            int distance = 1;
            for (Square q = to - d; pos.at(q) != WALL && line.count < 8; q -= d, ++distance) {
                const Piece p = pos.at(q);
                if (p == NO_PIECE || q == vacated) continue;
                // Only a piece that reaches the square from here takes part; any other closes
                // the line for good.
                const bool reaches =
                    distance == 1 ? ((pm.step[p] | pm.slide[p]) >> i & 1) : (pm.slide[p] >> i & 1);
                if (!reaches) break;
                line.squares[line.count++] = q;
            }
        }
        for (Color c : {LOWER, UPPER}) {
            const Square k = c == LOWER ? to + 2 * DOWN : to + 2 * UP;
            knights_[c][0] = knights_[c][1] = 0;
            int n = 0;
            for (Square s : {k + LEFT, k + RIGHT})
                if (s != vacated && pos.at(s) == makePiece(c, KNIGHT)) knights_[c][n++] = s;
        }
    }

    // Takes the least valuable piece of `c` that can take on the square out of the exchange
    // and returns its kind, or NO_KIND when `c` has none left.
    int takeLeast(Color c) {
        int bestValue = kRoyalValue * 2, bestKind = NO_KIND;
        int bestLine = -1, bestKnight = -1;
        for (int i = 0; i < 8; ++i) {
            const Line& line = lines_[i];
            if (line.front >= line.count) continue;
            const Piece p = pos_.at(line.squares[line.front]);
            if (colorOf(p) != c) continue;
            const int v = kSeeValues.value[kindOf(p)];
            if (v < bestValue) {
                bestValue = v;
                bestKind = kindOf(p);
                bestLine = i;
            }
        }
        const int knightValue = kSeeValues.value[KNIGHT];
        for (int n = 0; n < 2; ++n)
            if (knights_[c][n] && knightValue < bestValue) {
                bestValue = knightValue;
                bestKind = KNIGHT;
                bestLine = -1;
                bestKnight = n;
            }
        if (bestLine >= 0) ++lines_[bestLine].front;
        if (bestKnight >= 0) knights_[c][bestKnight] = 0;
        return bestKind;
    }

private:
    struct Line {
        Square squares[8];
        int count, front;
    };
    const Position& pos_;
    Line lines_[8];
    Square knights_[2][2];
};

} // namespace

int seeValue(int kind) {
    return kSeeValues.value[kind];
}

int see(const Position& pos, Mv m) {
    const Square to = m.to();
    Attackers attackers(pos, to, m.isDrop() ? 0 : m.from());
    const int moved = kindOf(m.moved());
    const int placed = m.promotes() ? promotedKind(moved) : moved;
    // gain[d]: what the side making capture d wins if the exchange stopped after it.
    int gain[40];
    int depth = 0;
    gain[0] = m.captured() != NO_PIECE ? kSeeValues.value[kindOf(m.captured())] : 0;
    if (m.promotes()) gain[0] += eval::pieceValue(placed) - eval::pieceValue(moved);
    int onSquare = kSeeValues.value[placed];
    Color side = ~pos.sideToMove();
    while (depth < 38) {
        const int kind = attackers.takeLeast(side);
        if (kind == NO_KIND) break;
        ++depth;
        gain[depth] = onSquare - gain[depth - 1];
        onSquare = kSeeValues.value[kind];
        side = ~side;
    }
    // Each side may stop instead of taking.
    while (depth > 0) {
        gain[depth - 1] = -std::max(-gain[depth - 1], gain[depth]);
        --depth;
    }
    return gain[0];
}

bool seeAtLeast(const Position& pos, Mv m, int threshold) {
    // A capture that wins at least the threshold before anything is taken back, by a piece
    // worth less than what it takes, needs no exchange to be sure.
    if (m.captured() != NO_PIECE && !m.promotes()) {
        const int won = kSeeValues.value[kindOf(m.captured())];
        const int risked = kSeeValues.value[kindOf(m.moved())];
        if (won - risked >= threshold) return true;
    }
    return see(pos, m) >= threshold;
}

} // namespace kelvore::engine
