// The gauntlet's referee (how a game ends by the rules) and its arithmetic (Elo and the
// sequential test); the gauntlet and the tuner as programs, when their files cannot be written.
#include "Gauntlet.h"
#include "Referee.h"
#include "Stats.h"
#include "engine/GameEnd.h"
#include "notation/Sfen.h"

#include "fakes/Files.h"
#include "fakes/Harness.h"
#include "notation/Sfen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <sys/wait.h>

using namespace kelvore;
using namespace kelvore::gauntlet;

namespace {

Referee startAt(const std::string& sfen) {
    Referee r;
    std::string error;
    EXPECT_TRUE(r.start(sfen, error)) << error;
    return r;
}

bool matedAt(const std::string& sfen) {
    engine::Position pos;
    std::string error;
    EXPECT_TRUE(notation::setFromSfen(pos, sfen, error)) << error;
    return engine::isMated(pos);
}

// The gauntlet and the tuner run as programs in a folder of their own: what they print, what
// they say on the error stream and how they exit.
class ToolFiles : public ::testing::Test {
protected:
    test::TempFolder folder;
    const std::string openings = folder.path + "/openings.sfen";
    const std::string usi = KELVORE_USI_BINARY;

    ToolFiles() { test::spitBytes(openings, std::string(notation::kStartSfen) + "\n"); }

    struct Ran {
        int status = -1;
        std::string out, err;
    };
    Ran run(const std::string& command) const {
        const std::string out = folder.path + "/out", err = folder.path + "/err";
        const int rc = std::system((command + " >" + out + " 2>" + err).c_str());
        return {WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, test::slurp(out), test::slurp(err)};
    }
    // Two games between two copies of the engine, a few plies each, keeping them in `records`.
    Ran play(const std::string& records) const {
        return run(std::string(KELVORE_GAUNTLET_BINARY) + " play --a " + usi + " --b " + usi +
                   " --games 2 --tc nodes=50 --plies 6 --progress 0 --openings " + openings +
                   " --records " + records);
    }
};

} // namespace

// `play --records FILE` on a full disk played every game and exited 0 with FILE empty: the
// stream was checked when opened, never after its writes. Now the first pair that cannot be
// kept ends the gauntlet, uncounted, and the file is named.
TEST_F(ToolFiles, RecordsOnAFullDiskStopTheGauntletWithTheFileNamed) {
    const Ran kept = play(folder.path + "/games.txt");
    ASSERT_EQ(kept.status, 0) << kept.err;
    const std::string games = test::slurp(folder.path + "/games.txt");
    EXPECT_EQ(std::count(games.begin(), games.end(), '\n'), 2) << "a line a game: " << games;

    const Ran full = play("/dev/full");
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err, "kelvore-gauntlet: cannot write /dev/full: No space left on device\n");
    EXPECT_NE(full.out.find("\npairs 0 0 0 0 0 "), std::string::npos) << full.out;
    EXPECT_NE(full.out.find("stopped: the games after these could not be kept"), std::string::npos);
}

// `openings --out FILE` with little room exited 0 with its last line cut; the tuner wrote its
// weights the same way. A whole file is now written whole or not at all, and a failure named.
TEST_F(ToolFiles, OpeningsAndWeightsThatCannotBeWrittenFailWithTheFileNamed) {
    const std::string gauntlet = KELVORE_GAUNTLET_BINARY;
    const Ran openings = run(gauntlet + " openings --count 1 --nodes 50 --out /dev/full");
    EXPECT_EQ(openings.status, 1);
    EXPECT_NE(
        openings.err.find("kelvore-gauntlet: cannot write /dev/full: not a regular file (a FIFO, a "
                          "device or a socket)\n"),
        std::string::npos)
        << openings.err;
    const std::string missing = folder.path + "/none/openings.sfen";
    const Ran nowhere = run(gauntlet + " openings --count 1 --nodes 50 --out " + missing);
    EXPECT_EQ(nowhere.status, 1);
    EXPECT_NE(nowhere.err.find("cannot write " + missing + ": No such file or directory\n"),
              std::string::npos);

    const std::string games = folder.path + "/games.txt";
    test::spitBytes(games, "1-0 capture 5 sfen " + std::string(notation::kStartSfen) +
                               " moves 7g7f 3c3d 8h2b+ 3a2b B*5e\n");
    const std::string weights = folder.path + "/weights.h";
    test::spitBytes(weights, "the weights before");
    const std::string tune = std::string(KELVORE_TUNE_BINARY) + " --epochs 1 --records " + games;
    const Ran written = run(tune + " --out " + weights);
    ASSERT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(test::slurp(weights).rfind("// The evaluation's weights.", 0), 0u);
    const Ran refused = run(tune + " --out /dev/full");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find(
                  "kelvore-tune: cannot write /dev/full: not a regular file (a FIFO, a device "
                  "or a socket)\n"),
              std::string::npos)
        << refused.err;
}

