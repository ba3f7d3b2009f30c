// KIF, the text record shogi players and programs exchange: header lines "キー：値", a board
// diagram, one numbered line per move in standard notation with its time, and the end.
//
// How the sides map: in KIF the side drawn at the foot of the diagram, without "v" before its
// pieces, is 先手, and the side drawn at the top with "v" is 後手. So the game's lower side is
// always 先手 (▲) and its upper side always 後手 (△), whichever of them moved first; a game in
// which the upper side moved first says "後手番" after the diagram and its first move is
// 後手's, as KIF writes a handicap game in which 上手 begins. Files are numbered from the right
// as the lower side sees the board (file = 10 - x), ranks from the top (rank = y).
//
// Our files always carry a diagram of the start, since no position of this game is a standard
// shogi start; the elephant is 象 and the prince 太 in it, the promoted silver, knight and lance
// 全, 圭 and 杏. Moves are written by notation::moveText.
//
// The game's clocks are kept whole: the time of a move and its mover's total. The record files
// also keep the other side's total with every move, and a drop's hand row as it was clicked;
// where those do not follow from the KIF lines, a comment line of ours after the end keeps the
// move's record line ("#記録 12  -12 5 800 800   0 ..."), which other programs skip.
#pragma once

#include "record/GameRecord.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kelvore::kif {

enum class Encoding {
    ShiftJis, // ".kif": Shift-JIS, CR LF
    Utf8,     // ".kifu": UTF-8, CR LF
};

// The encoding a file name's extension asks for; nothing for any other name.
std::optional<Encoding> encodingOfPath(std::string_view path);

// A game with what KIF says of it beyond the moves.
struct KifGame {
    GameRecord game;
    std::string startedAt; // 開始日時 as written ("2024/05/01 10:00:00"); empty when unknown
    int winner = 0;        // the side that won (-1 lower, +1 upper), 0 when not decided
    // A resignation, a loss on time and an adjournment are game.end; the writer's "N 投了",
    // "N 切れ負け" and "N 中断" lines and its end line follow it, and the reader sets it from
    // them.
    // Header lines of other keys (終了日時, 場所, 持ち時間, ...), kept in their order.
    std::vector<std::pair<std::string, std::string>> otherHeaders;
    // The comment lines of the game's own line, without their "*": comments[n] follow move n
    // (comments[0] come before the first move). Programs keep their evaluations there
    // ("#評価値=…", "#読み筋=…"). May be shorter than the moves and one.
    std::vector<std::vector<std::string>> comments;
};

// The side that won when the last move took the other side's last royal piece; 0 otherwise.
int winnerByCapture(const GameRecord& game);

// The KIF text of a game (UTF-8, CR LF), its first line naming the encoding the file will be
// written in. A game with an end (game.end) is written with it; otherwise, when `game.winner`
// is 0, the end is written only for a game won by taking the last royal piece.
std::string writeKif(const KifGame& game, Encoding encoding);

// The bytes of a file: the text in the encoding asked for; nothing when some character has no
// Shift-JIS form.
std::optional<std::string> encodeKif(std::string_view text, Encoding encoding);

// The result of reading a KIF file: the game, or why not and on which line.
struct KifRead {
    std::optional<KifGame> game;
    std::string error;    // why the file was refused, in Japanese
    int line = 0;         // the line at fault (1-based); 0 when it is the file as a whole
    std::string lineText; // that line as read, shortened; empty when it could not be decoded
    // "12行目：その駒はそこへ動けません", or the error alone when no line is at fault.
    std::string message() const;
};

// The largest KIF file read; far beyond any real game.
inline constexpr std::size_t kKifFileLimit = 16 * 1024 * 1024;

// Reads a KIF file from its bytes. `encoding` is what the file's name says; a byte order mark
// or a "#KIF version=2.0 encoding=…" line overrides it, and a ".kif" that is valid UTF-8 is
// read as UTF-8. Header keys may come in any order; unknown keys are kept; comment lines
// ("#", "&", and "*" of variations) are skipped, the "*" lines of the game's own line kept
// in `comments`; moves may carry ▲/△, 同 with or without its blank, 成, 不成,
// 打 and times or none; an origin may be left out where only one piece can make the move.
// The diagram must be a position of this game, and every move is judged as record files are.
// A KIF of standard shogi (no diagram) is refused, and so is a file that has begun no diagram
// within its first 500 lines, there and then. Lines end in CR LF, LF or a lone CR. The file is
// decoded once, whole, and its lines are read where they lie: the memory needed is about the
// file's size again, whatever its lines.
KifRead readKif(std::string_view bytes, Encoding encoding);

} // namespace kelvore::kif
