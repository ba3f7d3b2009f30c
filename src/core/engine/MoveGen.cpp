#include "engine/MoveGen.h"

#include "engine/GameEnd.h"

#include <cstdlib>

namespace kelvore::engine {

namespace {

// The last rank of a side, and the rank before it, seen from that side.
constexpr int lastRank(Color c) {
    return c == LOWER ? 1 : 9;
}
constexpr bool inLastTwo(Color c, int y) {
    return c == LOWER ? y <= 2 : y >= 8;
}

// Whether a board move may promote, and whether the piece could stay unpromoted on its target.
struct Promotion {
    bool may;
    bool must;
};

inline Promotion promotion(Color c, int kind, int fromY, int toY) {
    switch (kind) {
    case PAWN:
    case LANCE: return {inZone(c, toY), toY == lastRank(c)};
    case KNIGHT: return {inZone(c, toY), inLastTwo(c, toY)};
    case SILVER:
    case BISHOP:
    case ROOK:
    case ELEPHANT: return {inZone(c, toY) || inZone(c, fromY), false};
    default: return {false, false};
    }
}

template <GenType T>
inline void addBoardMove(MvList& list, Color us, Square from, Square to, Piece moved,
                         Piece captured) {
    if (T == GenType::Captures || T == GenType::QCaptures) {
        if (captured == NO_PIECE) return;
    } else if (T == GenType::Quiets) {
        if (captured != NO_PIECE) return;
    }
    const Promotion p = promotion(us, kindOf(moved), rowOf(from), rowOf(to));
    if (p.may) list.push(Mv::board(from, to, moved, captured, true));
    if (!p.must && !(T == GenType::QCaptures && p.may))
        list.push(Mv::board(from, to, moved, captured, false));
}

template <GenType T> void generateBoardMoves(const Position& pos, MvList& list) {
    const Color us = pos.sideToMove();
    const int mine = us == UPPER ? 32 : 0;
    const PieceMoves& pm = pieceMoves();
    // A target is open when it is empty or holds an enemy piece; walls and own pieces are
    // closed.
    auto open = [&](Piece t) { return t == NO_PIECE || (t != WALL && (t & 32) != mine); };
    pos.pieces(us).forEach([&](Square from) {
        const Piece p = pos.at(from);
        if (kindOf(p) == KNIGHT) {
            const Square k = from + (us == LOWER ? 2 * UP : 2 * DOWN);
            for (Square to : {k + LEFT, k + RIGHT})
                if (open(pos.at(to))) addBoardMove<T>(list, us, from, to, p, pos.at(to));
            return;
        }
        const int steps = pm.step[p], slides = pm.slide[p];
        for (int i = 0; i < 8; ++i) {
            const int d = kDirections[i];
            if (steps >> i & 1) {
                const Square to = from + d;
                if (open(pos.at(to))) addBoardMove<T>(list, us, from, to, p, pos.at(to));
            } else if (slides >> i & 1) {
                Square to = from + d;
                for (; pos.at(to) == NO_PIECE; to += d)
                    if (T != GenType::Captures && T != GenType::QCaptures)
                        addBoardMove<T>(list, us, from, to, p, NO_PIECE);
                if (open(pos.at(to))) addBoardMove<T>(list, us, from, to, p, pos.at(to));
            }
        }
    });
}

// True when the piece `p` standing on `s` could move onto `target`, with `vacated` counted as
// empty (the square the piece has just left).
bool attacksFrom(const Position& pos, Piece p, Square s, Square target, Square vacated) {
    const Color c = colorOf(p);
    if (kindOf(p) == KNIGHT) {
        const Square k = s + (c == LOWER ? 2 * UP : 2 * DOWN);
        return target == k + LEFT || target == k + RIGHT;
    }
    const PieceMoves& pm = pieceMoves();
    const int fileStep = fileOf(target) - fileOf(s), rowStep = rowOf(target) - rowOf(s);
    const int dx = (fileStep > 0) - (fileStep < 0), dy = (rowStep > 0) - (rowStep < 0);
    if (dx == 0 && dy == 0) return false;
    const int d = dx * RIGHT + dy * DOWN;
    int i = 0;
    while (kDirections[i] != d) ++i;
    const bool oneStep = std::abs(fileStep) <= 1 && std::abs(rowStep) <= 1;
    if (oneStep) return ((pm.step[p] | pm.slide[p]) >> i & 1) != 0;
    // Further away: only along a line, by a slider, over empty squares.
    if (!(pm.slide[p] >> i & 1)) return false;
    if (fileStep != 0 && rowStep != 0 && std::abs(fileStep) != std::abs(rowStep)) return false;
    for (Square q = s + d; q != target; q += d)
        if (pos.at(q) != NO_PIECE && q != vacated) return false;
    return true;
}

// Drops that attack the royal piece on `r`: the squares from which each kind in hand reaches
// it, found by walking back from the royal square. `done` marks squares already given for a
// kind, so that a square attacking both royal pieces is given once.
void generateCheckingDrops(const Position& pos, Square r, MvList& list,
                           std::uint8_t (&done)[kHandKinds][SQUARE_NB]) {
    const Color us = pos.sideToMove();
    for (int kind = 1; kind < kHandKinds; ++kind) {
        if (pos.hand(us, kind) == 0) continue;
        const Piece p = makePiece(us, kind);
        auto add = [&](Square s) {
            if (pos.at(s) != NO_PIECE || done[kind][s]) return;
            const int x = fileOf(s), y = rowOf(s);
            if (kind == PAWN && (y == lastRank(us) || pos.pawnOnFile(us, x))) return;
            if (kind == LANCE && y == lastRank(us)) return;
            if (kind == KNIGHT && inLastTwo(us, y)) return;
            done[kind][s] = 1;
            list.push(Mv::drop(kind, s, p));
        };
        if (kind == KNIGHT) {
            // A knight reaches r from two forward-and-one-sideways behind it.
            const Square k = r - (us == LOWER ? 2 * UP : 2 * DOWN);
            add(k + LEFT);
            add(k + RIGHT);
            continue;
        }
        const PieceMoves& pm = pieceMoves();
        for (int i = 0; i < 8; ++i) {
            const int d = kDirections[i];
            if (pm.step[p] >> i & 1) add(r - d);
            if (pm.slide[p] >> i & 1)
                for (Square s = r - d; pos.at(s) == NO_PIECE; s -= d) add(s);
        }
    }
}

void generateQuietChecks(const Position& pos, MvList& list) {
    const Color them = ~pos.sideToMove();
    const Square royals[2] = {pos.kingSquare(them), pos.princeSquare(them)};
    if (!pos.handEmpty(pos.sideToMove())) {
        std::uint8_t done[kHandKinds][SQUARE_NB] = {};
        for (Square r : royals)
            if (r) generateCheckingDrops(pos, r, list, done);
    }
    MvList quiet;
    generateBoardMoves<GenType::Quiets>(pos, quiet);
    for (const Mv m : quiet)
        if (givesCheck(pos, m)) list.push(m);
}

void generateDrops(const Position& pos, MvList& list) {
    const Color us = pos.sideToMove();
    if (pos.handEmpty(us)) return;
    int kinds[kHandKinds], count = 0;
    for (int kind = 1; kind < kHandKinds; ++kind)
        if (pos.hand(us, kind) > 0) kinds[count++] = kind;
    for (int y = 1; y <= 9; ++y)
        for (int x = 1; x <= 9; ++x) {
            const Square to = square(x, y);
            if (pos.at(to) != NO_PIECE) continue;
            for (int i = 0; i < count; ++i) {
                const int kind = kinds[i];
                if (kind == PAWN && (y == lastRank(us) || pos.pawnOnFile(us, x))) continue;
                if (kind == LANCE && y == lastRank(us)) continue;
                if (kind == KNIGHT && inLastTwo(us, y)) continue;
                list.push(Mv::drop(kind, to, makePiece(us, kind)));
            }
        }
}

} // namespace

void generate(const Position& pos, MvList& list, GenType type) {
    if (pos.royalCount(pos.sideToMove()) == 0) return;
    switch (type) {
    case GenType::All:
        generateBoardMoves<GenType::All>(pos, list);
        generateDrops(pos, list);
        break;
    case GenType::Captures: generateBoardMoves<GenType::Captures>(pos, list); break;
    case GenType::QCaptures: generateBoardMoves<GenType::QCaptures>(pos, list); break;
    case GenType::Quiets:
        generateBoardMoves<GenType::Quiets>(pos, list);
        generateDrops(pos, list);
        break;
    case GenType::QuietChecks: generateQuietChecks(pos, list); break;
    }
}

bool givesCheck(const Position& pos, Mv m) {
    const Color them = ~pos.sideToMove();
    const Piece placed =
        m.promotes() ? makePiece(pos.sideToMove(), promotedKind(kindOf(m.moved()))) : m.moved();
    const Square vacated = m.isDrop() ? 0 : m.from();
    for (Square r : {pos.kingSquare(them), pos.princeSquare(them)})
        if (r && attacksFrom(pos, placed, m.to(), r, vacated)) return true;
    return false;
}

bool isPseudoLegal(const Position& pos, Mv m) {
    if (m.isNone()) return false;
    const Color us = pos.sideToMove();
    if (pos.royalCount(us) == 0) return false;
    const Square to = m.to();
    if (to < 0 || to >= SQUARE_NB || !onBoard(fileOf(to), rowOf(to))) return false;
    if (m.isDrop()) {
        const int kind = m.dropKind();
        if (kind < PAWN || kind > ROOK || pos.hand(us, kind) == 0) return false;
        if (pos.at(to) != NO_PIECE || m.moved() != makePiece(us, kind) || m.promotes())
            return false;
        const int x = fileOf(to), y = rowOf(to);
        if (kind == PAWN && (y == lastRank(us) || pos.pawnOnFile(us, x))) return false;
        if (kind == LANCE && y == lastRank(us)) return false;
        if (kind == KNIGHT && inLastTwo(us, y)) return false;
        return true;
    }
    const Square from = m.from();
    if (from < 0 || from >= SQUARE_NB || !onBoard(fileOf(from), rowOf(from))) return false;
    const Piece p = pos.at(from);
    if (p != m.moved() || p == NO_PIECE || colorOf(p) != us) return false;
    if (pos.at(to) != m.captured()) return false;
    const Piece t = pos.at(to);
    if (t != NO_PIECE && colorOf(t) == us) return false;
    const Promotion pr = promotion(us, kindOf(p), rowOf(from), rowOf(to));
    if (m.promotes() ? !pr.may : pr.must) return false;
    // The geometry: a step, a jump, or a slide over empty squares.
    if (kindOf(p) == KNIGHT) {
        const Square k = from + (us == LOWER ? 2 * UP : 2 * DOWN);
        return to == k + LEFT || to == k + RIGHT;
    }
    const PieceMoves& pm = pieceMoves();
    for (int i = 0; i < 8; ++i) {
        const int d = kDirections[i];
        if ((pm.step[p] >> i & 1) && to == from + d) return true;
        if (pm.slide[p] >> i & 1) {
            for (Square s = from + d;; s += d) {
                if (s == to) return true;
                if (pos.at(s) != NO_PIECE) break;
            }
        }
    }
    return false;
}

namespace {

std::uint64_t count(Position& pos, int depth, PerftStop* stop) {
    if (depth == 0) return 1;
    if (royalTaken(pos)) return 0;
    MvList list;
    generate(pos, list);
    // A line of one more move always has that length, whatever it captures.
    if (depth == 1) return std::uint64_t(list.size);
    std::uint64_t total = 0;
    for (const Mv m : list) {
        if (stop != nullptr && (stop->stopped || stop->requested.load(std::memory_order_relaxed))) {
            stop->stopped = true;
            break;
        }
        pos.make(m);
        total += count(pos, depth - 1, stop);
        pos.unmake(m);
    }
    return total;
}

} // namespace

std::uint64_t perft(Position& pos, int depth) {
    return count(pos, depth, nullptr);
}

std::uint64_t perft(Position& pos, int depth, PerftStop& stop) {
    return count(pos, depth, &stop);
}

} // namespace kelvore::engine