// The upper gold dropped in front of the lower king, guarded by a pawn: every reply leaves the
// king to be taken.
TEST(Referee, ATrueMateEndsTheGame) {
    Referee r = startAt("4k4/9/9/9/9/9/4p4/9/4K4 w g 1");
    EXPECT_TRUE(r.play("G*5h"));
    EXPECT_EQ(r.outcome(), Outcome::UpperWins);
    EXPECT_EQ(r.reason(), Reason::Mate);
    EXPECT_FALSE(r.play("5i4i")) << "nothing is played after the end";

    // The same mate handed over as the start: decided before a move.
    const Referee decided = startAt("4k4/9/9/9/9/9/4p4/4g4/4K4 b - 1");
    EXPECT_EQ(decided.outcome(), Outcome::UpperWins);
}

// Positions the game's own mate test may call mate, but where a reply saves the last royal
// piece.
TEST(Referee, AFalseMateIsNoMate) {
    // Mate as above.
    EXPECT_TRUE(matedAt("4k4/9/9/9/9/9/4p4/4g4/4K4 b - 1"));
    // The elephant beside the king takes the gold, and the king stands safe.
    EXPECT_FALSE(matedAt("4k4/9/9/9/9/9/4p4/4g4/4KE3 b - 1"));
    // A lone prince takes an unguarded gold itself.
    EXPECT_FALSE(matedAt("4k4/9/9/9/9/9/9/4g4/4+E4 b - 1"));
    // The elephant steps into the zone and becomes a prince: a side with two royal pieces
    // survives the loss of one.
    EXPECT_TRUE(matedAt("k8/9/9/9/9/9/4p4/4g4/3gKg3 b - 1"));
    EXPECT_FALSE(matedAt("k8/4E4/9/9/9/9/4p4/4g4/3gKg3 b - 1"));
    // A distant rook's check along the edge is blocked by a drop; with an empty hand it is mate.
    EXPECT_FALSE(matedAt("r3k4/9/9/9/9/9/9/1P7/KL7 b P 1"));
    EXPECT_TRUE(matedAt("r3k4/9/9/9/9/9/9/1P7/KL7 b - 1"));
    // A reply that takes the other side's last royal piece wins instead of losing.
    EXPECT_FALSE(matedAt("9/9/9/9/9/9/4pk3/4g4/4KR3 b - 1"));
    // Not the last royal piece: a side with king and prince is never mated.
    EXPECT_FALSE(matedAt("4k4/9/9/9/9/9/4p4/4g4/4K+E3 b - 1"));
}

TEST(Referee, TakingTheLastRoyalPieceWinsAndTheFirstOfTwoDoesNot) {
    // The upper side has a king and a prince: taking the king ends nothing.
    Referee r = startAt("4k4/4+e4/4R4/9/9/9/9/9/4K4 b - 1");
    EXPECT_TRUE(r.play("5c5b"));
    EXPECT_EQ(r.outcome(), Outcome::Running);
    EXPECT_TRUE(r.play("5a4b"));
    EXPECT_TRUE(r.play("5b4b"));
    EXPECT_EQ(r.outcome(), Outcome::LowerWins);
    EXPECT_EQ(r.reason(), Reason::RoyalTaken);
    EXPECT_EQ(r.plies(), 3);
}

TEST(Referee, TheFourthRepetitionIsADraw) {
    Referee r = startAt("4k4/1r7/9/9/9/9/9/7R1/4K4 b - 1");
    const char* cycle[] = {"2h3h", "8b7b", "3h2h", "7b8b"};
    // The start is the first occurrence; after each cycle of four plies it occurs again.
    for (int ply = 0; ply < 11; ++ply) {
        ASSERT_TRUE(r.play(cycle[ply % 4])) << ply;
        ASSERT_EQ(r.outcome(), Outcome::Running) << ply;
    }
    EXPECT_TRUE(r.play(cycle[11 % 4]));
    EXPECT_EQ(r.outcome(), Outcome::Draw);
    EXPECT_EQ(r.reason(), Reason::Repetition);
    EXPECT_EQ(r.positionCommand(), "position sfen 4k4/1r7/9/9/9/9/9/7R1/4K4 b - 1 moves 2h3h 8b7b "
                                   "3h2h 7b8b 2h3h 8b7b 3h2h 7b8b 2h3h 8b7b 3h2h 7b8b");
}

TEST(Referee, IllegalMovesLoseAndThePlyLimitDraws) {
    Referee s = startAt("4k4/1r7/9/9/9/9/9/7R1/4K4 b - 1");
    EXPECT_FALSE(s.play("5i5g")) << "a king steps one square";
    EXPECT_EQ(s.outcome(), Outcome::UpperWins);
    EXPECT_EQ(s.reason(), Reason::IllegalMove);
    Referee pawn = startAt("4k4/9/9/9/9/9/9/9/4K4 b P 1");
    EXPECT_FALSE(pawn.play("P*5a")) << "a pawn is never dropped on the last rank";

    Referee limited;
    std::string error;
    ASSERT_TRUE(limited.start("4k4/1r7/9/9/9/9/9/7R1/4K4 b - 1", error, 3));
    EXPECT_TRUE(limited.play("2h3h"));
    EXPECT_TRUE(limited.play("8b7b"));
    EXPECT_TRUE(limited.play("5i4i"));
    EXPECT_EQ(limited.outcome(), Outcome::Draw);
    EXPECT_EQ(limited.reason(), Reason::PlyLimit);
    EXPECT_EQ(recordLine(limited).substr(0, 23), "1/2-1/2 ply-limit 3 sfe");
}

