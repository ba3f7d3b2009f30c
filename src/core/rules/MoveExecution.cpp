// Finishing a judged move: forced promotion, the promotion choice, the change of board and
// hands, and the repaint of the cells it touched.
#include "Form1.h"

namespace kelvore {

using namespace piece;

// 0 when the piece could never move again from row toY and so must promote there.
int Form1::移動後チェック(int 移動先Y, int 駒) const {
    switch (駒) {
    case HU:
    case KYOU: return 移動先Y == 9 ? 0 : 1;
    case KEI: return 移動先Y == 8 || 移動先Y == 9 ? 0 : 1;
    case -HU:
    case -KYOU: return 移動先Y == 1 ? 0 : 1;
    case -KEI: return 移動先Y == 1 || 移動先Y == 2 ? 0 : 1;
    default: return 1;
    }
}

// 1 when the move may promote; PromotedCode then holds the promoted code.
int Form1::調査_駒成(int 移動元X, int 移動元Y, int /*移動先X*/, int 移動先Y, int 駒) {
    if (!mayPromote(移動元X, 移動元Y, 移動先Y, 駒)) return 0;
    PromotedCode = promotedCode(駒);
    return 1;
}

void Form1::駒移動(int 移動元X, int 移動元Y, int 移動先X, int 移動先Y, int 駒) {
    const int captured = Board[移動先X][移動先Y];
    if (captured <= -HU) {
        駒取得(captured);
        描画_敵持盤();
    } else if (captured >= HU) {
        駒取得(captured);
        描画_自持盤();
    }

    描画_絵(EmptyPicture, 移動元X, 移動元Y);
    描画_桝輪郭(OutlineColor, 移動元X, 移動元Y);

    Board[移動先X][移動先Y] = 駒;
    if (駒 == -OU) ManKingPos = {移動先X, 移動先Y};

    if (移動元X == -1) {
        if (移動元Y >= 1 && 移動元Y <= 7) {
            EnemyHand[移動元Y] -= 1;
            EnemyHandCount -= 1;
        }
        描画_敵持盤();
    } else if (移動元X == 11) {
        if (移動元Y >= 3 && 移動元Y <= 9) {
            OwnHand[移動元Y - 2] -= 1;
            OwnHandCount -= 1;
        }
        描画_自持盤();
    } else {
        Board[移動元X][移動元Y] = KARA;
    }

    描画_絵(駒, 移動先X, 移動先Y);
    描画_桝輪郭(OutlineColor, 移動先X, 移動先Y);
}

// A captured piece enters the captor's hand unpromoted; the elephant, the prince and the king
// simply leave the board.
void Form1::駒取得(int 駒) {
    const int slot = handSlot(駒);
    if (slot == 0) return;
    if (駒 > 0) {
        OwnHand[slot] += 1;
        OwnHandCount += 1;
    } else {
        EnemyHand[slot] += 1;
        EnemyHandCount += 1;
    }
}

} // namespace kelvore
