// Start-up, the reset to the starting position, and the two-player start command.
#include "Form1.h"
#include "platform/Translate.h"
#include "rules/StartingPosition.h"
#include "screen/Grid.h"

namespace kelvore {

using namespace piece;

void Form1::Form_Load() {
    サウンド_初期化(p_.window.handle());
    OtherSound = サウンド_読込("その他.wav", 3);
    ForbiddenSound = サウンド_読込("禁止.wav", 3);
    PieceSound = サウンド_読込("駒打音.wav", 3);
    MusicSound = サウンド_読込("BGM.wav", 1);

    // Constant members and first values.
    KifuMode = 0;
    MoveGuidance = 0;
    KifuLength = 0;
    BoardSize = 9;
    ComLevel = 3;
    p_.menu.setChecked(MenuItem::LEVEL3, true);
    MouseLeft = 1;
    MouseRight = 2;
    ColorWhite = 15;
    ColorGreen = 2;
    ColorLightRed = 12;
    ColorBlack = 0;
    ColorYellow = 14;
    OutlineColor = ColorGreen;
    BoardLineColor = ColorGreen;
    HighlightColor = ColorGreen;
    ResultColor = ColorWhite;
    GameModeCom = 1;
    GameModeMan = 0;
    ComTurn = SENTE;
    ManTurn = GOTE;
    EmptyPicture = 0;
    TitlePicture = 1;
    BackgroundMidori = 2;
    BackgroundTatami = 3;
    BackgroundTake = 4;
    BackgroundUchu = 5;
    BackgroundRenga = 6;

    p_.canvas.fillWindow(ColorGreen);

    BoardLeft = screen::kBoardLeft;
    BoardTop = screen::kBoardTop;
    SquareWidth = screen::kSquareWidth;
    SquareHeight = screen::kSquareHeight;

    読込_環境設定ファイル();

    初期設定();

    描画_絵(TitlePicture, 10.8, 0);

    if (p_.window.top() != -60)
        p_.window.place(-10, -10, screen::kWindowWidth, screen::kWindowHeight);
}

void Form1::初期設定() {
    tell([](GameListener& l) { l.beforeReset(); });
    PickedUp = 0;
    HandicapLevel = 0;
    HandicapSet = 0;
    GameMode = 0;
    Turn = NO_GAME;
    KifuCursor = 0;
    MoveNumber = 0;
    Reversed = 0;

    p_.timer.setEnabled(false);
    ComTime = 0;
    ManTime = 0;
    MoveStartTime = 0;
    MoveSeconds = 0;
    LastShownSecond = 0;
    KifuMode = 0;
    ResumePending = 0;
    End = {};
    for (std::string& line : RecordHeader) line.clear();

    for (int i = 1; i <= 7; ++i) {
        OwnHand[i] = 0;
        EnemyHand[i] = 0;
    }

    placeStartingPosition(Board);

    OwnHandCount = 0;
    EnemyHandCount = 0;
    for (int i = 1; i <= 7; ++i) {
        if (OwnHand[i] > 0) OwnHandCount += OwnHand[i];
        if (EnemyHand[i] > 0) EnemyHandCount += EnemyHand[i];
    }

    画面_再描画();
    tell([](GameListener& l) { l.afterReset(); });
}

void Form1::消去_棋譜読込み部分() {
    for (int gx = -2; gx <= 9; ++gx) 描画_絵(CurrentBackground, gx, 10);
    for (int x = 1; x <= 9; ++x) 描画_桝輪郭(OutlineColor, x, 9);
    描画_桝_数値();
}

// スタート: a game between two humans, or a running game carried on between two humans.
void Form1::START_Click() {
    消去_棋譜読込み部分();
    描画_絵(CurrentBackground, -2, 0);
    描画_絵(CurrentBackground, -1, 0);
    描画_絵(CurrentBackground, 0, 0);
    描画_将棋盤桝();

    MoveStartTime = p_.clock.secondsSinceMidnight();
    時計_開始();

    PickedUp = 0;
    GameMode = GameModeMan;
    KifuMode = 0;

    if (Turn == NO_GAME || MoveNumber == 0) {
        ManTurn = SENTE;
        ComTurn = GOTE;
        Turn = SENTE;
        p_.dialogs.messageBox(translate("Game", "先手の番です"), " ", Buttons::OK);
    } else if (Turn == SENTE) {
        p_.dialogs.messageBox(translate("Game", "先手の番です"), " ", Buttons::OK);
    } else if (Turn == GOTE) {
        p_.dialogs.messageBox(translate("Game", "後手の番です"), " ", Buttons::OK);
    }
    持ち時間_手番開始();
    ResumePending = 0;
}

// 先手: a game against the computer with the human moving first, or the running game handed
// over to the computer, which then plays the upper side.
void Form1::SENTE_Click() {
    消去_棋譜読込み部分();
    描画_レベル(ComLevel);
    描画_将棋盤桝();

    PickedUp = 0;
    GameMode = GameModeCom;
    KifuMode = 0;
    if (KifuLength != MoveNumber) {
        KifuLength = MoveNumber;
        tell([](GameListener& l) { l.historyChanged(); });
    }
    MoveStartTime = p_.clock.secondsSinceMidnight();
    p_.timer.setEnabled(true);

    if (Turn == NO_GAME || MoveNumber == 0) {
        ManTurn = SENTE;
        ComTurn = GOTE;
        Turn = SENTE;
        p_.dialogs.messageBox(translate("Game", "MANの番です"), " ", Buttons::OK);
        持ち時間_手番開始();
    } else if (Turn == ManTurn) {
        ManTurn = SENTE;
        ComTurn = GOTE;
        Turn = SENTE;
        p_.dialogs.messageBox(translate("Game", "MANの番です"), translate("Game", "対局"),
                              Buttons::OK);
        持ち時間_手番開始();
    } else if (Turn == ComTurn) {
        com_ban();
    }
    ResumePending = 0;
}

// 後手: a game against the computer with the computer moving first.
void Form1::GOTE_Click() {
    消去_棋譜読込み部分();
    描画_レベル(ComLevel);
    描画_将棋盤桝();
    p_.timer.setEnabled(true);

    PickedUp = 0;
    GameMode = GameModeCom;
    KifuMode = 0;
    if (KifuLength != MoveNumber) {
        KifuLength = MoveNumber;
        tell([](GameListener& l) { l.historyChanged(); });
    }
    // The human's thinking time starts now too, when it is the human's turn.
    MoveStartTime = p_.clock.secondsSinceMidnight();

    if (Turn == NO_GAME || MoveNumber == 0) {
        ManTurn = GOTE;
        ComTurn = SENTE;
        Turn = SENTE;
        com_ban();
    } else if (Turn == ManTurn) {
        p_.dialogs.messageBox(translate("Game", "MANの番です"), translate("Game", "対局"),
                              Buttons::OK);
        持ち時間_手番開始();
    } else if (Turn == ComTurn) {
        com_ban();
    }
    ResumePending = 0;
}

} // namespace kelvore
