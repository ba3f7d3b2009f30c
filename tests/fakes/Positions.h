// Building test positions from SFEN on a game running on the fake platform.
#pragma once

#include "Notation.h"
#include "engine/Searcher.h"
#include "fakes/Harness.h"

#include <gtest/gtest.h>

#include <cstring>

namespace kelvore::test {

// Places an SFEN position (board and hands) into the game; the royal positions are cleared.
inline void setPosition(Form1& f, const std::string& sfen) {
    std::string error;
    const auto p = usi::parseSfen(sfen, error);
    ASSERT_TRUE(p.has_value()) << error;
    usi::place(f, *p);
    f.ManKingPos = f.ManPrincePos = f.ComKingPos = f.ComPrincePos = {};
}

// A position from SFEN as the search takes it: board, hands and side to move.
inline engine::GameSnapshot snapshotOfSfen(const std::string& sfen) {
    std::string error;
    const auto p = usi::parseSfen(sfen, error);
    EXPECT_TRUE(p.has_value()) << error;
    engine::GameSnapshot s;
    if (!p) return s;
    std::memcpy(s.board, p->board, sizeof s.board);
    std::memcpy(s.lowerHand, p->lowerHand, sizeof s.lowerHand);
    std::memcpy(s.upperHand, p->upperHand, sizeof s.upperHand);
    s.sideToMove = p->sideToMove;
    return s;
}

// Board square (x, y) from a square name as the notation writes it: "5e" is (5, 5).
inline Pos sq(const char* name) {
    return {10 - (name[0] - '0'), name[1] - 'a' + 1};
}

} // namespace kelvore::test
