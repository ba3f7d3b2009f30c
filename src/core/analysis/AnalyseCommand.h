// 棋譜 → 解析: the engine judges the game the move list shows. Refused with the forbidden sound
// while the computer thinks (two searches would share the machine) and when that game has no
// move to judge; otherwise the game is handed to the judgement, which cancels a run still going
// and starts on it, and the move list, where the judgement is read, opens if it is hidden.
#pragma once

#include "record/GameRecord.h"

#include <functional>

namespace kelvore {

class Form1;

namespace review {
class GameReview;
}

namespace analysis {

class AnalyseCommand {
public:
    using Start = std::function<void(const GameRecord& game)>;
    // Takes the menu's 解析 while it lives; `shown` is the game of the move list, `start` the
    // judgement that runs over it.
    AnalyseCommand(Form1& form, const review::GameReview& shown, Start start);
    ~AnalyseCommand();
    AnalyseCommand(const AnalyseCommand&) = delete;
    AnalyseCommand& operator=(const AnalyseCommand&) = delete;

private:
    void run();

    Form1& form_;
    const review::GameReview& shown_;
    Start start_;
};

} // namespace analysis
} // namespace kelvore
