#include "engine/Position.h"

#include "rules/Pieces.h"

#include <cassert>
#include <cstdlib>
#include <cstring>

namespace kelvore::engine {

namespace {

constexpr int kUp = 1 << 0, kDown = 1 << 1, kLeft = 1 << 2, kRight = 1 << 3;
constexpr int kUpLeft = 1 << 4, kUpRight = 1 << 5, kDownLeft = 1 << 6, kDownRight = 1 << 7;
constexpr int kAll = 0xFF, kOrthogonal = kUp | kDown | kLeft | kRight;
constexpr int kDiagonal = kUpLeft | kUpRight | kDownLeft | kDownRight;
constexpr int kGoldSteps = kUp | kUpLeft | kUpRight | kLeft | kRight | kDown;

// The same directions seen from the other side of the board.
constexpr int turned(int mask) {
    int r = 0;
    constexpr int opposite[8] = {1, 0, 3, 2, 7, 6, 5, 4};
    for (int i = 0; i < 8; ++i)
        if (mask & (1 << i)) r |= 1 << opposite[i];
    return r;
}

constexpr PieceMoves makePieceMoves() {
    PieceMoves t{};
    for (int kind = 1; kind < KIND_NB; ++kind) {
        int step = 0, slide = 0;
        switch (kind) {
        case PAWN: step = kUp; break;
        case LANCE: slide = kUp; break;
        case KNIGHT: break; // jumps, handled on its own
        case SILVER: step = kUp | kDiagonal; break;
        case BISHOP: slide = kDiagonal; break;
        case ROOK: slide = kOrthogonal; break;
        case ELEPHANT: step = kAll & ~kDown; break; // never straight back
        case KING:
        case PRINCE: step = kAll; break;
        case HORSE:
            step = kOrthogonal;
            slide = kDiagonal;
            break;
        case DRAGON:
            step = kDiagonal;
            slide = kOrthogonal;
            break;
        default: step = kGoldSteps; break; // gold and the promoted small pieces
        }
        t.step[makePiece(LOWER, kind)] = std::uint8_t(step);
        t.slide[makePiece(LOWER, kind)] = std::uint8_t(slide);
        t.step[makePiece(UPPER, kind)] = std::uint8_t(turned(step));
        t.slide[makePiece(UPPER, kind)] = std::uint8_t(turned(slide));
    }
    return t;
}

constexpr PieceMoves kPieceMoves = makePieceMoves();

// The engine's kind of a game code's magnitude, NO_KIND for anything else.
int kindOfCode(int magnitude) {
    using namespace piece;
    switch (magnitude) {
    case HU: return PAWN;
    case TO: return PRO_PAWN;
    case KYOU: return LANCE;
    case NKYOU: return PRO_LANCE;
    case KEI: return KNIGHT;
    case NKEI: return PRO_KNIGHT;
    case GIN: return SILVER;
    case NGIN: return PRO_SILVER;
    case KIN:
    case NKIN: return GOLD;
    case KAKU: return BISHOP;
    case UMA: return HORSE;
    case SYA: return ROOK;
    case RYU: return DRAGON;
    case ZOU: return ELEPHANT;
    case KO: return PRINCE;
    case OU: return KING;
    default: return NO_KIND;
    }
}

} // namespace

const PieceMoves& pieceMoves() {
    return kPieceMoves;
}

Position::Position() {
    const int empty[10][10] = {};
    const int noHand[8] = {};
    set(empty, noHand, noHand, LOWER);
}

void Position::set(const int board[10][10], const int lowerHand[8], const int upperHand[8],
                   Color sideToMove) {
    for (Piece& p : board_) p = WALL;
    pieces_[0] = pieces_[1] = {};
    std::memset(hand_, 0, sizeof hand_);
    std::memset(pawnFiles_, 0, sizeof pawnFiles_);
    handTotal_[0] = handTotal_[1] = 0;
    royals_[0] = royals_[1] = 0;
    king_[0] = king_[1] = prince_[0] = prince_[1] = 0;
    side_ = sideToMove;
    key_ = side_ == UPPER ? zobrist::kKeys.upperToMove : 0;
    material_ = 0;
    ply_ = 0;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            board_[square(x, y)] = NO_PIECE;
            const int code = board[x][y];
            const int kind = kindOfCode(std::abs(code));
            if (kind != NO_KIND) put(square(x, y), makePiece(code < 0 ? LOWER : UPPER, kind));
        }
    for (int kind = 1; kind < kHandKinds; ++kind)
        for (Color c : {LOWER, UPPER}) {
            const int n = c == LOWER ? lowerHand[kind] : upperHand[kind];
            for (int i = 0; i < n && i < 40; ++i) addToHand(c, kind);
        }
    stack_[0] = {key_, material_, 0};
}

