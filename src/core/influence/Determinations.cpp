// The long-range pieces and the gold-like pieces record their attacks here. A ray ends on the
// first occupied square, own or enemy, and records it; it passes through the enemy king (so the
// squares behind a king in check count as attacked) but stops on the enemy prince. Reaching
// either marks the check line: 1 on every square between, 9 on the ray's own square.
#include "influence/Record.h"

namespace kelvore {

using namespace influence;
using namespace piece;

namespace {

template <bool Lower> void walkRay(Form1& f, int c, int x, int y, int dx, int dy) {
    Map& checkLine = Lower ? f.NegCheckLine : f.PosCheckLine;
    const int enemyKing = Lower ? OU : -OU;
    const int enemyPrince = Lower ? KO : -KO;
    int i = x + dx, j = y + dy;
    while (onBoard(i, j)) {
        if constexpr (Lower)
            recordLower<false>(f, c, x, y, i, j);
        else
            recordUpper<kUpperRay>(f, c, x, y, i, j);
        const int t = f.Board[i][j];
        if (t == enemyKing || t == enemyPrince) {
            for (int a = x + dx, b = y + dy; a != i || b != j; a += dx, b += dy)
                checkLine[a][b] = 1;
            checkLine[x][y] = 9;
        }
        if (t != EMPTY && t != enemyKing) break;
        i += dx;
        j += dy;
    }
}

void ray(Form1& f, int c, int x, int y, int dx, int dy) {
    if (c <= -HU)
        walkRay<true>(f, c, x, y, dx, dy);
    else if (c > 0)
        walkRay<false>(f, c, x, y, dx, dy);
}

} // namespace

void Form1::勢力確定上直進(int 駒, int x, int y) {
    ray(*this, 駒, x, y, 0, -1);
}
void Form1::勢力確定下直進(int 駒, int x, int y) {
    ray(*this, 駒, x, y, 0, 1);
}
void Form1::勢力確定右直進(int 駒, int x, int y) {
    ray(*this, 駒, x, y, 1, 0);
}
void Form1::勢力確定左直進(int 駒, int x, int y) {
    ray(*this, 駒, x, y, -1, 0);
}

// The lower bishop and horse: their diagonals always record as a bishop.
void Form1::勢力確定自角(int x, int y) {
    walkRay<true>(*this, -KAKU, x, y, -1, -1);
    walkRay<true>(*this, -KAKU, x, y, 1, -1);
    walkRay<true>(*this, -KAKU, x, y, -1, 1);
    walkRay<true>(*this, -KAKU, x, y, 1, 1);
}

void Form1::勢力確定敵角(int 駒, int x, int y) {
    walkRay<false>(*this, 駒, x, y, -1, -1);
    walkRay<false>(*this, 駒, x, y, 1, -1);
    walkRay<false>(*this, 駒, x, y, -1, 1);
    walkRay<false>(*this, 駒, x, y, 1, 1);
}

void Form1::勢力確定自金(int 駒, int x, int y) {
    static constexpr int steps[6][2] = {{0, -1}, {-1, -1}, {1, -1}, {0, 1}, {-1, 0}, {1, 0}};
    for (const auto& s : steps)
        if (onBoard(x + s[0], y + s[1])) recordLower<true>(*this, 駒, x, y, x + s[0], y + s[1]);
}

// Every upper gold-like piece records as a gold, without positions and without threat values.
void Form1::勢力確定敵金(int x, int y) {
    static constexpr int steps[6][2] = {{0, -1}, {0, 1}, {-1, 1}, {1, 1}, {-1, 0}, {1, 0}};
    for (const auto& s : steps)
        if (onBoard(x + s[0], y + s[1]))
            recordUpper<kUpperGold>(*this, KIN, x, y, x + s[0], y + s[1]);
}

} // namespace kelvore
