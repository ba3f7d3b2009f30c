// The ends of a game that are ours: a side resigns or runs out of time and loses through the
// game's own end-of-game dialogue, or the game is adjourned without a result.
#pragma once

#include "record/GameEnd.h"

#include <string>

namespace kelvore {
class Form1;
}

namespace kelvore::match {

// The side whose turn it is: -1 the lower side, +1 the upper side.
int sideToMove(const Form1& f);

// How the end-of-game dialogue names a side: あなた and ｺﾝﾋﾟｭｰﾀ against the computer, 先手 for
// the lower side and 後手 for the upper side between two people (as the game names a winner).
std::string sideName(const Form1& f, int side);

// True while a game is being played: begun, not a record being viewed, and not decided by the
// capture of a last royal piece.
bool inPlay(const Form1& f);

// The clock stops, a computer's search is dropped and its "思考中" goes, a piece held is put
// down.
void stopPlay(Form1& f);

// The game ends as a loss of `loser` (-1 or +1) by `how` (Resigned or TimeUp): Form1::End says
// so, and the end-of-game dialogue shows why and who won, then asks whether to play again.
void endWithLoss(Form1& f, int loser, Ending how);

} // namespace kelvore::match
