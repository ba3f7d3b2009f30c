// The one judge of whether a piece may go from one square to another, or be dropped from a
// hand onto a square. It is geometric only: a move that leaves the mover's own royal piece
// attacked is legal here; check is the callers' business.
#include "Form1.h"

namespace kelvore {

using namespace piece;

namespace {

constexpr bool isDropColumn(int x) {
    return x == 11 || x == -1;
}
constexpr int absolute(int v) {
    return v < 0 ? -v : v;
}

} // namespace

int Form1::移動チェック(int 移動元X, int 移動元Y, int 移動先X, int 移動先Y, int 駒) const {
    if (移動先X < 1 || 移動先X > 9 || 移動先Y < 1 || 移動先Y > 9) return 0;
    if (移動先X == 移動元X && 移動先Y == 移動元Y) return 0;

    const int target = Board[移動先X][移動先Y];
    if (駒 >= HU) {
        if (target >= HU) return 0;
    } else if (target <= -HU) {
        return 0;
    }

    if (isDropColumn(移動元X)) {
        if (target != KARA) return 0;
        if (駒 == -HU && ManPawnFile[移動先X] == 1) return 0;
        if (駒 == HU && ComPawnFile[移動先X] == 1) return 0;
        // Pawns, lances and knights may not be dropped where they could never move again.
        switch (駒) {
        case HU:
        case KYOU: return 移動先Y == 9 ? 0 : 1;
        case -HU:
        case -KYOU: return 移動先Y == 1 ? 0 : 1;
        case KEI: return 移動先Y >= 8 ? 0 : 1;
        case -KEI: return 移動先Y <= 2 ? 0 : 1;
        default: return 1;
        }
    }

    const int dx = 移動先X - 移動元X;
    const int dy = 移動先Y - 移動元Y;
    const int forward = 駒 > 0 ? 1 : -1;
    const bool oneStep = absolute(dx) <= 1 && absolute(dy) <= 1;

    switch (absolute(駒)) {
    case HU: return dx == 0 && dy == forward ? 1 : 0;
    case KYOU:
        if (dx != 0 || dy * forward <= 0) return 0;
        return 移動チェック飛車(移動元X, 移動元Y, 移動先X, 移動先Y);
    case KEI: return dy == 2 * forward && absolute(dx) == 1 ? 1 : 0;
    case GIN:
        if (absolute(dx) > 1) return 0;
        return dy == forward || (dy == -forward && dx != 0) ? 1 : 0;
    case KIN:
    case TO:
    case NKYOU:
    case NKEI:
    case NGIN:
        if (absolute(dx) <= 1 && (dy == forward || dy == 0)) return 1;
        return dx == 0 && dy == -forward ? 1 : 0;
    case KAKU: return 移動チェック角(移動元X, 移動元Y, 移動先X, 移動先Y);
    case UMA: return oneStep ? 1 : 移動チェック角(移動元X, 移動元Y, 移動先X, 移動先Y);
    case SYA: return 移動チェック飛車(移動元X, 移動元Y, 移動先X, 移動先Y);
    case RYU: return oneStep ? 1 : 移動チェック飛車(移動元X, 移動元Y, 移動先X, 移動先Y);
    case ZOU:
        // The elephant may not step straight back.
        return oneStep && !(dx == 0 && dy == -forward) ? 1 : 0;
    case KO:
    case OU: return oneStep ? 1 : 0;
    default: return 1;
    }
}

// Orthogonal slide: one rank or one file, every square strictly between empty.
int Form1::移動チェック飛車(int 移動元X, int 移動元Y, int 移動先X, int 移動先Y) const {
    const int dx = 移動先X - 移動元X;
    const int dy = 移動先Y - 移動元Y;
    if (dx != 0 && dy != 0) return 0;
    if (dy != 0) {
        const int step = dy > 0 ? 1 : -1;
        for (int y = 移動元Y + step; y != 移動先Y; y += step)
            if (Board[移動元X][y] != KARA) return 0;
    }
    if (dx != 0) {
        const int step = dx > 0 ? 1 : -1;
        for (int x = 移動元X + step; x != 移動先X; x += step)
            if (Board[x][移動元Y] != KARA) return 0;
    }
    return 1;
}

// Diagonal slide: one diagonal, every square strictly between empty.
int Form1::移動チェック角(int 移動元X, int 移動元Y, int 移動先X, int 移動先Y) const {
    const int dx = 移動先X - 移動元X;
    const int dy = 移動先Y - 移動元Y;
    if (dx != dy && dx != -dy) return 0;
    const int sx = dx > 0 ? 1 : -1;
    const int sy = dy > 0 ? 1 : -1;
    const int n = absolute(dx);
    for (int i = 1; i < n; ++i)
        if (Board[移動元X + i * sx][移動元Y + i * sy] != KARA) return 0;
    return 1;
}

// The files that hold an unpromoted pawn of either side; a tokin does not count.
void Form1::調査_2歩フラグ設定() {
    for (int x = 1; x <= 9; ++x) {
        ManPawnFile[x] = 0;
        ComPawnFile[x] = 0;
        for (int y = 1; y <= 9; ++y) {
            if (Board[x][y] == -HU) ManPawnFile[x] = 1;
            if (Board[x][y] == HU) ComPawnFile[x] = 1;
        }
    }
}

} // namespace kelvore
