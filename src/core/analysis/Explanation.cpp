#include "analysis/Explanation.h"
#include "platform/Translate.h"

#include "engine/EvalTables.h"
#include "engine/Evaluate.h"
#include "notation/MoveText.h"
#include "record/GameRecord.h"
#include "rules/Pieces.h"

#include <cstdlib>

namespace kelvore::analysis {

using namespace piece;

namespace {

// A walk of a line shorter than this says nothing about material the engine would not see.
constexpr std::size_t kWalkedPlies = 7;
// Material worth telling of: more than a pawn taken (about 195). A reason never names a pawn:
// a line that wins one is seldom why a move was marked.
constexpr int kWorthTelling = 300;

// The engine's kind of a piece code of either sign.
int engineKind(int code) {
    switch (std::abs(code)) {
    case HU: return engine::PAWN;
    case TO: return engine::PRO_PAWN;
    case KYOU: return engine::LANCE;
    case NKYOU: return engine::PRO_LANCE;
    case KEI: return engine::KNIGHT;
    case NKEI: return engine::PRO_KNIGHT;
    case GIN: return engine::SILVER;
    case NGIN: return engine::PRO_SILVER;
    case KIN:
    case NKIN: return engine::GOLD;
    case KAKU: return engine::BISHOP;
    case UMA: return engine::HORSE;
    case SYA: return engine::ROOK;
    case RYU: return engine::DRAGON;
    case ZOU: return engine::ELEPHANT;
    case KO: return engine::PRINCE;
    case OU: return engine::KING;
    default: return engine::NO_KIND;
    }
}

notation::Mark markOfSide(int side, int firstMover) {
    return side == firstMover ? notation::Mark::Sente : notation::Mark::Gote;
}

// The captures along a line: what each side took, and the most valuable piece each took and
// at which move of the line. Side 0 plays the line's first move.
struct Exchange {
    int gained[2] = {0, 0};
    int biggest[2] = {0, 0}; // piece codes
    std::size_t biggestAt[2] = {0, 0};
    std::size_t walked = 0;
    int net() const { return gained[0] - gained[1]; }
};

Exchange walk(engine::GameSnapshot position, const std::vector<Move>& line) {
    Exchange e;
    for (const Move& m : line) {
        if (e.walked >= kWalkedPlies) break;
        int captured = 0;
        if (!playOn(position, m, captured)) break;
        const int who = static_cast<int>(e.walked % 2);
        if (captured != 0) {
            const int worth = captureWorth(captured);
            e.gained[who] += worth;
            if (worth > captureWorth(e.biggest[who])) {
                e.biggest[who] = captured;
                e.biggestAt[who] = e.walked;
            }
        }
        ++e.walked;
    }
    return e;
}

std::vector<Move> slice(const std::vector<Move>& line, std::size_t from, std::size_t to) {
    if (from >= line.size()) return {};
    return {line.begin() + static_cast<std::ptrdiff_t>(from),
            line.begin() + static_cast<std::ptrdiff_t>(std::min(to, line.size()))};
}

std::string nameOf(int code) {
    return std::string(notation::playerPieceName(code));
}

} // namespace

std::string lineText(const engine::GameSnapshot& start, const std::vector<Move>& line,
                     Pos previousTo, int firstMover, std::size_t most) {
    std::string text;
    Pos previous = previousTo;
    engine::GameSnapshot position = start;
    int side = start.sideToMove;
    for (std::size_t i = 0; i < line.size() && i < most; ++i) {
        if (!text.empty()) text += ' ';
        text += notation::moveText(position, line[i], previous, markOfSide(side, firstMover));
        previous = {line[i].toX, line[i].toY};
        side = -side;
        int captured = 0;
        if (!playOn(position, line[i], captured)) position.sideToMove = side;
    }
    return text;
}

int captureWorth(int code) {
    const int kind = engineKind(code);
    if (kind == engine::NO_KIND) return 0;
    int worth = engine::eval::pieceValue(kind) + engine::eval::handValue(engine::handKindOf(kind));
    if (engine::isRoyal(kind)) worth += engine::eval::kWeights[engine::eval::feature::TwoRoyals];
    return worth;
}

bool playOn(engine::GameSnapshot& position, const Move& m, int& captured) {
    if (m.toX < 1 || m.toX > 9 || m.toY < 1 || m.toY > 9) return false;
    captured = position.board[m.toX][m.toY];
    return applyMove(position, recordMoveOf(m, captured));
}

std::string explain(const MoveContext& c) {
    const int mover = c.before.sideToMove;
    const Pos playedTo{c.played.toX, c.played.toY};
    const Verdict& after = c.afterVerdict;
    const Verdict& before = c.beforeVerdict;
    const notation::Mark them = markOfSide(-mover, c.firstMover);
    const notation::Mark us = markOfSide(mover, c.firstMover);

    engine::GameSnapshot next = c.before;
    int captured = 0;
    const bool fits = playOn(next, c.played, captured);

    // The opponent wins by force from its reply.
    if (fits && after.hasMove && after.score.mate && after.score.value > 0 &&
        !(before.score.mate && before.score.value < 0)) {
        const std::string reply = notation::moveText(next, after.best, playedTo, them);
        const int target = next.board[after.best.toX][after.best.toY];
        if (after.score.value == 1 && engine::isRoyal(engineKind(target)))
            return args(translate("Analysis", "%1を取られます: %2"), {nameOf(target), reply});
        return args(translate("Analysis", "%1から詰みます"), {reply});
    }
    // The mover had a win by force and let it go.
    if (before.hasMove && before.score.mate && before.score.value > 0 &&
        !(after.score.mate && after.score.value < 0))
        return args(translate("Analysis", "%1で詰みでした"),
                    {notation::moveText(c.before, before.best, c.previousTo, us)});

    // The move and the opponent's line: what each side takes.
    std::vector<Move> played{c.played};
    played.insert(played.end(), after.line.begin(), after.line.end());
    const Exchange lost = fits ? walk(c.before, played) : Exchange{};
    if (fits && -lost.net() >= kWorthTelling && captureWorth(lost.biggest[1]) >= kWorthTelling) {
        const std::size_t at = lost.biggestAt[1];
        const std::string how = lineText(next, slice(played, 1, at + 1), playedTo, c.firstMover);
        const std::string piece = nameOf(lost.biggest[1]);
        if (lost.biggest[0] != 0)
            return args(translate("Analysis", "%1を取る代わりに%2を取られます: %3"),
                        {nameOf(lost.biggest[0]), piece, how});
        if (at == 1) return args(translate("Analysis", "%1を只で取られます: %2"), {piece, how});
        return args(translate("Analysis", "%1から%2を取られます: %3"),
                    {notation::moveText(next, played[1], playedTo, them), piece, how});
    }

    // What the engine's own line would have won.
    if (before.hasMove) {
        const Exchange won = walk(c.before, before.line);
        if (won.net() >= kWorthTelling && won.net() - lost.net() >= kWorthTelling &&
            captureWorth(won.biggest[0]) >= kWorthTelling) {
            const std::size_t at = won.biggestAt[0];
            const std::string best = notation::moveText(c.before, before.best, c.previousTo, us);
            const std::string piece = nameOf(won.biggest[0]);
            if (at == 0) return args(translate("Analysis", "%1で%2が取れました"), {best, piece});
            return args(
                translate("Analysis", "%1から%2が取れました: %3"),
                {best, piece,
                 lineText(c.before, slice(before.line, 0, at + 1), c.previousTo, c.firstMover)});
        }
        return args(translate("Analysis", "形勢を損ねます。最善手は%1でした"),
                    {notation::moveText(c.before, before.best, c.previousTo, us)});
    }
    return translate("Analysis", "形勢を損ねます");
}

} // namespace kelvore::analysis
