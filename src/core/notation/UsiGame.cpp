#include "notation/UsiGame.h"

#include "engine/Search.h"
#include "notation/Sfen.h"
#include "notation/Usi.h"
#include "rules/TrialMove.h"

namespace kelvore::notation {

namespace {

int sideOf(engine::Color c) {
    return c == engine::LOWER ? -1 : 1;
}

// The engine's packed form of a move the judge accepted in the same position.
engine::Mv packed(const engine::Position& pos, const Move& m) {
    const engine::Square to = engine::square(m.toX, m.toY);
    if (m.isDrop()) {
        const int kind = piece::handSlot(m.moved); // the engine's hand kinds are the slots
        return engine::Mv::drop(kind, to, engine::makePiece(pos.sideToMove(), kind));
    }
    const engine::Square from = engine::square(m.fromX, m.fromY);
    return engine::Mv::board(from, to, pos.at(from), pos.at(to), m.promotes());
}

} // namespace

UsiGame::UsiGame() {
    std::string error;
    start(kStartSfen, error);
}

bool UsiGame::start(const std::string& sfen, std::string& error) {
    const std::optional<SfenPosition> p = parseSfen(sfen, error);
    if (!p) return false;
    place(judge_, *p);
    place(pos_, *p);
    return true;
}

engine::Mv UsiGame::move(std::string_view text) {
    const std::optional<Move> m = playedMove(judge_, sideOf(pos_.sideToMove()), text);
    return m ? packed(pos_, *m) : engine::Mv{0};
}

void UsiGame::play(engine::Mv m) {
    makeMove(judge_, engine::toGameMove(m, pos_.sideToMove()));
    pos_.make(m);
}

} // namespace kelvore::notation
