// The engine front's names for SFEN and USI move text, which live in the core
// (notation/Sfen.h) because the window reads and writes them too.
#pragma once

#include "notation/Sfen.h"

namespace kelvore::usi {

using Position = notation::SfenPosition;
using MoveText = notation::UsiMove;
using notation::formatSfen;
using notation::kStartSfen;
using notation::parseSfen;
using notation::pieceLetters;
using notation::place;

inline std::optional<MoveText> parseMove(const std::string& text) {
    return notation::parseUsiMove(text);
}

inline std::string formatMove(const Move& m) {
    return notation::formatUsiMove(m);
}

} // namespace kelvore::usi