void Position::put(Square s, Piece p) {
    board_[s] = p;
    pieces_[colorOf(p)].add(s);
    key_ ^= zobrist::kKeys.piece[p][s];
    material_ += eval::kTables.pieceSquare[p][s];
    const Color c = colorOf(p);
    const int kind = kindOf(p);
    if (kind == PAWN) ++pawnFiles_[c][fileOf(s)];
    if (kind == KING) {
        king_[c] = s;
        ++royals_[c];
    } else if (kind == PRINCE) {
        prince_[c] = s;
        ++royals_[c];
    }
}

void Position::remove(Square s) {
    const Piece p = board_[s];
    board_[s] = NO_PIECE;
    pieces_[colorOf(p)].erase(s);
    key_ ^= zobrist::kKeys.piece[p][s];
    material_ -= eval::kTables.pieceSquare[p][s];
    const Color c = colorOf(p);
    const int kind = kindOf(p);
    if (kind == PAWN) --pawnFiles_[c][fileOf(s)];
    if (kind == KING || kind == PRINCE) {
        Square& known = kind == KING ? king_[c] : prince_[c];
        if (known == s) known = 0;
        --royals_[c];
        // A position set up with two kings (or princes) of one side: keep one in view.
        if ((king_[c] != 0) + (prince_[c] != 0) < royals_[c]) findRoyals(c);
    }
}

void Position::findRoyals(Color c) {
    pieces_[c].forEach([&](Square s) {
        if (kindOf(board_[s]) == KING && !king_[c]) king_[c] = s;
        if (kindOf(board_[s]) == PRINCE && !prince_[c]) prince_[c] = s;
    });
}

void Position::addToHand(Color c, int kind) {
    const int n = hand_[c][kind];
    key_ ^= zobrist::handKey(c, kind, n) ^ zobrist::handKey(c, kind, n + 1);
    material_ += eval::kTables.hand[c][kind][n + 1] - eval::kTables.hand[c][kind][n];
    hand_[c][kind] = std::uint8_t(n + 1);
    ++handTotal_[c];
}

void Position::takeFromHand(Color c, int kind) {
    const int n = hand_[c][kind];
    key_ ^= zobrist::handKey(c, kind, n) ^ zobrist::handKey(c, kind, n - 1);
    material_ += eval::kTables.hand[c][kind][n - 1] - eval::kTables.hand[c][kind][n];
    hand_[c][kind] = std::uint8_t(n - 1);
    --handTotal_[c];
}

void Position::make(Mv m) {
    assert(ply_ + 1 < kStackSize);
    const Color us = side_;
    const Square to = m.to();
    if (m.isDrop()) {
        takeFromHand(us, m.dropKind());
        put(to, makePiece(us, m.dropKind()));
    } else {
        const Piece captured = board_[to];
        if (captured != NO_PIECE) {
            remove(to);
            const int kind = handKindOf(kindOf(captured));
            if (kind != NO_KIND) addToHand(us, kind);
        }
        const Piece moved = board_[m.from()];
        remove(m.from());
        put(to, m.promotes() ? makePiece(us, promotedKind(kindOf(moved))) : moved);
    }
    side_ = ~us;
    key_ ^= zobrist::kKeys.upperToMove;
    ++ply_;
    stack_[ply_] = {key_, material_, stack_[ply_ - 1].pliesFromNull + 1};
    assert(isOk());
}

void Position::unmake(Mv m) {
    --ply_;
    const Color us = ~side_;
    side_ = us;
    const Square to = m.to();
    if (m.isDrop()) {
        remove(to);
        addToHand(us, m.dropKind());
    } else {
        remove(to);
        put(m.from(), m.moved());
        const Piece captured = m.captured();
        if (captured != NO_PIECE) {
            const int kind = handKindOf(kindOf(captured));
            if (kind != NO_KIND) takeFromHand(us, kind);
            put(to, captured);
        }
    }
    // The sums and the key come back by the same steps in reverse; the saved copies make sure.
    key_ = stack_[ply_].key;
    material_ = stack_[ply_].material;
    assert(isOk());
}

