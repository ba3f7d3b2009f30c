#include "record/RecordJudge.h"
#include "platform/Translate.h"

#include "rules/StartingPosition.h"
#include "rules/TrialMove.h"

#include <cstring>

namespace kelvore {

using namespace piece;

namespace {

bool onBoard(int x, int y) {
    return x >= 1 && x <= 9 && y >= 1 && y <= 9;
}

} // namespace

RecordJudge::RecordJudge() {
    placeStartingPosition(form_.Board);
}

RecordJudge::RecordJudge(const engine::GameSnapshot& start) {
    std::memcpy(form_.Board, start.board, sizeof form_.Board);
    std::memcpy(form_.OwnHand, start.lowerHand, sizeof form_.OwnHand);
    std::memcpy(form_.EnemyHand, start.upperHand, sizeof form_.EnemyHand);
    for (int slot = 1; slot <= 7; ++slot) {
        form_.OwnHandCount += form_.OwnHand[slot];
        form_.EnemyHandCount += form_.EnemyHand[slot];
    }
    side_ = start.sideToMove < 0 ? -1 : 1;
}

std::string RecordJudge::play(const RecordMove& m) {
    Form1& f = form_;
    if (hasLostAllRoyals(f, -1) || hasLostAllRoyals(f, 1))
        return translate("Record", "勝負が付いた後の指し手です");
    if (!isPieceCode(m.MovedPiece) || !isPieceCode(m.PlacedPiece))
        return translate("Record", "駒の番号が正しくありません");
    const int side = m.MovedPiece < 0 ? -1 : 1;
    if (side_ != 0 && side != side_) return translate("Record", "手番の順が正しくありません");
    if (!onBoard(m.ToX, m.ToY)) return translate("Record", "移動先が盤の外です");
    if (f.Board[m.ToX][m.ToY] != m.CapturedPiece)
        return translate("Record", "取った駒が盤面と合いません");

    // A drop's hand row in FromY is where the human clicked, or the slot for the computer:
    // the move's origin takes the slot from the piece.
    const Move move = moveOf(m);
    if (move.isDrop()) {
        const int slot = handSlot(m.MovedPiece);
        if (slot == 0 || m.MovedPiece != side * kSlotKind[slot] || m.PlacedPiece != m.MovedPiece)
            return translate("Record", "打てない駒を打っています");
        if ((m.FromX == 11) != (side < 0)) return translate("Record", "持駒の側が合いません");
        if ((side < 0 ? f.OwnHand : f.EnemyHand)[slot] <= 0)
            return translate("Record", "持っていない駒を打っています");
        f.調査_2歩フラグ設定();
        if (f.移動チェック(move.fromX, move.fromY, m.ToX, m.ToY, m.MovedPiece) != 1) {
            if (m.CapturedPiece != 0) return translate("Record", "駒のある所に打っています");
            const bool pawn = m.MovedPiece == side * HU;
            if (pawn && (side < 0 ? f.ManPawnFile : f.ComPawnFile)[m.ToX] == 1)
                return translate("Record", "二歩です");
            return translate("Record", "その段には打てません");
        }
    } else {
        if (!onBoard(m.FromX, m.FromY)) return translate("Record", "移動元が盤の外です");
        if (f.Board[m.FromX][m.FromY] != m.MovedPiece)
            return translate("Record", "移動元に動かす駒がありません");
        if (f.移動チェック(m.FromX, m.FromY, m.ToX, m.ToY, m.MovedPiece) != 1)
            return translate("Record", "その駒はそこへ動けません");
        if (m.PlacedPiece != m.MovedPiece) {
            if (f.調査_駒成(m.FromX, m.FromY, m.ToX, m.ToY, m.MovedPiece) != 1 ||
                f.PromotedCode != m.PlacedPiece)
                return translate("Record", "成れない駒が成っています");
        } else if (f.移動後チェック(m.ToY, m.MovedPiece) != 1) {
            return translate("Record", "成らなければならない駒が成っていません");
        }
    }
    makeMove(f, move);
    side_ = -side;
    return {};
}

} // namespace kelvore
