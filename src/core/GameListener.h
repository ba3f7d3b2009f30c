// What the rooms beside the game hear of it. The searching levels, the kept games, the move
// list and the hints follow the game through these calls, which Form1 makes on the window's
// thread at fixed points of its procedures. A listener may read the game's state; it must not
// change the position or the history from inside a call.
#pragma once

#include <string_view>

namespace kelvore {

class GameListener {
public:
    virtual ~GameListener() = default;
    // 初期設定 is about to reset the game (最初, a record chosen, はい after a win, start-up):
    // the history and the position are still those of the game being left.
    virtual void beforeReset() {}
    // 初期設定 has reset the game to the starting position.
    virtual void afterReset() {}
    // A move of either side has been recorded and played on the board (KifuCursor is its
    // number); called before any check, mate or win message of that move.
    virtual void movePlayed() {}
    // The position or the history changed otherwise: stepped with 戻 or 進, a record read in,
    // the board reversed, a handicap step (△ or ▽), or the moves beyond the cursor given up by
    // 先手 or 後手.
    virtual void historyChanged() {}
    // A side has won; called before the end-of-game dialogue shows the winner. Form1::End says
    // when it won by the other side's resignation or loss on time.
    virtual void gameWon(std::string_view /*winner*/) {}
    // The game in play has been adjourned (中断) without a result: Form1::End says so, the
    // history stays and the board shows it in record mode.
    virtual void gameAdjourned() {}
    // The program is about to end (Esc, 終わり, the close box, いいえ after a win): the last
    // word, quickly and without a question.
    virtual void beforeShutdown() {}
};

} // namespace kelvore
