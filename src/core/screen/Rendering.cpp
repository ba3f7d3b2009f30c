// Drawing the board, the pieces, the hands, the labels and the background. Every procedure
// repaints the cells it owns completely: picture, then outline, then any text on top.
#include "Form1.h"

namespace kelvore {

using namespace piece;

namespace {

bool isPictureCode(int code) {
    return (code >= 0 && code <= 6) || isPieceCode(code);
}

} // namespace

void Form1::描画_絵(int 絵, double gx, double gy) {
    if (!isPictureCode(絵)) return;
    p_.canvas.drawPicture(絵, gridX(gx), gridY(gy));
}

void Form1::描画_桝輪郭(int 色, double gx, double gy) {
    const double x = gridX(gx), y = gridY(gy);
    p_.canvas.drawOutline(色, x, y, x + SquareWidth, y + SquareHeight);
}

void Form1::描画_盤() {
    for (int x = 1; x <= BoardSize; ++x)
        for (int y = 1; y <= BoardSize; ++y) {
            描画_絵(Board[x][y], x, y);
            描画_桝輪郭(OutlineColor, x, y);
        }
}

void Form1::描画_将棋盤桝() {
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) 描画_桝輪郭(BoardLineColor, x, y);
}

// The lower side's hand, right of the board: pawn in row 3 down to rook in row 9.
void Form1::描画_自持盤() {
    for (int i = 1; i <= 7; ++i) {
        描画_絵(EmptyPicture, 11, i + 2);
        描画_絵(CurrentBackground, 12, i + 2);
        描画_桝輪郭(OutlineColor, 11, i + 2);
        if (OwnHand[i] > 0) {
            描画_絵(-kSlotKind[i], 11, i + 2);
            描画_桝輪郭(OutlineColor, 11, i + 2);
            描画_数値(12.1, i + 2.3, OwnHand[i], ColorBlack, 0, 14);
            描画_数値(12, i + 2.2, OwnHand[i], ColorLightRed, 0, 14);
        }
    }
}

// The upper side's hand, left of the board: rook in row 1 down to pawn in row 7.
void Form1::描画_敵持盤() {
    for (int i = 1; i <= 7; ++i) {
        描画_絵(EmptyPicture, -1, i);
        描画_絵(CurrentBackground, 0, i);
        描画_桝輪郭(OutlineColor, -1, i);
        const int j = 8 - i;
        if (EnemyHand[j] > 0) {
            描画_絵(kSlotKind[j], -1, i);
            描画_桝輪郭(OutlineColor, -1, i);
            描画_数値(0.1, i + 0.3, EnemyHand[j], ColorBlack, 0, 14);
            描画_数値(0, i + 0.2, EnemyHand[j], ColorLightRed, 0, 14);
        }
        // The background tile overlaps the edge of the neighbouring board square.
        描画_桝輪郭(OutlineColor, 1, i);
    }
}

// File labels 9..1 above the board, rank labels 一..九 to its right.
void Form1::描画_桝_数値() {
    FontBold = true;
    for (int a = 1; a <= 9; ++a) {
        描画_絵(CurrentBackground, a, 0);
        描画_数値(a + 0.2, 0.5, 10 - a, ColorBlack, 0, 16);
        描画_数値(a + 0.1, 0.4, 10 - a, ColorYellow, 0, 16);
        描画_絵(CurrentBackground, 10, a);
        描画_数値(10.2, a + 0.4, a, ColorBlack, 1, 12);
        描画_数値(10.1, a + 0.3, a, ColorYellow, 1, 12);
        描画_桝輪郭(OutlineColor, 9, a);
    }
}

// Tiles the whole window except the 81 board squares, column by column, top to bottom.
void Form1::描画_背景(int 絵) {
    for (int a = -3; a <= 20; ++a)
        for (int b = -2; b <= 15; ++b)
            if (a < 1 || a > 9 || b < 1 || b > 9) 描画_絵(絵, a, b);
}

void Form1::画面_再描画() {
    描画_背景(CurrentBackground);
    描画_桝_数値();
    描画_自持盤();
    描画_敵持盤();
    描画_盤();
    描画_所有時間(ComTurn, ComTime);
    描画_所有時間(ManTurn, ManTime);
    if (GameMode == GameModeCom) 描画_レベル(ComLevel);
    if (HandicapSet == 1) 描画_ハンデレベル(HandicapLevel);
    描画_絵(TitlePicture, 10.8, 0);
    // The background drawn over the thinking computer's caption: show it again.
    if (思考中()) 描画_思考中();
}

} // namespace kelvore
