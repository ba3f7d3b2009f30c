#include "notation/Usi.h"

#include <sstream>

namespace kelvore::notation {

using namespace piece;

std::vector<std::string> words(std::string_view line) {
    std::istringstream in{std::string(line)};
    std::vector<std::string> w;
    for (std::string s; in >> s;) w.push_back(s);
    return w;
}

PositionText readPosition(const std::vector<std::string>& w) {
    PositionText p;
    std::size_t next = 0;
    if (!w.empty() && w[0] == "position") {
        if (w.size() >= 2 && w[1] == "startpos") {
            p.startpos = true;
            p.sfen = kStartSfen;
        } else if (w.size() < 2 || w[1] != "sfen") {
            p.fault = PositionText::Fault::NoStart;
            return p;
        }
        next = 2;
    } else if (!w.empty() && w[0] == "sfen") {
        next = 1;
    }
    if (!p.startpos)
        for (; next < w.size() && w[next] != "moves"; ++next)
            p.sfen += (p.sfen.empty() ? "" : " ") + w[next];
    if (next < w.size() && w[next] != "moves") {
        p.fault = PositionText::Fault::NotMoves;
        return p;
    }
    if (next < w.size()) p.moves.assign(w.begin() + static_cast<std::ptrdiff_t>(next) + 1, w.end());
    return p;
}

std::optional<Move> moveOn(const UsiMove& u, const int board[10][10], int side) {
    if (u.drop) return Move::drop(side, u.dropKind, u.toX, u.toY);
    const int moved = board[u.fromX][u.fromY];
    if (moved * side < HU) return std::nullopt;
    if (u.promote) return Move::promotion(u.fromX, u.fromY, u.toX, u.toY, moved);
    return Move{u.fromX, u.fromY, u.toX, u.toY, moved, moved};
}

std::optional<Move> playedMove(Form1& f, int side, std::string_view text) {
    const std::optional<UsiMove> usi = parseUsiMove(std::string(text));
    if (!usi) return std::nullopt;
    const std::optional<Move> move = moveOn(*usi, f.Board, side);
    if (!move) return std::nullopt;
    return acceptedMove(f, side, *move);
}

} // namespace kelvore::notation
