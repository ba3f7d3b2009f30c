// Sharing games from the window: our commands of the 棋譜 menu, headless. KIF書出 writes the
// game as KIF, KIF読込 reads one in to be stepped through with 進, and the position or the game
// is copied as SFEN, or a position pasted from it. The window lends the clipboard and a file
// chooser; what this room says, it says through the game's message boxes, but for a copy or a
// file written, which the status line says.
//
// A pasted position (and a KIF holding a position without moves) starts a game between two
// people from it, with the side to move the SFEN or the diagram gives. From that position, as
// long as no move has been played, 先手 starts a game against the computer when the lower side
// is to move and 後手 when the upper side (the computer's) is; the other one is refused, since
// it would give the move to the wrong side, and スタート keeps the side to move. A game from any
// other position than the starting one cannot be written to a ".棋譜" record, which cannot hold
// its start: 書込 is refused with a message, as after a handicap, and KIF書出 keeps it.
#pragma once

#include "Form1.h"
#include "kif/Kif.h"

#include <functional>
#include <optional>
#include <string>

namespace kelvore::sharing {

// What the window lends the room.
struct Outside {
    std::function<void(const std::string&)> setClipboard;
    std::function<std::string()> clipboard;
    // The file the player chose, to write (`save`) or to read, the chooser opened in `folder`
    // with `name` proposed; empty when they chose none.
    std::function<std::string(bool save, const std::string& folder, const std::string& name)>
        chooseFile;
    // The present moment as KIF writes 開始日時 ("2024/05/01 10:00:00"); the local time when
    // not set.
    std::function<std::string()> now;
    // The game KIF書出 is about to write, for the judgement of it to be added as comments.
    std::function<void(kif::KifGame&)> annotate;
    // A game KIF読込 has read and set up for stepping, with its comments.
    std::function<void(const kif::KifGame&)> imported;
};

class Interchange : public GameListener {
public:
    // Takes the five items of ours in the 棋譜 menu and guards the game's commands that would
    // go against a position set up here.
    Interchange(Form1& form, Outside outside);
    ~Interchange() override;
    Interchange(const Interchange&) = delete;
    Interchange& operator=(const Interchange&) = delete;

    // The game KIF書出 writes: the game in the history, every recorded move from where it
    // started; when no game is on the board, the last one left by a reset (最初, はい after a
    // win, a record read). Nothing when there is none.
    std::optional<kif::KifGame> gameToExport() const;
    // A file name for it: its title (or 対局) and when it started, with the extension.
    std::string suggestedName(kif::Encoding encoding) const;
    // Writes it to `path` (".kif" or ".kifu"; ".kif" is added to any other name) as safely as
    // every save. Says that it was written (in the status line), or why not (in a box).
    bool exportTo(std::string path);
    // Reads a KIF file into the game to be stepped through with 進 from its start, as a record
    // read with 読込; a file without moves sets its position up for play. A refused file says
    // why on which line and changes nothing.
    bool importFrom(const std::string& path);
    // Sets up the position of an SFEN ("…", "sfen …" or "position sfen|startpos … [moves …]",
    // the moves played on it) and starts a game between two people from it. A text that is no
    // SFEN, or no position of this game, is refused with a message and changes nothing.
    bool paste(std::string_view text);

    // The position on the board as SFEN, as kelvore-usi's `d` prints it.
    std::string positionSfen() const;
    // The game up to the position on the board as an engine takes it:
    // "position sfen <start> moves <move> …".
    std::string gameCommand() const;

    // GameListener
    void beforeReset() override;
    void movePlayed() override;
    void historyChanged() override;
    void gameWon(std::string_view winner) override;

private:
    // What is known of a game beyond its moves: its names, when it started, who won. It holds
    // for a game with the same start and, for the winner, the very same moves.
    struct Notes {
        engine::GameSnapshot start;
        std::vector<RecordMove> moves;
        kif::KifGame info;
    };

    bool guard(MenuItem item);
    void exportCommand();
    void importCommand();
    void copy(const std::string& text, std::string_view what);
    // False, with the forbidden sound, while the computer thinks about the position.
    bool mayChangePosition();
    std::optional<kif::KifGame> historyGame() const;
    // The position on the board when it is still one this room set up, with no move played.
    const engine::GameSnapshot* placedOnBoard() const;
    // Puts a game of the history on the board: its start, its moves recorded (applied when
    // `play`, else left for 進), the side to move and a two-person game when `play`.
    void setUp(const GameRecord& game, bool play);
    std::string now() const;
    // The 持ち時間 header of a game played here, from the time control that holds.
    void noteTimeControl();

    Form1& f_;
    Outside outside_;
    std::optional<Notes> notes_;                 // the game on the board
    std::optional<kif::KifGame> left_;           // the game left by the last reset
    std::optional<engine::GameSnapshot> placed_; // the start this room set up
    int moveNumberBase_ = 0; // the SFEN move number of the placed start, less one
};

} // namespace kelvore::sharing
