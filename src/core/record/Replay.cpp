// Stepping through the move history: 進 applies the next recorded move, 戻 takes the last
// applied one back, 最初 starts over, 反転 turns the board. The history entries themselves are
// never changed by stepping, so any number of steps reproduces the same positions and clocks.
#include "Form1.h"
#include "platform/Translate.h"

#include <cstdlib>

namespace kelvore {

using namespace piece;

namespace {

bool isBoardColumn(int x) {
    return x > 0 && x < 10;
}

} // namespace

// The upper side's hand and total, or the lower side's.
Form1::HandOf Form1::handOf(bool upper) {
    return upper ? HandOf{EnemyHand, &EnemyHandCount} : HandOf{OwnHand, &OwnHandCount};
}

void Form1::AFTER_Click() {
    描画_可視(false, false, false);
    描画_棋譜_IO(2);
    if (Turn == NO_GAME) {
        音_禁止();
        p_.dialogs.messageBox(translate("Game", "「対局」で始めて下さい"),
                              translate("Game", "開始"), Buttons::OK);
        return;
    }
    ResumePending = 1;
    if (KifuCursor >= KifuLength) {
        if (KifuMode == 1) {
            p_.dialogs.messageBox(translate("Game", "終わり"), translate("Game", "進む"),
                                  Buttons::OK);
        } else {
            音_禁止();
            p_.dialogs.messageBox(translate("Game", "できません"), translate("Game", "進む"),
                                  Buttons::OK);
        }
        return;
    }
    const int i = KifuCursor + 1;
    const int fx = Kifu.FromX[i], fy = Kifu.FromY[i], tx = Kifu.ToX[i], ty = Kifu.ToY[i];
    const int placed = Kifu.PlacedPiece[i], captured = Kifu.CapturedPiece[i];
    const int dropSlot = handSlot(placed), captureSlot = handSlot(captured);
    const HandOf dropper = handOf(placed >= HU);
    const HandOf captor = handOf(captured < 0);

    // A step that does not fit the position on the board is refused rather than played.
    const bool fits = tx >= 1 && tx <= 9 && ty >= 1 && ty <= 9 && Board[tx][ty] == captured &&
                      (isBoardColumn(fx) ? fy >= 1 && fy <= 9 && Board[fx][fy] == Kifu.MovedPiece[i]
                                         : dropSlot != 0 && dropper.slots[dropSlot] > 0);
    if (!fits) {
        音_禁止();
        p_.dialogs.messageBox(
            translate("Game", "この手は進められません\r（盤面と棋譜が合いません）"),
            translate("Game", "進む"), Buttons::OK);
        return;
    }

    PickedUp = 0;
    p_.timer.setEnabled(false);
    描画_将棋盤桝();
    KifuCursor += 1;
    MoveNumber += 1;
    描画_手数(MoveNumber);

    if (isBoardColumn(fx)) {
        Board[fx][fy] = KARA;
        描画_絵(EmptyPicture, fx, fy);
        描画_桝輪郭(OutlineColor, fx, fy);
    } else {
        dropper.slots[dropSlot] -= 1;
        *dropper.total -= 1;
    }
    Board[tx][ty] = placed;
    if (captureSlot != 0) {
        captor.slots[captureSlot] += 1;
        *captor.total += 1;
    }

    ComTime = Kifu.ComTimeAfter[i];
    ManTime = Kifu.ManTimeAfter[i];
    描画_所有時間(ComTurn, ComTime);
    描画_所有時間(ManTurn, ManTime);

    描画_絵(EmptyPicture, fx, fy);
    描画_桝輪郭(OutlineColor, fx, fy);
    描画_絵(placed, tx, ty);
    描画_桝輪郭(OutlineColor, tx, ty);
    描画_自持盤();
    描画_敵持盤();
    音_駒();
    描画_移動結果(placed > 0 ? ComTurn : ManTurn, tx, ty, placed, ResultColor);
    // The other side than the one that made this move is to move: the same as turning the
    // turn over, except after 最初 and スタート, when a history whose first move was the upper
    // side's is stepped again and the upper side must not move twice.
    Turn = placed > 0 ? ManTurn : ComTurn;
    描画_手数(MoveNumber);
    tell([](GameListener& l) { l.historyChanged(); });
}

void Form1::REPLAY_Click() {
    描画_可視(false, false, false);
    描画_棋譜_IO(2);
    ResumePending = 1;
    if (KifuCursor < 1) {
        音_禁止();
        p_.dialogs.messageBox(translate("Game", "できません"), translate("Game", "戻る"),
                              Buttons::OK);
        return;
    }
    const int i = KifuCursor;
    const int fx = Kifu.FromX[i], fy = Kifu.FromY[i], tx = Kifu.ToX[i], ty = Kifu.ToY[i];
    const int placed = Kifu.PlacedPiece[i], captured = Kifu.CapturedPiece[i];
    const int dropSlot = handSlot(placed), captureSlot = handSlot(captured);
    const HandOf dropper = handOf(placed >= HU);
    const HandOf captor = handOf(captured < 0);

    const bool fits =
        tx >= 1 && tx <= 9 && ty >= 1 && ty <= 9 && Board[tx][ty] == placed &&
        (isBoardColumn(fx) ? fy >= 1 && fy <= 9 && Board[fx][fy] == KARA : dropSlot != 0) &&
        (captureSlot == 0 || captor.slots[captureSlot] > 0);
    if (!fits) {
        音_禁止();
        p_.dialogs.messageBox(translate("Game", "この手は戻せません\r（盤面と棋譜が合いません）"),
                              translate("Game", "戻る"), Buttons::OK);
        return;
    }

    PickedUp = 0;
    p_.timer.setEnabled(false);
    描画_将棋盤桝();

    if (isBoardColumn(fx)) {
        Board[fx][fy] = Kifu.MovedPiece[i];
        描画_絵(Board[fx][fy], fx, fy);
        描画_桝輪郭(OutlineColor, fx, fy);
    } else {
        dropper.slots[dropSlot] += 1;
        *dropper.total += 1;
    }
    if (captureSlot != 0) {
        captor.slots[captureSlot] -= 1;
        *captor.total -= 1;
    }
    ComTime = Kifu.ComTimeBefore[i];
    ManTime = Kifu.ManTimeBefore[i];
    描画_所有時間(ComTurn, ComTime);
    描画_所有時間(ManTurn, ManTime);

    Board[tx][ty] = captured;
    描画_自持盤();
    描画_敵持盤();
    描画_絵(EmptyPicture, tx, ty);
    描画_桝輪郭(OutlineColor, tx, ty);
    if (captured != 0) {
        描画_絵(captured, tx, ty);
        描画_桝輪郭(OutlineColor, tx, ty);
    }
    音_駒();
    消去_移動結果(Kifu.MovedPiece[i] > 0 ? ComTurn : ManTurn);
    // The side that made the move taken back is to move again.
    if (Turn != NO_GAME) Turn = Kifu.MovedPiece[i] > 0 ? ComTurn : ManTurn;
    KifuCursor -= 1;
    MoveNumber -= 1;
    描画_手数(MoveNumber);
    tell([](GameListener& l) { l.historyChanged(); });
}

void Form1::CANCEL_Click() {
    初期設定();
    音_駒();
}

void Form1::REVERSE_Click() {
    if (KifuMode == 1) {
        音_禁止();
        p_.dialogs.messageBox(translate("Game", "棋譜ﾓｰﾄﾞではできません"),
                              translate("Game", "反転"), Buttons::OK);
        return;
    }
    Reversed = 1;
    PickedUp = 0;
    処理_盤反転();
    // The royal pieces are found where the turned board has them.
    ManKingPos.X = ManPrincePos.X = ComKingPos.X = ComPrincePos.X = 0;
    勢力調査();
    画面_再描画();
    描画_手数(MoveNumber);
    if (HandicapSet == 1) {
        HandicapLevel = -HandicapLevel;
        描画_ハンデレベル(HandicapLevel);
    }
    音_駒();
    Turn = -Turn;
    KifuCursor = 0;
    KifuLength = 0;
    tell([](GameListener& l) { l.historyChanged(); });
}

} // namespace kelvore
