// How a game ended beyond its moves: a side resigned, a side's time ran out, or the game was
// adjourned without a result. A game won by taking the last royal piece, or by mate, says how
// it ended by its moves alone and has no ending of this kind.
#pragma once

namespace kelvore {

enum class Ending { None, Resigned, TimeUp, Adjourned };

struct GameEnd {
    Ending how = Ending::None;
    int winner = 0;     // -1 the lower side, +1 the upper side, 0 no one (adjourned)
    int afterMoves = 0; // the moves of the game when it ended
};

} // namespace kelvore
