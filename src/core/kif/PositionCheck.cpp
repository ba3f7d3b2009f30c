#include "kif/PositionCheck.h"
#include "platform/Translate.h"

#include "notation/MoveText.h"
#include "rules/Pieces.h"

namespace kelvore::kif {

using namespace piece;

namespace {

std::string sideName(int sign) {
    return sign < 0 ? translate("Game", "先手") : translate("Game", "後手");
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
                return args(translate("Kif", "盤に置けない駒があります（%1）"),
                            {notation::squareText(x, y)});
            const int side = c < 0 ? 0 : 1;
            if (k == OU) ++kings[side];
            if (k == ZOU) ++elephants[side];
            if (k == KO) ++princes[side];
            total[handSlot(c)] += 1;
            if (stranded(c, y))
                return args(translate("Kif", "行き所のない駒があります（%1%2）"),
                            {notation::squareText(x, y), notation::pieceName(c)});
        }
    for (int slot = 1; slot <= 7; ++slot) {
        if (p.lowerHand[slot] < 0 || p.upperHand[slot] < 0)
            return translate("Kif", "持駒の数が正しくありません");
        total[slot] += p.lowerHand[slot] + p.upperHand[slot];
        if (total[slot] > kSetSize[slot])
            return args(translate("Kif", "%1が%2枚より多くあります"),
                        {notation::pieceName(kSlotKind[slot]), std::to_string(kSetSize[slot])});
    }
    for (int side = 0; side < 2; ++side) {
        const std::string name = sideName(side == 0 ? -1 : 1);
        if (kings[side] > 1) return args(translate("Kif", "%1の玉が二枚以上あります"), {name});
        if (elephants[side] + princes[side] > 1)
            return args(translate("Kif", "%1の象と太子が合わせて二枚以上あります"), {name});
        if (kings[side] == 0 && princes[side] == 0)
            return args(translate("Kif", "%1に玉も太子もありません"), {name});
    }
    for (int x = 1; x <= 9; ++x) {
        int pawns[2] = {};
        for (int y = 1; y <= 9; ++y) {
            if (p.board[x][y] == -HU) ++pawns[0];
            if (p.board[x][y] == HU) ++pawns[1];
        }
        for (int side = 0; side < 2; ++side)
            if (pawns[side] > 1)
                return args(translate("Kif", "%1の二歩があります（%2筋）"),
                            {sideName(side == 0 ? -1 : 1), std::to_string(10 - x)});
    }
    return {};
}

} // namespace kelvore::kif
