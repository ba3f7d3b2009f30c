// The names of the pieces and the numerals of squares and counts in Japanese text, in one
// table: the move text, the KIF writer and reader and the last move beside the board all take
// them from here, so that the reader reads what the writer writes.
#pragma once

#include "rules/Pieces.h"

#include <string_view>
#include <utility>

namespace kelvore::notation {

// The names of one kind of piece.
struct PieceNames {
    int kind = 0;            // the code's magnitude
    std::string_view usual;  // in a move: 歩 と 香 成香 … 馬 龍 象 太子 玉
    std::string_view single; // one character, in a KIF diagram and hand: 杏 圭 全 太
    std::string_view screen; // the last move beside the board: 香成 桂成 銀成 角成 飛成 子 王
    std::string_view western; // in Western notation: P +P L … +R, DE the elephant, CP the prince
};

// clang-format off
inline constexpr PieceNames kPieceNames[] = {
    // kind        usual   single  screen  western
    {piece::HU,    "歩",   "歩",   "歩",    "P"},
    {piece::TO,    "と",   "と",   "と",    "+P"},
    {piece::KYOU,  "香",   "香",   "香",    "L"},
    {piece::NKYOU, "成香", "杏",   "香成",  "+L"},
    {piece::KEI,   "桂",   "桂",   "桂",    "N"},
    {piece::NKEI,  "成桂", "圭",   "桂成",  "+N"},
    {piece::GIN,   "銀",   "銀",   "銀",    "S"},
    {piece::NGIN,  "成銀", "全",   "銀成",  "+S"},
    {piece::KIN,   "金",   "金",   "金",    "G"},
    {piece::KAKU,  "角",   "角",   "角",    "B"},
    {piece::UMA,   "馬",   "馬",   "角成",  "+B"},
    {piece::SYA,   "飛",   "飛",   "飛",    "R"},
    {piece::RYU,   "龍",   "龍",   "飛成",  "+R"},
    {piece::ZOU,   "象",   "象",   "象",    "DE"},
    {piece::KO,    "太子", "太",   "子",    "CP"},
    {piece::OU,    "玉",   "玉",   "王",    "K"},
};
// clang-format on

// Other spellings a reader takes besides the names above: 王 for 玉, 竜 for 龍, 子 for 太子.
inline constexpr std::pair<std::string_view, int> kOtherSpellings[] = {
    {"王", piece::OU}, {"竜", piece::RYU}, {"子", piece::KO}};

// The names of a piece code of either sign; all empty for a code that is no piece.
constexpr PieceNames namesOf(int code) {
    const int kind = code < 0 ? -code : code;
    for (const PieceNames& n : kPieceNames)
        if (n.kind == kind) return n;
    return {};
}

// Full-width digits, as files and the numbers of a KIF diagram's head are written.
inline constexpr std::string_view kWideDigits[10] = {"０", "１", "２", "３", "４",
                                                     "５", "６", "７", "８", "９"};

// The digit 0..9 at the front of `text`, half- or full-width, taken off it; -1, and `text` as
// it was, when none is there.
int readDigit(std::string_view& text);

// Kanji numerals 一 to 十 at 1 to 10, as ranks and counts are written; none for 0.
inline constexpr std::string_view kKanjiNumerals[11] = {"",   "一", "二", "三", "四", "五",
                                                        "六", "七", "八", "九", "十"};

// The kind of the piece name at the front of `text`, taken off it; 0, and `text` as it was,
// when none is there. The usual and the one-character names are read, and the other
// spellings; the usual names are tried first, so 太子 is not read as 太. (The screen's names
// are not: 香成 is read as 香 promoting.)
int readPieceName(std::string_view& text);

// The kind of a one-character name, the table's or another spelling; 0 when it is none.
int kindOfCharacter(std::string_view name);

} // namespace kelvore::notation
