// The game the move list shows: it follows the game being played or viewed move by move, and
// stays after the game ends (the board reset by はい or 最初), until another game takes its
// place. Showing one of its moves steps the board with the game's own 戻 and 進, so the state
// afterwards is the one the same steps by hand leave (a board click then resumes play from
// there); a game no longer in the history is first taken into record mode, as reading it from
// a file would.
#pragma once

#include "GameListener.h"
#include "record/GameRecord.h"

#include <functional>
#include <string>
#include <vector>

namespace kelvore {

class Form1;

namespace review {

// One line of the move list.
struct MoveRow {
    int number = 0;        // 1 for the first move
    std::string text;      // the move in standard notation
    long long seconds = 0; // the whole seconds it took (secondsOf)
};

std::vector<MoveRow> rowsOf(const GameRecord& game);

// A move's thinking time in whole seconds as players read it: "0:05", "12:34", "1:02:03".
std::string timeText(long long seconds);

// The move list shows the game, and the hint and the analysis are read below it: opens it, as
// ｵﾌﾟｼｮﾝ → 指し手一覧 does, when that item's check mark says it is hidden.
void revealMoveList(Form1& form);

class GameReview : private GameListener {
public:
    explicit GameReview(Form1& form);
    ~GameReview() override;
    GameReview(const GameReview&) = delete;
    GameReview& operator=(const GameReview&) = delete;

    const GameRecord& game() const { return game_; }
    // How many moves of the game shown the board has applied (0: its start); -1 when the board
    // shows none of its positions (after the reset that follows a game's end).
    int current() const { return current_; }

    // Steps the board to the position after move `ply` of the game shown (0: its start). Refused
    // with the forbidden sound while the computer thinks, and for a game that cannot be taken
    // back into record mode (one that began after a handicap, once it has left the history).
    // True when the board shows that position afterwards.
    bool showMove(int ply);

    // Called whenever the game shown or its current move changes.
    std::function<void()> onChanged;

private:
    void movePlayed() override { follow(); }
    void historyChanged() override { follow(); }
    void afterReset() override;

    // Takes the game and its cursor from the history.
    void follow();
    // True when the history holds the game shown, a game runs or is viewed, and the board
    // stands on one of its positions: then 戻 and 進 step through it.
    bool historyIsShown() const;
    void changed();

    Form1& form_;
    GameRecord game_;
    int current_ = -1;
    bool stepping_ = false; // within showMove: one notice when it is done
};

} // namespace review
} // namespace kelvore
