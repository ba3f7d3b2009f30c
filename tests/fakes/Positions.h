// Building test positions from SFEN on a game running on the fake platform.
#pragma once

#include "engine/Searcher.h"
#include "fakes/Harness.h"
#include "notation/Sfen.h"

#include <gtest/gtest.h>

namespace kelvore::test {

// Places an SFEN position (board and hands) into the game; the royal positions are cleared.
inline void setPosition(Form1& f, const std::string& sfen) {
    std::string error;
    const auto p = notation::parseSfen(sfen, error);
    ASSERT_TRUE(p.has_value()) << error;
    notation::place(f, *p);
    f.ManKingPos = f.ManPrincePos = f.ComKingPos = f.ComPrincePos = {};
}

// A position from SFEN as the search takes it: board, hands and side to move.
inline engine::GameSnapshot snapshotOfSfen(const std::string& sfen) {
    std::string error;
    const auto p = notation::parseSfen(sfen, error);
    EXPECT_TRUE(p.has_value()) << error;
    return p ? notation::snapshotOf(*p) : engine::GameSnapshot{};
}

// Board square (x, y) from a square name as the notation writes it: "5e" is (5, 5).
inline Pos sq(const char* name) {
    return {10 - (name[0] - '0'), name[1] - 'a' + 1};
}

} // namespace kelvore::test