void Position::makeNull() {
    side_ = ~side_;
    key_ ^= zobrist::kKeys.upperToMove;
    ++ply_;
    stack_[ply_] = {key_, material_, 0};
}

void Position::unmakeNull() {
    --ply_;
    side_ = ~side_;
    key_ = stack_[ply_].key;
}

bool Position::attacked(Square s, Color by) const {
    const std::uint8_t* step = kPieceMoves.step;
    const std::uint8_t* slide = kPieceMoves.slide;
    const int mine = by == UPPER ? 32 : 0;
    for (int i = 0; i < 8; ++i) {
        const int d = kDirections[i];
        Square q = s - d;
        Piece p = board_[q];
        if (p != NO_PIECE) {
            if (p != WALL && (p & 32) == mine && ((step[p] | slide[p]) >> i & 1)) return true;
            continue;
        }
        // An empty neighbour: only a slider further along can reach s.
        for (q -= d; (p = board_[q]) == NO_PIECE; q -= d) {}
        if (p != WALL && (p & 32) == mine && (slide[p] >> i & 1)) return true;
    }
    // Knights jump two forward and one sideways.
    const Square k = by == LOWER ? s + 2 * DOWN : s + 2 * UP;
    const Piece knight = makePiece(by, KNIGHT);
    return board_[k + LEFT] == knight || board_[k + RIGHT] == knight;
}

bool Position::royalAttacked(Color c) const {
    return (king_[c] && attacked(king_[c], ~c)) || (prince_[c] && attacked(prince_[c], ~c));
}

bool Position::lastRoyalAttacked(Color c) const {
    if (royals_[c] != 1) return false;
    const Square s = king_[c] ? king_[c] : prince_[c];
    return s && attacked(s, ~c);
}

std::uint64_t Position::computeKey() const {
    std::uint64_t k = side_ == UPPER ? zobrist::kKeys.upperToMove : 0;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const Piece p = board_[square(x, y)];
            if (p != NO_PIECE) k ^= zobrist::kKeys.piece[p][square(x, y)];
        }
    for (Color c : {LOWER, UPPER})
        for (int kind = 1; kind < kHandKinds; ++kind)
            k ^= zobrist::handKey(c, kind, hand_[c][kind]);
    return k;
}

bool Position::isOk() const {
    int material = 0, royals[2] = {0, 0}, totals[2] = {0, 0}, kings[2] = {0, 0};
    int princes[2] = {0, 0};
    SquareSet sets[2];
    std::uint8_t pawns[2][10] = {};
    for (Square s = 0; s < SQUARE_NB; ++s) {
        const int x = fileOf(s), y = rowOf(s);
        const Piece p = board_[s];
        if (!onBoard(x, y)) {
            if (p != WALL) return false;
            continue;
        }
        if (p == NO_PIECE) continue;
        if (p == WALL || kindOf(p) == NO_KIND || kindOf(p) >= KIND_NB) return false;
        sets[colorOf(p)].add(s);
        material += eval::kTables.pieceSquare[p][s];
        const Color c = colorOf(p);
        if (kindOf(p) == PAWN) ++pawns[c][x];
        if (isRoyal(kindOf(p))) ++royals[c];
        kings[c] += kindOf(p) == KING;
        princes[c] += kindOf(p) == PRINCE;
    }
    for (Color c : {LOWER, UPPER}) {
        for (int kind = 1; kind < kHandKinds; ++kind) {
            material += eval::kTables.hand[c][kind][hand_[c][kind]];
            totals[c] += hand_[c][kind];
        }
        if (totals[c] != handTotal_[c] || royals[c] != royals_[c]) return false;
        // Every side with a king (a prince) knows where one stands.
        if ((kings[c] > 0) != (king_[c] != 0) || (princes[c] > 0) != (prince_[c] != 0))
            return false;
        if (king_[c] && (kindOf(board_[king_[c]]) != KING || colorOf(board_[king_[c]]) != c))
            return false;
        if (prince_[c] &&
            (kindOf(board_[prince_[c]]) != PRINCE || colorOf(board_[prince_[c]]) != c))
            return false;
        if (std::memcmp(pawns[c], pawnFiles_[c], sizeof pawns[c]) != 0) return false;
        if (sets[c].low != pieces_[c].low || sets[c].high != pieces_[c].high) return false;
    }
    return material == material_ && computeKey() == key_ && stack_[ply_].key == key_ &&
           stack_[ply_].material == material_;
}

} // namespace kelvore::engine
