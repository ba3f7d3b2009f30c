// Moves in standard Japanese notation, as players write them and as KIF records hold them:
// the side's mark, the destination (full-width file, kanji rank) or 同 when the move takes on
// the square the move before it went to, the piece's usual name, 成 or 不成 where the piece
// could have promoted, 打 for a drop, and the origin in parentheses:
//   "▲７六歩(77)"   "△同　角成(88)"   "▲４五桂打"   "△５二象不成(51)"
// Files are numbered from the right as the lower side sees the board (file = 10 - x) and ranks
// from the top (rank = y), so the lower side's pieces start on ranks 7 to 9. This is the one
// place where a move becomes such text: the move list, the analysis, hints and KIF use it.
//
// The player may choose the Western notation of English shogi books instead (NotationStyle.h):
// the piece's letters, the origin only where two like pieces could go to the square, - for a
// move, x for a capture, * for a drop, the square as file and rank letter, then + for a
// promotion or = for one declined:
//   "▲P-7f"   "△Bx2b+"   "▲S*5e"   "△G6h-5h"   "▲+R-2b"   "△S-3c="   "▲DE-5b"
// The player's texts call the form that takes the position (it sees captures and like pieces);
// KIF calls the Japanese form alone.
#pragma once

#include "engine/Searcher.h"
#include "rules/TrialMove.h"

#include <string>
#include <string_view>

namespace kelvore::notation {

// The mark before a move: ▲ for the side that moved first in the game (先手), △ for the
// other (後手); none for KIF move lines, which carry no mark.
enum class Mark { None, Sente, Gote };

std::string_view markText(Mark mark);

// The usual name of a piece code of either sign: 歩 香 桂 銀 金 角 飛 玉 と 成香 成桂 成銀 馬
// 龍 象 太子; empty for a code that is no piece.
std::string_view pieceName(int code);

// "７六" for the square (3, 6); empty off the board.
std::string squareText(int x, int y);

// "(77)" for a board origin (3, 7); empty for a drop or off the board.
std::string originText(int fromX, int fromY);

// The text of a move. `previousTo` is the destination of the move played just before it
// (x = 0 when there is none): a move to the same square is written 同.
std::string moveText(const Move& move, Pos previousTo, Mark mark);

// "7f" for the square (3, 6): the file, then the rank as a letter from a at the top; empty off
// the board.
std::string westernSquareText(int x, int y);

// The move in Western notation; `before` is the position the move is played in.
std::string westernMoveText(const engine::GameSnapshot& before, const Move& move, Mark mark);

// The move as the player reads it, in the chosen style: moveText or westernMoveText.
std::string moveText(const engine::GameSnapshot& before, const Move& move, Pos previousTo,
                     Mark mark);

// The piece's name as the player reads it in the chosen style: pieceName or the Western letters.
std::string_view playerPieceName(int code);

} // namespace kelvore::notation
