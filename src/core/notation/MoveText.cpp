#include "notation/MoveText.h"

#include "engine/MoveGen.h"
#include "engine/Search.h"
#include "notation/NotationStyle.h"
#include "notation/PieceNames.h"

namespace kelvore::notation {

using namespace piece;

namespace {

bool onBoard(int x, int y) {
    return x >= 1 && x <= 9 && y >= 1 && y <= 9;
}

// True when a piece of the same code as the mover, standing elsewhere, could also go to the
// move's square in `before`: the reader then needs the origin to tell the two apart.
bool likePieceReaches(const engine::GameSnapshot& before, const Move& m) {
    const engine::Color us = m.moved < 0 ? engine::LOWER : engine::UPPER;
    engine::Position pos;
    pos.set(before.board, before.lowerHand, before.upperHand, us);
    engine::MvList list;
    engine::generate(pos, list);
    for (const engine::Mv mv : list) {
        if (mv.isDrop()) continue;
        const Move other = engine::toGameMove(mv, us);
        if (other.toX == m.toX && other.toY == m.toY && other.moved == m.moved &&
            (other.fromX != m.fromX || other.fromY != m.fromY))
            return true;
    }
    return false;
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

std::string westernSquareText(int x, int y) {
    if (!onBoard(x, y)) return {};
    return {static_cast<char>('0' + 10 - x), static_cast<char>('a' + y - 1)};
}

std::string westernMoveText(const engine::GameSnapshot& before, const Move& m, Mark mark) {
    std::string s(markText(mark));
    s += namesOf(m.moved).western;
    if (m.isDrop()) return s + "*" + westernSquareText(m.toX, m.toY);
    if (likePieceReaches(before, m)) s += westernSquareText(m.fromX, m.fromY);
    const bool takes = onBoard(m.toX, m.toY) && before.board[m.toX][m.toY] != EMPTY;
    s += takes ? "x" : "-";
    s += westernSquareText(m.toX, m.toY);
    if (m.placed != m.moved)
        s += "+";
    else if (mayPromote(m.fromX, m.fromY, m.toY, m.moved))
        s += "=";
    return s;
}

std::string moveText(const engine::GameSnapshot& before, const Move& move, Pos previousTo,
                     Mark mark) {
    return style() == Style::Western ? westernMoveText(before, move, mark)
                                     : moveText(move, previousTo, mark);
}

std::string_view playerPieceName(int code) {
    return style() == Style::Western ? namesOf(code).western : namesOf(code).usual;
}

} // namespace kelvore::notation
