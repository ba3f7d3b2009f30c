// What the tests of records, KIF and sharing set up alike: a short game played by clicks, two
// positions compared by what stands where, and a KIF diagram drawn from an SFEN board.
#pragma once

#include "engine/Snapshot.h"
#include "fakes/Clicks.h"
#include "fakes/Harness.h"
#include "kif/Kif.h"
#include "notation/Sfen.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace kelvore::test {

// Two people: pawns forward, the bishops exchanged, then each side drops a bishop: the lower
// side from its hand cell (11, 8), slot 6, the upper side from its hand row 2, slot 6. The
// clock moves on 5, 5, 5, 5, 7 and 3 seconds.
inline void playShortGame(Game& g) {
    Form1& f = g.form;
    g.fake.clock.now = 100;
    f.START_Click();
    const int moves[][5] = {{3, 7, 3, 6, kLeft}, {7, 3, 7, 4, kLeft},  {2, 8, 8, 2, kRight},
                            {7, 1, 8, 2, kLeft}, {11, 8, 5, 5, kLeft}, {-1, 2, 5, 4, kLeft}};
    const int seconds[] = {5, 5, 5, 5, 7, 3};
    for (int i = 0; i < 6; ++i) {
        g.fake.clock.now += seconds[i];
        move(f, moves[i][0], moves[i][1], moves[i][2], moves[i][3], moves[i][4]);
    }
}

// True when the two positions have the same board and hands, whichever side is to move.
inline bool samePlacement(const engine::GameSnapshot& a, const engine::GameSnapshot& b) {
    return std::memcmp(a.board, b.board, sizeof a.board) == 0 &&
           std::memcmp(a.lowerHand, b.lowerHand, sizeof a.lowerHand) == 0 &&
           std::memcmp(a.upperHand, b.upperHand, sizeof a.upperHand) == 0;
}

// True when the game's board and hands are those of `p`.
inline bool boardIs(const Form1& f, const engine::GameSnapshot& p) {
    return samePlacement(engine::snapshotOf(f, -1), p);
}

// The record lines of a game's moves, as a record file holds them.
inline std::vector<std::string> recordLines(const GameRecord& game) {
    std::vector<std::string> lines;
    for (const RecordMove& m : game.moves) lines.push_back(formatMoveLine(m));
    return lines;
}

// The diagram of an SFEN board ("4k4/9/…/4K4") as our KIF files draw it, from its top frame to
// its bottom frame, each line ended by a line feed.
inline std::string kifDiagram(const std::string& board) {
    std::string error;
    const auto p = notation::parseSfen(board + " b - 1", error);
    EXPECT_TRUE(p.has_value()) << error;
    kif::KifGame k;
    if (p) k.game.start = notation::snapshotOf(*p);
    const std::string text = kif::writeKif(k, kif::Encoding::Utf8);
    const std::size_t top = text.find("+---");
    const std::size_t end = text.find('\n', text.find("+---", top + 1)) + 1;
    std::string s;
    for (char c : text.substr(top, end - top))
        if (c != '\r') s += c;
    return s;
}

} // namespace kelvore::test