TEST(GauntletStats, EloAndItsInterval) {
    EXPECT_DOUBLE_EQ(scoreOfElo(0), 0.5);
    EXPECT_NEAR(eloOfScore(0.75), 190.85, 0.01);
    EXPECT_NEAR(eloOfScore(scoreOfElo(-240)), -240, 1e-9);
    EXPECT_NEAR(scoreOfElo(240), 0.7992, 0.0001) << "80 % is about +240 Elo";

    // 60 wins and 40 losses: 60 %, +70 Elo; the game's standard error is sqrt(0.24 / 100).
    Tally t;
    for (int i = 0; i < 60; ++i) t.addGame(2);
    for (int i = 0; i < 40; ++i) t.addGame(0);
    EXPECT_DOUBLE_EQ(t.score(), 0.6);
    const EloEstimate e = estimateElo(t);
    EXPECT_NEAR(e.elo, 70.44, 0.01);
    EXPECT_NEAR(e.low, 2.77, 0.01);
    EXPECT_NEAR(e.high, 143.91, 0.01);

    // The same games as pairs that each split one to one: every opening gave each side a win,
    // so the openings decided everything and the interval collapses on 0 Elo.
    Tally split;
    for (int i = 0; i < 50; ++i) split.addPair(2, 0);
    EXPECT_EQ(split.games(), 100);
    EXPECT_EQ(split.pairs[2], 50);
    const EloEstimate s = estimateElo(split);
    EXPECT_NEAR(s.elo, 0, 1e-9);
    EXPECT_NEAR(s.high - s.low, 0, 1e-9);
    EXPECT_EQ(logLikelihoodRatio(split, 0, 10), 0) << "no spread, no evidence";
}

TEST(GauntletStats, TheSequentialTestWeighsTheEvidence) {
    const SprtBounds b = sprtBounds(0.05, 0.05);
    EXPECT_NEAR(b.upper, 2.944, 0.001);
    EXPECT_NEAR(b.lower, -2.944, 0.001);

    // 600 wins, 400 losses against H0 = 0 Elo, H1 = 10 Elo:
    // 1000 * (s1 - 0.5) * (1.2 - 0.5 - s1) / (2 * 0.24) with s1 = 0.514387.
    Tally t;
    t.wins = 600;
    t.losses = 400;
    EXPECT_NEAR(logLikelihoodRatio(t, 0, 10), 5.563, 0.005);
    // Halfway between the hypotheses the evidence is even; below, it favours H0.
    Tally mid;
    mid.wins = 5072;
    mid.losses = 4928;
    EXPECT_NEAR(logLikelihoodRatio(mid, 0, 10), 0, 0.05);
    Tally even;
    even.wins = even.losses = 500;
    EXPECT_LT(logLikelihoodRatio(even, 0, 10), 0);

    // Pairs that agree more than single games: the same 60 % in pairs of (2, 1) and (1, 0)
    // shows less noise, so the same score carries more weight.
    Tally pairs;
    for (int i = 0; i < 200; ++i) pairs.addPair(2, 1);
    for (int i = 0; i < 50; ++i) pairs.addPair(1, 0);
    Tally games;
    games.wins = pairs.wins;
    games.losses = pairs.losses;
    games.draws = pairs.draws;
    EXPECT_DOUBLE_EQ(pairs.score(), games.score());
    EXPECT_GT(logLikelihoodRatio(pairs, 0, 10), logLikelihoodRatio(games, 0, 10));
}

TEST(GauntletSetup, TimeControlsAndOpenings) {
    TimeControl tc;
    std::string error;
    ASSERT_TRUE(parseTimeControl("nodes=20000", tc, error));
    EXPECT_EQ(tc.kind, TimeControl::Nodes);
    EXPECT_EQ(tc.nodes, 20000u);
    ASSERT_TRUE(parseTimeControl("byoyomi=0+1000", tc, error));
    EXPECT_EQ(tc.kind, TimeControl::Clock);
    EXPECT_EQ(tc.byoyomiMs, 1000);
    ASSERT_TRUE(parseTimeControl("clock=60000+500", tc, error));
    EXPECT_EQ(tc.baseMs, 60000);
    EXPECT_EQ(tc.incMs, 500);
    EXPECT_FALSE(parseTimeControl("nodes=", tc, error));
    EXPECT_FALSE(parseTimeControl("movetime=-5", tc, error));
    EXPECT_FALSE(parseTimeControl("clock=100", tc, error));

    std::istringstream file("# a comment\n\nlnsgkgsnl/1r2e2b1/ppppppppp/9/9/9/PPPPPPPPP/1B2E2R1/"
                            "LNSGKGSNL b - 1\r\n  4k4/9/9/9/9/9/9/9/4K4 w - 1  \n");
    const std::vector<std::string> list = readOpenings(file);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1], "4k4/9/9/9/9/9/9/9/4K4 w - 1");
}
