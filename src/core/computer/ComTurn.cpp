// The computer's turn: prepare the analysis of the position, try every legal move and drop of
// the upper side once, score each with 盤評価, then play, record and announce the best one.
// The loop order fixes which of equally scored moves is played: the first found, scanning
// board moves by from-column, from-row, to-column, to-row, then drops by slot and target.
#include "Form1.h"
#include "computer/SearchingTurn.h"
#include "match/MatchClocks.h"
#include "platform/Translate.h"
#include "rules/TrialMove.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace kelvore {

using namespace piece;

namespace {

constexpr int kPoint = 10;

} // namespace

// Waits that many seconds of the time of day, across midnight too.
void Form1::待ち時間(double IN_思考時間) {
    const double start = p_.clock.secondsSinceMidnight();
    for (;;) {
        const double waited = 調査_経過秒(start, p_.clock.secondsSinceMidnight());
        if (waited >= IN_思考時間) return;
        // At least a millisecond each time, so that rounding can never stall the wait.
        p_.clock.sleepFor(std::clamp(IN_思考時間 - waited, 0.001, 0.02));
    }
}

bool Form1::思考中() const {
    return Searching && Searching->thinking();
}

// The start of the computer's turn as the player sees it: its clock runs and "思考中" shows.
void Form1::処理_COM思考開始() {
    MoveStartTime = p_.clock.secondsSinceMidnight();
    時計_開始();
    消去_思考中();
    描画_思考中();
}

// The three cells beside the board under the caption, blank again, and the outline of the
// board square they touch.
void Form1::消去_思考中() {
    for (int gx = -2; gx <= 0; ++gx) 描画_絵(CurrentBackground, gx, 8);
    描画_桝輪郭(OutlineColor, 1, 8);
}

// "思考中" as a shadowed caption just above the computer's clock.
void Form1::描画_思考中() {
    FontSize = 12;
    印字(translate("Screen", "思考中"), gridX(-1.5), gridY(8.5), ColorBlack);
    印字(translate("Screen", "思考中"), gridX(-1.6), gridY(8.4), ColorWhite);
}

