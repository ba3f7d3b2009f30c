#include "kif/PositionCheck.h"

#include "notation/MoveText.h"
#include "rules/Pieces.h"

namespace kelvore::kif {

using namespace piece;

namespace {

std::string_view sideName(int sign) {
    return sign < 0 ? "先手" : "後手";
}

// How many pieces of each hand kind the game has, both sides together (slots 1..7).
constexpr int kSetSize[8] = {0, 18, 4, 4, 4, 4, 2, 2};

} // namespace

bool stranded(int code, int y) {
    switch (code) {
    case -HU:
    case -KYOU: return y == 1;
    case -KEI: return y <= 2;
    case HU:
    case KYOU: return y == 9;
    case KEI: return y >= 8;
    default: return false;
    }
}

std::string positionError(const engine::GameSnapshot& p) {
    int kings[2] = {}, elephants[2] = {}, princes[2] = {};
    int total[8] = {};
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int c = p.board[x][y];
            if (c == EMPTY) continue;
            const int k = c < 0 ? -c : c;
            if (!isPieceCode(c) || k == NKIN)
                return "盤に置けない駒があります（" + notation::squareText(x, y) + "）";
            const int side = c < 0 ? 0 : 1;
            if (k == OU) ++kings[side];
            if (k == ZOU) ++elephants[side];
            if (k == KO) ++princes[side];
            total[handSlot(c)] += 1;
            if (stranded(c, y))
                return "行き所のない駒があります（" + notation::squareText(x, y) +
                       std::string(notation::pieceName(c)) + "）";
        }
    for (int slot = 1; slot <= 7; ++slot) {
        if (p.lowerHand[slot] < 0 || p.upperHand[slot] < 0) return "持駒の数が正しくありません";
        total[slot] += p.lowerHand[slot] + p.upperHand[slot];
        if (total[slot] > kSetSize[slot])
            return std::string(notation::pieceName(kSlotKind[slot])) + "が" +
                   std::to_string(kSetSize[slot]) + "枚より多くあります";
    }
    for (int side = 0; side < 2; ++side) {
        const std::string name(sideName(side == 0 ? -1 : 1));
        if (kings[side] > 1) return name + "の玉が二枚以上あります";
        if (elephants[side] + princes[side] > 1)
            return name + "の象と太子が合わせて二枚以上あります";
        if (kings[side] == 0 && princes[side] == 0) return name + "に玉も太子もありません";
    }
    for (int x = 1; x <= 9; ++x) {
        int pawns[2] = {};
        for (int y = 1; y <= 9; ++y) {
            if (p.board[x][y] == -HU) ++pawns[0];
            if (p.board[x][y] == HU) ++pawns[1];
        }
        for (int side = 0; side < 2; ++side)
            if (pawns[side] > 1)
                return std::string(sideName(side == 0 ? -1 : 1)) + "の二歩があります（" +
                       std::to_string(10 - x) + "筋）";
    }
    return {};
}

} // namespace kelvore::kif
