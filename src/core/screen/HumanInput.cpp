// A human move: the first click picks up a piece on the board or in a hand, the second names
// the target. This handler does everything else for the move: turn announcements, legality,
// forced promotion, the promotion choice by mouse button, history, execution, the win test and
// the hand-over to the other side.
#include "Form1.h"
#include "match/MatchClocks.h"
#include "platform/Translate.h"
#include "rules/TrialMove.h"

#include <cmath>

namespace kelvore {

using namespace piece;

void Form1::音_禁止() {
    p_.sound.dsPlay(ForbiddenSound);
}
void Form1::音_駒() {
    p_.sound.dsPlay(PieceSound);
}

// Outlines every square the piece could reach from (fromX, fromY), when move guidance is on.
// Called with BoardLineColor it erases the highlighting.
void Form1::描画_移動可能桝色(int 移動元X, int 移動元Y, int 色, int 駒) {
    描画_将棋盤桝();
    if (MoveGuidance == 0) return;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            if (移動チェック(移動元X, 移動元Y, x, y, 駒) == 1) 描画_桝輪郭(色, x, y);
}

void Form1::Form_MouseDown(int Button, int /*Shift*/, double X, double Y) {
    if (Ended) return;
    if (思考中()) {
        // The computer is thinking about this very position: nothing may be picked up.
        音_禁止();
        return;
    }
    描画_可視(false, false, false);
    描画_棋譜_IO(1);

    if (KifuMode == 1) {
        if (p_.dialogs.messageBox(translate("Game", "棋譜を '進 'で進めて下さい"),
                                  translate("Game", "棋譜"), Buttons::YesNo) == Answer::No) {
            音_禁止();
            初期設定();
        }
        return;
    }

    const int col = static_cast<int>(std::floor((X - BoardLeft) / SquareWidth));
    const int row = static_cast<int>(std::floor((Y - BoardTop) / SquareHeight));

    if (Turn == NO_GAME) {
        音_禁止();
        p_.dialogs.messageBox(translate("Game", "「対局」で始めて下さい"),
                              translate("Game", "開始"), Buttons::OK);
        return;
    }

    // A position stepped to past the capture of a side's last royal piece is a decided game:
    // it takes no more moves, so that no record goes on after the end.
    if (hasLostAllRoyals(*this, -1) || hasLostAllRoyals(*this, 1)) {
        音_禁止();
        p_.dialogs.messageBox(translate("Game", "勝負は付いています"), translate("Game", "対局"),
                              Buttons::OK);
        return;
    }

    // Turn announcements before the click itself is handled.
    if (GameMode == GameModeCom && Turn == ComTurn) {
        ResumePending = 0;
        p_.dialogs.messageBox(translate("Game", "OKですか？"), translate("Game", "再開(COM)"),
                              Buttons::OK);
        com_ban();
        if (Ended || Turn == NO_GAME) return;
        // A searching level goes on thinking on its own: this click only resumed the game.
        if (思考中()) return;
    } else if (GameMode == GameModeCom && Turn == ManTurn && ResumePending == 1) {
        ResumePending = 0;
        MoveStartTime = p_.clock.secondsSinceMidnight();
        時計_開始();
        p_.dialogs.messageBox(translate("Game", "MANの番です"), translate("Game", "対局"),
                              Buttons::OK);
        持ち時間_手番開始();
    } else if (GameMode == GameModeMan && ResumePending == 1) {
        ResumePending = 0;
        MoveStartTime = p_.clock.secondsSinceMidnight();
        時計_開始();
        p_.dialogs.messageBox(Turn == SENTE ? translate("Game", "先手の番です")
                                            : translate("Game", "後手の番です"),
                              translate("Game", "対局"), Buttons::OK);
        持ち時間_手番開始();
    }

    auto ownsSideToMove = [this](int code) {
        return (code <= -HU && Turn == ManTurn) || (code >= HU && Turn == ComTurn);
    };
    auto hold = [this](int fromX, int fromY, int code) {
        HeldFromX = fromX;
        HeldFromY = fromY;
        HeldPiece = code;
        HeldCellX = fromX;
        HeldCellY = fromY;
    };

    const bool onBoard = col >= 1 && col <= 9 && row >= 1 && row <= 9;

    if (onBoard && PickedUp == 0) {
        const int code = Board[col][row];
        if (code == KARA) return;
        hold(col, row, code);
        描画_移動可能桝色(col, row, HighlightColor, code);
        if (ownsSideToMove(code)) {
            PickedUp = 1;
            描画_桝輪郭(ColorLightRed, col, row);
        } else {
            描画_桝輪郭(HighlightColor, col, row);
        }
        return;
    }

    if (onBoard) {
        const int target = Board[col][row];
        if (ownsSideToMove(target)) {
            描画_桝輪郭(BoardLineColor, HeldCellX, HeldCellY);
            hold(col, row, target);
            描画_移動可能桝色(col, row, HighlightColor, target);
            描画_桝輪郭(ColorLightRed, col, row);
            return;
        }
        HeldToX = col;
        HeldToY = row;
        if (移動チェック(HeldFromX, HeldFromY, col, row, HeldPiece) == 0) {
            音_禁止();
            PickedUp = 0;
            描画_将棋盤桝();
            return;
        }
        const bool mustPromote = 移動後チェック(row, HeldPiece) == 0;
        if (mustPromote && Button == MouseLeft && !AskPromotion) {
            音_禁止();
            p_.dialogs.messageBox(translate("Game", "マウスの右をクリックして下さい"),
                                  translate("Game", "成り"), Buttons::OK);
            return;
        }
        bool promote = Button == MouseRight;
        // Ours: with the question on, a left click promotes where the piece must, and asks
        // where it may; a box closed without an answer leaves the piece held.
        if (AskPromotion && Button == MouseLeft &&
            調査_駒成(HeldFromX, HeldFromY, col, row, HeldPiece) == 1) {
            if (mustPromote) {
                promote = true;
            } else {
                const Answer a =
                    p_.dialogs.messageBox(translate("Game", "成りますか？"),
                                          translate("Game", "成り"), Buttons::Promotion);
                if (a == Answer::Cancel) return;
                promote = a == Answer::Yes;
            }
        }

        // The thinking time of this move, measured now so that it is right with the clocks
        // hidden too.
        MoveSeconds = 調査_経過秒(MoveStartTime, p_.clock.secondsSinceMidnight());
        // A move made after the mover's clock ran out is not played: the mover lost on time.
        if (持ち時間制() && Countdown->timeUpAtMove(MoveSeconds)) return;
        const bool lowerMoves = Turn == ManTurn;
        const double manAfter = lowerMoves ? ManTime + MoveSeconds : ManTime;
        const double comAfter = lowerMoves ? ComTime : ComTime + MoveSeconds;
        手順保存(HeldFromX, HeldFromY, col, row, HeldPiece, Board[col][row], ManTime, manAfter,
                 ComTime, comAfter);

        MoveNumber += 1;
        描画_手数(MoveNumber);

        int placed = HeldPiece;
        if (promote && 調査_駒成(HeldFromX, HeldFromY, col, row, HeldPiece) == 1)
            placed = PromotedCode;
        Kifu.PlacedPiece[KifuCursor] = placed;

        PickedUp = 0;
        描画_桝輪郭(BoardLineColor, HeldCellX, HeldCellY);
        描画_桝輪郭(BoardLineColor, col, row);
        描画_移動可能桝色(HeldFromX, HeldFromY, BoardLineColor, HeldPiece);

        int fromY = HeldFromY;
        if (HeldFromX == -1) fromY = 8 - HeldFromY;

        const int captured = Board[col][row];
        駒移動(HeldFromX, fromY, col, row, placed);
        音_駒();

        描画_移動結果(placed >= HU ? ComTurn : ManTurn, col, row, placed, ResultColor);

        ManKingPos.X = ManPrincePos.X = ComKingPos.X = ComPrincePos.X = 0;
        勢力調査();
        tell([](GameListener& l) { l.movePlayed(); });

        if (GameMode == GameModeCom) {
            ManTime = manAfter;
            ComTime = comAfter;
            人間勝利判定_COM(captured);
            return;
        }

        // Two humans: the lower side is 先手 and the upper side 後手 in the announcement.
        if ((captured == OU && ComPrincePos.X == 0) || (captured == KO && ComKingPos.X == 0)) {
            終了("先手");
            return;
        }
        if ((captured == -OU && ManPrincePos.X == 0) || (captured == -KO && ManKingPos.X == 0)) {
            終了("後手");
            return;
        }
        Turn = Turn == SENTE ? GOTE : SENTE;
        ManTime = manAfter;
        ComTime = comAfter;
        MoveStartTime = p_.clock.secondsSinceMidnight();
        return;
    }

    if (col == 11 && row >= 3 && row <= 9) {
        const int slot = row - 2;
        if (OwnHand[slot] <= 0) return;
        調査_2歩フラグ設定();
        hold(11, row, -kSlotKind[slot]);
        if (Turn == ManTurn) {
            PickedUp = 1;
            描画_桝輪郭(ColorLightRed, 11, row);
        } else {
            // Only shown: the other side's hand piece is never picked up.
            PickedUp = 0;
            描画_桝輪郭(HighlightColor, 11, row);
        }
        描画_移動可能桝色(11, row, HighlightColor, HeldPiece);
        return;
    }

    if (col == -1 && row >= 1 && row <= 7) {
        const int slot = 8 - row;
        if (EnemyHand[slot] <= 0) return;
        調査_2歩フラグ設定();
        hold(-1, row, kSlotKind[slot]);
        if (Turn == ComTurn) {
            PickedUp = 1;
            描画_桝輪郭(ColorLightRed, -1, row);
        } else {
            PickedUp = 0;
            描画_桝輪郭(HighlightColor, -1, row);
        }
        描画_移動可能桝色(-1, row, HighlightColor, HeldPiece);
    }
}

} // namespace kelvore