void Form1::com_ban() {
    if (Ended) return;
    // A game stepped to past the capture of a side's last royal piece is decided: the computer
    // makes no move in it.
    if (!SearchOnly && (hasLostAllRoyals(*this, -1) || hasLostAllRoyals(*this, 1))) return;
    if (!SearchOnly) 処理_COM思考開始();
    if (ComLevel >= 4 && !SearchOnly) {
        // The searching levels think on a worker thread; the window lives on meanwhile, and
        // the move is played by 処理_COM着手 when it comes back.
        std::memcpy(BoardBackup, Board, sizeof(Map));
        p_.canvas.refresh();
        if (!Searching) Searching = std::make_unique<SearchingTurn>(*this);
        Searching->begin();
        return;
    }

    BestScore = -99999 * kPoint;
    BestFound = false;
    std::memcpy(BoardBackup, Board, sizeof(Map));
    std::memset(ManKingEscapeMarks, 0, sizeof(Map));
    std::memset(ManPrinceEscapeMarks, 0, sizeof(Map));
    ManKingPos.X = ManPrincePos.X = ComKingPos.X = ComPrincePos.X = 0;
    調査_2歩フラグ設定();
    勢力調査();
    調査_持角狙座標();
    調査_移動不可駒();
    ManKingEscapesBefore = 調査_自王逃道();
    ManPrinceEscapesBefore = 調査_自子逃道();
    std::memcpy(NegAttackCountBefore, NegAttackCount, sizeof(Map));
    std::memcpy(PosAttackCountBefore, PosAttackCount, sizeof(Map));
    std::memcpy(PosThreatXBefore, PosThreatX, sizeof(Map));
    std::memcpy(PosThreatYBefore, PosThreatY, sizeof(Map));
    if (!SearchOnly) {
        p_.canvas.refresh();
        if (!SkipWait) 待ち時間(0.3);
    }

    auto consider = [this](Score score, int fx, int fy, int tx, int ty, int moved, int placed) {
        if (score > BestScore) {
            BestScore = score;
            BestFromX = fx;
            BestFromY = fy;
            BestToX = tx;
            BestToY = ty;
            BestPlaced = placed;
            BestMoved = moved;
            BestFound = true;
        }
    };
    auto report = [this](int fx, int fy, int tx, int ty, int moved, int placed, Score score) {
        if (OnCandidate) OnCandidate(OnCandidateContext, fx, fy, tx, ty, moved, placed, score);
    };

    bool kingTaken = false;
    for (int x = 1; x <= 9 && !kingTaken; ++x) {
        Timer1_Timer();
        for (int y = 1; y <= 9 && !kingTaken; ++y) {
            const int c = Board[x][y];
            if (c < HU) continue;
            for (int tx = 1; tx <= 9 && !kingTaken; ++tx)
                for (int ty = 1; ty <= 9; ++ty) {
                    if (移動チェック(x, y, tx, ty, c) != 1) continue;
                    MovingPiece = c;
                    KingDistanceBefore =
                        std::max(std::abs(x - ManKingPos.X), std::abs(y - ManKingPos.Y));
                    const int captured = Board[tx][ty];
                    Board[x][y] = EMPTY;
                    Board[tx][ty] = c;
                    Score score;
                    int placed;
                    if (調査_駒成(x, y, tx, ty, c) == 0) {
                        勢力調査();
                        score = 盤評価(captured, c, x, y, tx, ty);
                        report(x, y, tx, ty, c, c, score);
                        placed = c;
                    } else if (移動後チェック(ty, c) == 1) {
                        const int promoted = PromotedCode;
                        勢力調査();
                        const Score plain = 盤評価(captured, c, x, y, tx, ty);
                        report(x, y, tx, ty, c, c, plain);
                        Board[tx][ty] = promoted;
                        勢力調査();
                        const Score raised = 盤評価(captured, promoted, x, y, tx, ty);
                        report(x, y, tx, ty, c, promoted, raised);
                        score = std::max(plain, raised);
                        placed = raised > plain ? promoted : c;
                        // Pawns, bishops and rooks always promote, whatever the scores.
                        if (c == HU || c == KAKU || c == SYA) placed = promoted;
                    } else {
                        const int promoted = PromotedCode;
                        Board[tx][ty] = promoted;
                        勢力調査();
                        score = 盤評価(captured, promoted, x, y, tx, ty);
                        report(x, y, tx, ty, c, promoted, score);
                        placed = promoted;
                    }
                    Board[tx][ty] = captured;
                    Board[x][y] = c;
                    const Score before = BestScore;
                    consider(score, x, y, tx, ty, c, placed);
                    if (BestScore != before && captured == -OU) {
                        kingTaken = true;
                        break;
                    }
                }
        }
    }

    if (!kingTaken && EnemyHandCount > 0) {
        for (int slot = 1; slot <= 7 && BestScore < 9998 * kPoint; ++slot) {
            Timer1_Timer();
            if (EnemyHand[slot] <= 0) continue;
            const int code = kSlotKind[slot];
            MovingPiece = code;
            for (int tx = 1; tx <= 9 && BestScore < 9998 * kPoint; ++tx)
                for (int ty = 1; ty <= 9 && BestScore < 9998 * kPoint; ++ty) {
                    if (移動チェック(-1, slot, tx, ty, code) != 1) continue;
                    Board[tx][ty] = code;
                    勢力調査();
                    const Score score = 盤評価(0, code, -1, slot, tx, ty);
                    report(-1, slot, tx, ty, code, code, score);
                    Board[tx][ty] = EMPTY;
                    consider(score, -1, slot, tx, ty, code, code);
                }
        }
    }

    if (SearchOnly) return;

    if (!BestFound) {
        処理_COM投了();
        return;
    }
    処理_COM着手(BestFromX, BestFromY, BestToX, BestToY, BestMoved, BestPlaced);
}

