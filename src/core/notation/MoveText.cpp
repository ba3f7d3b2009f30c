#include "notation/MoveText.h"

#include "rules/Pieces.h"

namespace kelvore::notation {

using namespace piece;

namespace {

constexpr std::string_view kWideDigits[10] = {"",   "１", "２", "３", "４",
                                              "５", "６", "７", "８", "９"};
constexpr std::string_view kKanjiNumerals[10] = {"",   "一", "二", "三", "四",
                                                 "五", "六", "七", "八", "九"};

bool onBoard(int x, int y) {
    return x >= 1 && x <= 9 && y >= 1 && y <= 9;
}

} // namespace

std::string_view markText(Mark mark) {
    switch (mark) {
    case Mark::Sente: return "▲";
    case Mark::Gote: return "△";
    case Mark::None: break;
    }
    return "";
}

std::string_view pieceName(int code) {
    switch (code < 0 ? -code : code) {
    case HU: return "歩";
    case TO: return "と";
    case KYOU: return "香";
    case NKYOU: return "成香";
    case KEI: return "桂";
    case NKEI: return "成桂";
    case GIN: return "銀";
    case NGIN: return "成銀";
    case KIN: return "金";
    case KAKU: return "角";
    case UMA: return "馬";
    case SYA: return "飛";
    case RYU: return "龍";
    case ZOU: return "象";
    case KO: return "太子";
    case OU: return "玉";
    default: return "";
    }
}

std::string squareText(int x, int y) {
    if (!onBoard(x, y)) return {};
    std::string s(kWideDigits[10 - x]);
    s += kKanjiNumerals[y];
    return s;
}

std::string originText(int fromX, int fromY) {
    if (!onBoard(fromX, fromY)) return {};
    return "(" + std::to_string(10 - fromX) + std::to_string(fromY) + ")";
}

std::string moveText(const Move& m, Pos previousTo, Mark mark) {
    std::string s(markText(mark));
    if (previousTo.X == m.toX && previousTo.Y == m.toY && onBoard(m.toX, m.toY))
        s += "同　";
    else
        s += squareText(m.toX, m.toY);
    s += pieceName(m.moved);
    if (m.isDrop()) return s + "打";
    if (m.placed != m.moved)
        s += "成";
    else if (mayPromote(m.fromX, m.fromY, m.toY, m.moved))
        s += "不成";
    return s + originText(m.fromX, m.fromY);
}

} // namespace kelvore::notation
