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

// How far a line is walked for the exchange that wins material: beyond it a line says more of
// the engine's guesses than of the move.
constexpr std::size_t kWalkedPlies = 8;
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

// The first exchange along a line that wins material for one side: walking the line, each
// capture by `winner` is weighed with everything taken before it and the other side's answer
// after it; the first at which `winner` is ahead by kWorthTelling, taking a piece worth telling
// of, is the exchange. Side 0 plays the line's first move.
struct Exchange {
    bool found = false;
    std::size_t at = 0; // the capture that wins, in the line
    int piece = 0;      // the piece it takes
};

Exchange firstWinningExchange(engine::GameSnapshot position, const std::vector<Move>& line,
                              int winner) {
    Exchange e;
    int taken[kWalkedPlies] = {};
    std::size_t walked = 0;
    for (; walked < line.size() && walked < kWalkedPlies; ++walked)
        if (!playOn(position, line[walked], taken[walked])) break;
    int net = 0; // the winner's gain so far
    for (std::size_t i = 0; i < walked; ++i) {
        const bool ours = static_cast<int>(i % 2) == winner;
        net += (ours ? 1 : -1) * captureWorth(taken[i]);
        if (!ours || captureWorth(taken[i]) < kWorthTelling) continue;
        // The other side's answer may take something back.
        const int answer = i + 1 < walked ? captureWorth(taken[i + 1]) : 0;
        if (net - answer >= kWorthTelling) {
            e.found = true;
            e.at = i;
            e.piece = taken[i];
            return e;
        }
    }
    return e;
}

// True when move `index` of `line`, played from `position`, captures something.
bool capturesOn(engine::GameSnapshot position, const std::vector<Move>& line, std::size_t index) {
    for (std::size_t i = 0; i <= index && i < line.size(); ++i) {
        int taken = 0;
        if (!playOn(position, line[i], taken)) return false;
        if (i == index) return taken != 0;
    }
    return false;
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
                     Pos previousTo, int firstMover, std::size_t most, bool forKif) {
    std::string text;
    Pos previous = previousTo;
    engine::GameSnapshot position = start;
    int side = start.sideToMove;
    for (std::size_t i = 0; i < line.size() && i < most; ++i) {
        if (!text.empty()) text += ' ';
        const notation::Mark mark = markOfSide(side, firstMover);
        text += forKif ? notation::moveText(line[i], previous, mark)
                       : notation::moveText(position, line[i], previous, mark);
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

    // The move and the opponent's line: the first exchange in it that wins material for the
    // opponent. A capture is named only when the move itself captured.
    std::vector<Move> played{c.played};
    played.insert(played.end(), after.line.begin(), after.line.end());
    const Exchange lost = fits ? firstWinningExchange(c.before, played, 1) : Exchange{};
    if (lost.found) {
        const std::string piece = nameOf(lost.piece);
        const std::string reply = notation::moveText(next, played[1], playedTo, them);
        if (lost.at == 1) {
            // The piece just moved, taken where it went, and nothing taken back.
            const bool forNothing = captured == 0 && after.best.toX == c.played.toX &&
                                    after.best.toY == c.played.toY &&
                                    (played.size() < 3 || !capturesOn(c.before, played, 2));
            if (forNothing)
                return args(translate("Analysis", "%1を只で取られます: %2"), {piece, reply});
            if (captured != 0)
                return args(translate("Analysis", "%1を取る代わりに%2で%3を取られます"),
                            {nameOf(captured), reply, piece});
            return args(translate("Analysis", "%1で%2を取られます"), {reply, piece});
        }
        const std::string how =
            lineText(next, slice(played, 1, lost.at + 1), playedTo, c.firstMover);
        if (captured != 0)
            return args(translate("Analysis", "%1を取る代わりに%2から%3を取られます: %4"),
                        {nameOf(captured), reply, piece, how});
        return args(translate("Analysis", "%1から%2を取られます: %3"), {reply, piece, how});
    }

    // What the engine's own line would have won.
    if (before.hasMove) {
        const Exchange won = firstWinningExchange(c.before, before.line, 0);
        if (won.found) {
            const std::string best = notation::moveText(c.before, before.best, c.previousTo, us);
            const std::string piece = nameOf(won.piece);
            if (won.at == 0)
                return args(translate("Analysis", "%1で%2が取れました"), {best, piece});
            return args(translate("Analysis", "%1から%2が取れました: %3"),
                        {best, piece,
                         lineText(c.before, slice(before.line, 0, won.at + 1), c.previousTo,
                                  c.firstMover)});
        }
        return args(translate("Analysis", "駒損はありませんが形勢を損ねます。最善手は%1でした"),
                    {notation::moveText(c.before, before.best, c.previousTo, us)});
    }
    return translate("Analysis", "形勢を損ねます");
}

} // namespace kelvore::analysis