// No legal move at all: the computer resigns and the human wins.
void Form1::処理_COM投了() {
    p_.timer.setEnabled(false);
    p_.dialogs.messageBox(translate("Game", "ｺﾝﾋﾟｭｰﾀは指す手がありません"),
                          translate("Game", "投了"), Buttons::OK);
    終了("あなた");
}

// Plays the computer's chosen move, whatever level chose it: the history, the move with its
// sound, the mate, win and check messages, the move shown beside the board, and the clocks.
// BoardBackup holds the position the move was chosen in.
void Form1::処理_COM着手(int 移動元X, int 移動元Y, int 移動先X, int 移動先Y, int 移動駒, int 置駒) {
    MoveSeconds = 調査_経過秒(MoveStartTime, p_.clock.secondsSinceMidnight());
    // A move that comes after the computer's clock ran out is not played: it lost on time.
    if (持ち時間制() && Countdown->timeUpAtMove(MoveSeconds)) return;
    手順保存(移動元X, 移動元Y, 移動先X, 移動先Y, 移動駒, 置駒, ManTime, ManTime, ComTime,
             ComTime + MoveSeconds);
    MoveNumber += 1;
    描画_手数(MoveNumber);
    駒移動(移動元X, 移動元Y, 移動先X, 移動先Y, 置駒);
    音_駒();
    // The computer has moved: "思考中" goes now, not only when its move is shown after the
    // check, mate and win boxes.
    消去_思考中();
    p_.timer.setEnabled(false);

    ManKingPos.X = ManPrincePos.X = 0;
    勢力調査();
    tell([](GameListener& l) { l.movePlayed(); });
    if (詰めかMAN() == 1) {
        p_.dialogs.messageBox(translate("Game", "よし！!"), translate("Game", "詰め ?"),
                              Buttons::OK);
    } else {
        const int captured = BoardBackup[移動先X][移動先Y];
        if ((captured == -OU && ManPrincePos.X == 0) || (captured == -KO && ManKingPos.X == 0)) {
            終了("ｺﾝﾋﾟｭｰﾀ");
            return;
        }
        if (PosAttackCount[ManKingPos.X][ManKingPos.Y] > 0)
            p_.dialogs.messageBox(translate("Game", "   ** 王手 **"), "", Buttons::OK);
        else if (PosAttackCount[ManPrincePos.X][ManPrincePos.Y] > 0)
            p_.dialogs.messageBox(translate("Game", "   ** 王手(王子) **"), "", Buttons::OK);
    }

    描画_移動結果(ComTurn, 移動先X, 移動先Y, 置駒, ResultColor);
    描画_桝輪郭(ColorWhite, 移動先X, 移動先Y);

    ComTime += MoveSeconds;
    MoveStartTime = p_.clock.secondsSinceMidnight();
    Turn = ManTurn;
    時計_開始();
}

// After the human's move in a game against the computer: a win by mate or by capture of the
// computer's last royal piece, or else the computer's turn.
void Form1::人間勝利判定_COM(int 取得駒) {
    p_.timer.setEnabled(false);
    if (詰めかCOM() == 1) {
        const bool oneRoyal = (ManKingPos.X > 0) != (ManPrincePos.X > 0);
        const Pos royal = ManKingPos.X > 0 ? ManKingPos : ManPrincePos;
        if (!(oneRoyal && PosAttackCount[royal.X][royal.Y] > 0)) {
            終了("あなた");
            return;
        }
    }
    if ((取得駒 == OU && ComPrincePos.X == 0) || (取得駒 == KO && ComKingPos.X == 0)) {
        終了("あなた");
        return;
    }
    Turn = ComTurn;
    com_ban();
}

} // namespace kelvore
