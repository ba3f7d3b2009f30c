// The move history: every move played, by a human or by the computer, in order.
#include "Form1.h"

namespace kelvore {

namespace {

template <class T> void store(std::vector<T>& field, int i, T value) {
    if (field.size() <= static_cast<std::size_t>(i)) field.resize(i + 1);
    field[i] = value;
}

} // namespace

// Appends one entry after the applied ones, dropping any entries beyond them. Called before the
// move is executed, so the target still holds the captured piece.
void Form1::手順保存(int 移動元X, int 移動元Y, int 移動先X, int 移動先Y, int 移動駒, int 置駒,
                     double MAN前, double MAN後, double COM前, double COM後) {
    KifuCursor += 1;
    const int i = KifuCursor;
    store(Kifu.FromX, i, 移動元X);
    store(Kifu.FromY, i, 移動元Y);
    store(Kifu.ToX, i, 移動先X);
    store(Kifu.ToY, i, 移動先Y);
    store(Kifu.MovedPiece, i, 移動駒);
    store(Kifu.PlacedPiece, i, 置駒);
    store(Kifu.CapturedPiece, i, Board[移動先X][移動先Y]);
    store(Kifu.ManTimeBefore, i, MAN前);
    store(Kifu.ManTimeAfter, i, MAN後);
    store(Kifu.ComTimeBefore, i, COM前);
    store(Kifu.ComTimeAfter, i, COM後);
    KifuLength = i;
}

} // namespace kelvore
