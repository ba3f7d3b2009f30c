#include "rules/TrialMove.h"

#include <cstdlib>

namespace kelvore {

using namespace piece;

namespace {

constexpr bool onBoard(int x, int y) {
    return x >= 1 && x <= 9 && y >= 1 && y <= 9;
}

void addBoardMove(Form1& f, int x, int y, int tx, int ty, int c, MoveList& out) {
    if (f.移動チェック(x, y, tx, ty, c) != 1) return;
    const bool mayStay = f.移動後チェック(ty, c) == 1;
    if (f.調査_駒成(x, y, tx, ty, c) == 1) {
        out.push({x, y, tx, ty, c, f.PromotedCode});
        if (mayStay) out.push({x, y, tx, ty, c, c});
    } else if (mayStay) {
        out.push({x, y, tx, ty, c, c});
    }
}

// Squares a piece could reach on an empty board: the judge decides the rest.
void candidates(Form1& f, int x, int y, int c, MoveList& out) {
    const int k = std::abs(c);
    const bool slidesStraight = k == KYOU || k == SYA || k == RYU;
    const bool slidesDiagonally = k == KAKU || k == UMA;
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy) {
            if (dx == 0 && dy == 0) continue;
            const bool diagonal = dx != 0 && dy != 0;
            const bool slides = diagonal ? slidesDiagonally : slidesStraight;
            for (int i = 1; i <= (slides ? 8 : 1); ++i) {
                const int tx = x + i * dx, ty = y + i * dy;
                if (!onBoard(tx, ty)) break;
                addBoardMove(f, x, y, tx, ty, c, out);
                if (f.Board[tx][ty] != EMPTY) break;
            }
        }
    if (k == KEI) {
        const int fy = y + (c > 0 ? 2 : -2);
        for (int dx : {-1, 1})
            if (onBoard(x + dx, fy)) addBoardMove(f, x, y, x + dx, fy, c, out);
    }
}

} // namespace

void generateMoves(Form1& f, int sign, MoveList& out) {
    out.size = 0;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int c = f.Board[x][y];
            if (sign < 0 ? c <= -HU : c >= HU) candidates(f, x, y, c, out);
        }
    const int* hand = sign < 0 ? f.OwnHand : f.EnemyHand;
    for (int slot = 1; slot <= 7; ++slot) {
        if (hand[slot] <= 0) continue;
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y) {
                const Move drop = Move::drop(sign, kSlotKind[slot], x, y);
                if (f.移動チェック(drop.fromX, drop.fromY, x, y, drop.moved) == 1) out.push(drop);
            }
    }
}

std::optional<Move> acceptedMove(Form1& f, int sign, const Move& m) {
    f.調査_2歩フラグ設定();
    if (!onBoard(m.toX, m.toY)) return std::nullopt;
    if (m.isDrop()) {
        const int kind = std::abs(m.moved);
        const int slot = handSlot(kind);
        if (slot == 0 || kSlotKind[slot] != kind || m != Move::drop(sign, kind, m.toX, m.toY))
            return std::nullopt;
        if ((sign < 0 ? f.OwnHand : f.EnemyHand)[slot] <= 0) return std::nullopt;
        if (f.移動チェック(m.fromX, m.fromY, m.toX, m.toY, m.moved) != 1) return std::nullopt;
        return m;
    }
    if (!onBoard(m.fromX, m.fromY)) return std::nullopt;
    const int c = f.Board[m.fromX][m.fromY];
    if (c != m.moved || (sign < 0 ? c > -HU : c < HU)) return std::nullopt;
    if (f.移動チェック(m.fromX, m.fromY, m.toX, m.toY, c) != 1) return std::nullopt;
    if (m.promotes()) {
        if (f.調査_駒成(m.fromX, m.fromY, m.toX, m.toY, c) != 1 || f.PromotedCode != m.placed)
            return std::nullopt;
    } else if (f.移動後チェック(m.toY, c) != 1) {
        return std::nullopt;
    }
    return m;
}

Undo makeMove(Form1& f, const Move& m) {
    Undo u{m, f.Board[m.toX][m.toY], f.ManKingPos};
    const int slot = handSlot(u.captured);
    if (slot != 0) {
        if (u.captured > 0) {
            f.OwnHand[slot] += 1;
            f.OwnHandCount += 1;
        } else {
            f.EnemyHand[slot] += 1;
            f.EnemyHandCount += 1;
        }
    }
    f.Board[m.toX][m.toY] = m.placed;
    if (m.placed == -OU) f.ManKingPos = {m.toX, m.toY};
    if (m.fromX == -1) {
        f.EnemyHand[m.fromY] -= 1;
        f.EnemyHandCount -= 1;
    } else if (m.fromX == 11) {
        f.OwnHand[m.fromY - 2] -= 1;
        f.OwnHandCount -= 1;
    } else {
        f.Board[m.fromX][m.fromY] = EMPTY;
    }
    return u;
}

void unmakeMove(Form1& f, const Undo& u) {
    const Move& m = u.move;
    if (m.fromX == -1) {
        f.EnemyHand[m.fromY] += 1;
        f.EnemyHandCount += 1;
    } else if (m.fromX == 11) {
        f.OwnHand[m.fromY - 2] += 1;
        f.OwnHandCount += 1;
    } else {
        f.Board[m.fromX][m.fromY] = m.moved;
    }
    f.Board[m.toX][m.toY] = u.captured;
    const int slot = handSlot(u.captured);
    if (slot != 0) {
        if (u.captured > 0) {
            f.OwnHand[slot] -= 1;
            f.OwnHandCount -= 1;
        } else {
            f.EnemyHand[slot] -= 1;
            f.EnemyHandCount -= 1;
        }
    }
    f.ManKingPos = u.manKing;
}

bool hasLostAllRoyals(const Form1& f, int sign) {
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int c = f.Board[x][y] * sign;
            if (c == OU || c == KO) return false;
        }
    return true;
}

namespace {

std::uint64_t count(Form1& f, int sign, int depth, PerftStop* stop) {
    if (depth == 0) return 1;
    if (hasLostAllRoyals(f, -1) || hasLostAllRoyals(f, 1)) return 0;
    f.調査_2歩フラグ設定();
    MoveList list;
    generateMoves(f, sign, list);
    if (depth == 1) {
        // A line of one more move always has that length, whatever it captures.
        return list.size;
    }
    std::uint64_t total = 0;
    for (const Move& m : list) {
        if (stop != nullptr && (stop->stopped || stop->requested.load(std::memory_order_relaxed))) {
            stop->stopped = true;
            break;
        }
        const Undo u = makeMove(f, m);
        total += count(f, -sign, depth - 1, stop);
        unmakeMove(f, u);
    }
    return total;
}

} // namespace

std::uint64_t perft(Form1& f, int sign, int depth) {
    return count(f, sign, depth, nullptr);
}

std::uint64_t perft(Form1& f, int sign, int depth, PerftStop& stop) {
    return count(f, sign, depth, &stop);
}

} // namespace kelvore
