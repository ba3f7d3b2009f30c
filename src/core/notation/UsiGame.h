// A game followed through USI text, for the programs that referee or replay engine games: the
// game's judge (a Form1 of its own, with no display) accepts each move as the game would, and
// the engine's position plays it too, so that the engine's tests of the game's end, its hash
// and its evaluation see every move.
#pragma once

#include "Form1.h"
#include "engine/Position.h"
#include "platform/NullPlatform.h"

#include <string>
#include <string_view>

namespace kelvore::notation {

class UsiGame {
public:
    // The starting position, the lower side to move.
    UsiGame();
    UsiGame(const UsiGame&) = delete;
    UsiGame& operator=(const UsiGame&) = delete;

    // Starts again from an SFEN; false, with why in `error` and nothing changed, when it cannot
    // be read.
    bool start(const std::string& sfen, std::string& error);

    // The engine's move that `text` names for the side to move, as the game's judge accepts it
    // (notation::playedMove); a none move when it is no move of the game here.
    engine::Mv move(std::string_view text);
    // Plays a move given by move() on both positions.
    void play(engine::Mv m);

    // The engine's position. A caller may search it, making moves of its own, as long as it
    // takes each of them back.
    engine::Position& position() { return pos_; }
    const engine::Position& position() const { return pos_; }

private:
    NullPlatform null_;
    Form1 judge_{null_.platform};
    engine::Position pos_;
};

} // namespace kelvore::notation
