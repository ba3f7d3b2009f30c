#include "notation/MoveText.h"

#include "notation/PieceNames.h"

namespace kelvore::notation {

using namespace piece;

namespace {

bool onBoard(int x, int y) {
    return x >= 1 && x <= 9 && y >= 1 && y <= 9;
}

} // namespace

std::string_view markText(Mark mark) {
    return mark == Mark::Sente ? "▲" : mark == Mark::Gote ? "△" : "";
}

std::string_view pieceName(int code) {
    return namesOf(code).usual;
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
