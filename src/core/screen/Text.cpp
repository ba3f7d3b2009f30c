// The text primitives of the play screen: numbers, captions, move texts, the move counter,
// and the handicap refusal box. Text that must stand out is printed twice: a black shadow one
// tenth of a square right of and below its place, then the face in its colour.
#include "Form1.h"
#include "notation/MoveText.h"
#include "notation/NotationStyle.h"
#include "notation/PieceNames.h"
#include "platform/Translate.h"

#include <cmath>

namespace kelvore {

namespace {

// Captions of 描画_文字列 for the handicap levels -10..10.
constexpr const char* kHandicapCaptions[21] = {KELVORE_TRANSLATE_NOOP("Screen", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:名人"),
                                               KELVORE_TRANSLATE_NOOP("Screen", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８段"),
                                               KELVORE_TRANSLATE_NOOP("Screen", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:７段"),
                                               KELVORE_TRANSLATE_NOOP("Screen", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:６段"),
                                               KELVORE_TRANSLATE_NOOP("Screen", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５段"),
                                               KELVORE_TRANSLATE_NOOP("Screen", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:４段"),
                                               KELVORE_TRANSLATE_NOOP("Screen", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３段"),
                                               KELVORE_TRANSLATE_NOOP("Screen", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２段"),
                                               KELVORE_TRANSLATE_NOOP("Screen", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:初段"),
                                               KELVORE_TRANSLATE_NOOP("Screen", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:１級"),
                                               KELVORE_TRANSLATE_NOOP("Screen", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級"),
                                               KELVORE_TRANSLATE_NOOP("Screen", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３級"),
                                               KELVORE_TRANSLATE_NOOP("Screen", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:４級"),
                                               KELVORE_TRANSLATE_NOOP("Screen", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５級"),
                                               KELVORE_TRANSLATE_NOOP("Screen", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:６級"),
                                               KELVORE_TRANSLATE_NOOP("Screen", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:７級"),
                                               KELVORE_TRANSLATE_NOOP("Screen", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８級"),
                                               KELVORE_TRANSLATE_NOOP("Screen", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:９級"),
                                               KELVORE_TRANSLATE_NOOP("Screen", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:10級"),
                                               KELVORE_TRANSLATE_NOOP("Screen", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:11級"),
                                               KELVORE_TRANSLATE_NOOP("Screen", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:12級")};

// The ranks' labels beside the board, kanji numerals (notation::kKanjiNumerals) as the
// translation tools see them: another language may letter them, as Western notation does.
[[maybe_unused]] constexpr const char* kRankLabels[9] = {
    KELVORE_TRANSLATE_NOOP("Screen", "一"), KELVORE_TRANSLATE_NOOP("Screen", "二"),
    KELVORE_TRANSLATE_NOOP("Screen", "三"), KELVORE_TRANSLATE_NOOP("Screen", "四"),
    KELVORE_TRANSLATE_NOOP("Screen", "五"), KELVORE_TRANSLATE_NOOP("Screen", "六"),
    KELVORE_TRANSLATE_NOOP("Screen", "七"), KELVORE_TRANSLATE_NOOP("Screen", "八"),
    KELVORE_TRANSLATE_NOOP("Screen", "九")};

} // namespace

void Form1::印字(std::string_view text, double x, double y, int colour) {
    p_.canvas.drawText(text, x, y, colour, FontSize, FontBold);
}

// Mode 0 prints the value as a number, with one blank in the sign position when it is not
// negative; any other mode prints 1..9 as a kanji numeral and nothing else.
void Form1::描画_数値(double gx, double gy, long long 値, int 色, int モード, int 大きさ) {
    FontSize = 大きさ;
    std::string text;
    if (モード == 0)
        text = (値 < 0 ? "" : " ") + std::to_string(値);
    else if (値 >= 1 && 値 <= 9)
        text = translate("Screen", notation::kKanjiNumerals[値].data()); // a rank's label
    if (text.empty()) return;
    印字(text, gridX(gx), gridY(gy), 色);
}

void Form1::描画_文字列(double gx, double gy, int コード, int 色, int 大きさ) {
    const char* caption = nullptr;
    if (コード >= -10 && コード <= 10)
        caption = kHandicapCaptions[コード + 10];
    else if (コード == 99)
        caption = KELVORE_TRANSLATE_NOOP("Screen", "手目");
    if (caption == nullptr) return;
    FontSize = 大きさ;
    印字(translate("Screen", caption), gridX(gx) + 120, gridY(gy) + 160, 色);
}

void Form1::描画_移動駒種類(double gx, double gy, std::string_view 文字, int 色) {
    FontSize = 12;
    if (文字.empty()) return;
    印字(文字, gridX(gx), gridY(gy), 色);
}

// The screen's own names: 香成 for the promoted lance, 子 for the prince, 王 for either king.
std::string Form1::文字列変換(int コード) {
    if (コード >= 1 && コード <= 9) return std::string(notation::kWideDigits[コード]);
    if (コード >= 1001 && コード <= 1009)
        return std::string(notation::kKanjiNumerals[コード - 1000]);
    return std::string(notation::namesOf(コード).screen);
}

// The last move of a side beside the board: file, rank and piece (e.g. ７六歩); with Western
// notation chosen, the piece and the square in one text (e.g. P7f).
void Form1::描画_移動結果(int 手番, int x, int y, int 駒, int 色) {
    消去_移動結果(手番);
    if (notation::style() == notation::Style::Western) {
        if (手番 != ComTurn && 手番 != ManTurn) return;
        const bool com = 手番 == ComTurn;
        const double gx = com ? -1.6 : 12.4, gy = com ? 8.4 : 2.4;
        const std::string text =
            std::string(notation::namesOf(駒).western) + notation::westernSquareText(x, y);
        描画_移動駒種類(gx + 0.1, gy + 0.1, text, ColorBlack);
        描画_移動駒種類(gx, gy, text, 色);
        if (com) 描画_桝輪郭(OutlineColor, 1, 8);
        return;
    }
    const std::string file = 文字列変換(10 - x);
    const std::string rank = 文字列変換(1000 + y);
    const std::string name = 文字列変換(駒);
    if (手番 == ComTurn) {
        描画_移動駒種類(-1.5, 8.5, file, ColorBlack);
        描画_移動駒種類(-1.6, 8.4, file, 色);
        描画_移動駒種類(-1.1, 8.5, rank, ColorBlack);
        描画_移動駒種類(-1.2, 8.4, rank, 色);
        描画_移動駒種類(-0.5, 8.5, name, ColorBlack);
        描画_移動駒種類(-0.6, 8.4, name, 色);
        描画_桝輪郭(OutlineColor, 1, 8);
    } else if (手番 == ManTurn) {
        描画_移動駒種類(12.5, 2.5, file, ColorBlack);
        描画_移動駒種類(12.4, 2.4, file, 色);
        描画_移動駒種類(12.9, 2.5, rank, ColorBlack);
        描画_移動駒種類(12.8, 2.4, rank, 色);
        描画_移動駒種類(13.5, 2.5, name, ColorBlack);
        描画_移動駒種類(13.4, 2.4, name, 色);
    }
}

void Form1::消去_移動結果(int 手番) {
    if (手番 == ComTurn) {
        for (int gx = -2; gx <= 0; ++gx) 描画_絵(CurrentBackground, gx, 8);
        描画_桝輪郭(OutlineColor, -1, 7);
        描画_桝輪郭(OutlineColor, 1, 8);
    } else if (手番 == ManTurn) {
        for (int gx = 12; gx <= 14; ++gx) 描画_絵(CurrentBackground, gx, 2);
    }
}

// The move counter: the number moves left as it grows, then "手目".
void Form1::描画_手数(int 手数) {
    描画_絵(CurrentBackground, 13, 3);
    描画_絵(CurrentBackground, 14, 3);
    描画_桝輪郭(OutlineColor, 11, 3);
    double shadowX = 13.3, faceX = 13.2;
    if (手数 >= 100) {
        shadowX = 13.1;
        faceX = 13.0;
    } else if (手数 >= 10) {
        shadowX = 13.2;
        faceX = 13.1;
    }
    描画_数値(shadowX, 3.4, 手数, ColorBlack, 0, 12);
    描画_数値(faceX, 3.3, 手数, ColorWhite, 0, 12);
    描画_文字列(13.9, 3.2, 99, ColorBlack, 10);
    描画_文字列(13.8, 3.1, 99, ColorWhite, 10);
}

std::string Form1::変換_数字から文字(long long 値) {
    const std::string text = std::to_string(値);
    if (text.size() == 1) return "0" + text;
    if (text.size() == 2) return text;
    return "";
}

void Form1::描画_可視(bool ドライブ, bool フォルダ, bool ファイル) {
    p_.panel.setListsVisible(ドライブ, フォルダ, ファイル);
}

void Form1::描画_メッセージ(int 番号) {
    std::string text;
    if (番号 == 1)
        text = translate("Game", "棋譜ﾓｰﾄﾞではできません");
    else if (番号 == 2)
        text = translate("Game", "対局途中ではできません");
    else if (番号 == 3)
        text = translate("Game", "反転後ではできません");
    text += translate("Game", "\r\r局面→最初にして下さい");
    p_.dialogs.messageBox(text, translate("Game", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定"), Buttons::OK);
}

} // namespace kelvore
