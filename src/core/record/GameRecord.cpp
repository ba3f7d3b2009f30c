#include "record/GameRecord.h"
#include "platform/Translate.h"

#include "notation/NotationStyle.h"
#include "record/MoveTime.h"
#include "rules/StartingPosition.h"
#include "text/Files.h"
#include "text/ShiftJis.h"

#include <algorithm>
#include <cstring>

namespace kelvore {

using namespace piece;

namespace {

bool onBoard(int x, int y) {
    return x >= 1 && x <= 9 && y >= 1 && y <= 9;
}

bool isHandColumn(int x) {
    return x == 11 || x == -1;
}

// Takes a recorded move back from a position; false, with the position unchanged, when the
// position after the move is not what it shows.
bool takeBack(engine::GameSnapshot& p, const RecordMove& m) {
    const int moved = m.MovedPiece, placed = m.PlacedPiece, captured = m.CapturedPiece;
    const int fx = m.FromX, fy = m.FromY, tx = m.ToX, ty = m.ToY;
    const bool drop = isHandColumn(fx);
    if (!onBoard(tx, ty) || moved == 0 || p.board[tx][ty] != placed) return false;
    if (!drop && (!onBoard(fx, fy) || p.board[fx][fy] != 0)) return false;
    const int sign = moved > 0 ? 1 : -1;
    int* hand = sign > 0 ? p.upperHand : p.lowerHand;
    const int captureSlot = handSlot(captured);
    if (captureSlot != 0 && hand[captureSlot] <= 0) return false;
    if (drop) {
        const int slot = handSlot(moved);
        if (slot == 0 || moved != placed || captured != 0) return false;
        hand[slot] += 1;
    } else {
        p.board[fx][fy] = moved;
    }
    p.board[tx][ty] = captured;
    if (captureSlot != 0) hand[captureSlot] -= 1;
    p.sideToMove = sign;
    return true;
}

} // namespace

engine::GameSnapshot standardStart(int firstMover) {
    engine::GameSnapshot s;
    placeStartingPosition(s.board);
    s.sideToMove = firstMover < 0 ? -1 : 1;
    return s;
}

bool isStandardStart(const engine::GameSnapshot& p) {
    const engine::GameSnapshot s = standardStart(p.sideToMove);
    return std::memcmp(s.board, p.board, sizeof s.board) == 0 &&
           std::memcmp(s.lowerHand, p.lowerHand, sizeof s.lowerHand) == 0 &&
           std::memcmp(s.upperHand, p.upperHand, sizeof s.upperHand) == 0;
}

bool applyMove(engine::GameSnapshot& p, const RecordMove& m) {
    const int moved = m.MovedPiece, placed = m.PlacedPiece;
    const int fx = m.FromX, fy = m.FromY, tx = m.ToX, ty = m.ToY;
    if (!onBoard(tx, ty) || !isPieceCode(moved) || !isPieceCode(placed)) return false;
    const int sign = moved > 0 ? 1 : -1;
    const int captured = p.board[tx][ty];
    if (captured != m.CapturedPiece || (captured != 0 && (captured > 0) == (sign > 0)))
        return false;
    int* hand = sign > 0 ? p.upperHand : p.lowerHand;
    if (isHandColumn(fx)) {
        const int slot = handSlot(moved);
        if (slot == 0 || moved != placed || captured != 0 || hand[slot] <= 0) return false;
        hand[slot] -= 1;
    } else {
        if (!onBoard(fx, fy) || p.board[fx][fy] != moved) return false;
        p.board[fx][fy] = 0;
    }
    p.board[tx][ty] = placed;
    if (const int slot = handSlot(captured); slot != 0) hand[slot] += 1;
    p.sideToMove = -sign;
    return true;
}

std::optional<GameRecord> recordOfHistory(const Form1& f) {
    GameRecord g;
    const auto& k = f.Kifu;
    const int length = std::min<int>(f.KifuLength, static_cast<int>(k.MovedPiece.size()) - 1);
    for (int i = 1; i <= length; ++i)
        g.moves.push_back({k.FromX[i], k.FromY[i], k.ToX[i], k.ToY[i], k.MovedPiece[i],
                           k.PlacedPiece[i], k.CapturedPiece[i], k.ManTimeBefore[i],
                           k.ManTimeAfter[i], k.ComTimeBefore[i], k.ComTimeAfter[i]});
    engine::GameSnapshot p;
    std::memcpy(p.board, f.Board, sizeof p.board);
    std::memcpy(p.lowerHand, f.OwnHand, sizeof p.lowerHand);
    std::memcpy(p.upperHand, f.EnemyHand, sizeof p.upperHand);
    p.sideToMove = f.Turn == f.ManTurn ? -1 : 1;
    for (int i = std::min(f.KifuCursor, length); i >= 1; --i)
        if (!takeBack(p, g.moves[i - 1])) return std::nullopt;
    if (!g.moves.empty()) p.sideToMove = g.moves.front().MovedPiece > 0 ? 1 : -1;
    g.start = p;
    if (f.End.how != Ending::None && f.End.afterMoves == length) g.end = f.End;
    return g;
}

GameRecord recordOfFile(const RecordFile& file) {
    GameRecord g;
    g.title = file.header[0];
    g.upperPlayer = file.header[1];
    g.lowerPlayer = file.header[2];
    g.moves = file.moves;
    g.start = standardStart(g.moves.empty() || g.moves.front().MovedPiece < 0 ? -1 : 1);
    return g;
}

std::vector<engine::GameSnapshot> positionsOf(const GameRecord& game) {
    std::vector<engine::GameSnapshot> positions{game.start};
    for (const RecordMove& m : game.moves) {
        engine::GameSnapshot next = positions.back();
        if (!applyMove(next, m)) break;
        positions.push_back(next);
    }
    return positions;
}

notation::Mark markOf(const GameRecord& game, std::size_t index) {
    if (index >= game.moves.size()) return notation::Mark::None;
    const bool upper = game.moves[index].MovedPiece > 0;
    return upper == (game.start.sideToMove > 0) ? notation::Mark::Sente : notation::Mark::Gote;
}

std::string moveTextOf(const GameRecord& game, std::size_t index) {
    if (index >= game.moves.size()) return {};
    // The Japanese text needs no position.
    if (notation::style() == notation::Style::Japanese) return moveTextOf(game, index, game.start);
    engine::GameSnapshot before = game.start;
    for (std::size_t i = 0; i < index; ++i)
        if (!applyMove(before, game.moves[i])) break;
    return moveTextOf(game, index, before);
}

std::string moveTextOf(const GameRecord& game, std::size_t index,
                       const engine::GameSnapshot& before) {
    if (index >= game.moves.size()) return {};
    Pos previous;
    if (index > 0) previous = {game.moves[index - 1].ToX, game.moves[index - 1].ToY};
    return notation::moveText(before, moveOf(game.moves[index]), previous, markOf(game, index));
}

long long secondsOf(const GameRecord& game, std::size_t index) {
    if (index >= game.moves.size()) return 0;
    const RecordMove& m = game.moves[index];
    return m.MovedPiece > 0 ? moveSeconds(m.ComTimeBefore, m.ComTimeAfter)
                            : moveSeconds(m.ManTimeBefore, m.ManTimeAfter);
}

std::string recordText(const GameRecord& game) {
    std::string body;
    for (const std::string* line : {&game.title, &game.upperPlayer, &game.lowerPlayer})
        body.append(*line).append("\r\n");
    for (const RecordMove& m : game.moves) body += formatMoveLine(m) + "\r\n";
    return body;
}

std::string writeRecordFile(const std::string& path, const GameRecord& game) {
    for (const std::string* t : {&game.title, &game.upperPlayer, &game.lowerPlayer})
        if (t->find_first_of("\r\n") != std::string::npos)
            return translate("Record", "名前に改行は使えません");
    const auto bytes = text::toShiftJis(recordText(game));
    if (!bytes) return translate("Record", "Shift-JISで書けない文字があります");
    const int error = text::writeFileAtomically(path, *bytes);
    return error == 0 ? std::string() : recordWriteError(error);
}

} // namespace kelvore
