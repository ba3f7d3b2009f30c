// Why a move lost much, in one line a player can read, taken from the engine's lines walked on
// the position: the mate it allows, the mate it missed, the first exchange that gives material
// away, or the material it failed to win; a capture is named only when the move captured. The lines
// are walked on the position; the engine is not asked again.
#pragma once

#include "analysis/Verdict.h"
#include "engine/Searcher.h"

#include <string>
#include <vector>

namespace kelvore::analysis {

// The moves of a line in the player's notation, separated by spaces, each with its side's mark:
// `start` is the position the line is played from (its side to move plays the first move),
// `firstMover` (-1, +1) the side whose moves carry ▲ in the game, and `previousTo` where the
// move before the line went (for 同). At most `most` moves are written. `forKif` writes the
// Japanese form KIF holds whatever notation the player chose.
std::string lineText(const engine::GameSnapshot& start, const std::vector<Move>& line,
                     Pos previousTo, int firstMover, std::size_t most = 12, bool forKif = false);

// What a piece taken is worth to the side that takes it: the piece gone from the board and the
// piece gained in hand, on the engine's scale; a royal piece counts as the second life it was.
int captureWorth(int code);

// Plays `move` on `position` (board, hands, side to move) and says what it took; false, with
// the position unchanged, when the move does not fit it.
bool playOn(engine::GameSnapshot& position, const Move& move, int& captured);

// Everything the reason is read from: the position before the move, the move, where the move
// before it went, and the engine's verdicts before and after it.
struct MoveContext {
    const engine::GameSnapshot& before;
    const Move& played;
    Pos previousTo;
    const Verdict& beforeVerdict; // the mover's view
    const Verdict& afterVerdict;  // the opponent's view
    int firstMover;
};

// The one line that says why the move lost, from facts of the position and the lines: in this
// order of weight,
//   "△５二金打から詰みます"              the opponent mates from its reply,
//   "玉を取られます: △同　飛(82)"        the move leaves its royal piece to be taken,
//   "▲３三角成で詰みでした"              the mover had a mate,
//   "角を只で取られます: △同　角(22)"    the piece moved is taken where it went, for nothing,
//   "△７八飛成で金を取られます"          the opponent's reply wins material at once,
//   "△４五桂から金を取られます: …"       the first exchange of the opponent's line that wins
//                                         material, and the moves up to it,
//   "歩を取る代わりに…"                   before either, when the move itself captured,
//   "▲２四歩で飛が取れました"            material the mover's best line would have won first,
//   "駒損はありませんが形勢を損ねます。最善手は▲２六歩(27)でした"   otherwise.
std::string explain(const MoveContext& context);

} // namespace kelvore::analysis
