// Random legal games played through the window's own input on the fake platform: clicks for the
// human moves (right button to promote), the computer's turn at levels 1 to 3, handicaps set
// before the start, moves taken back with 戻 and played on, and thinking times from the clock.
#pragma once

#include "fakes/Harness.h"
#include "rules/TrialMove.h"

#include <random>
#include <string>
#include <utility>

namespace kelvore::test {

struct RandomGame {
    enum class Mode { TwoPeople, HumanFirst, ComputerFirst };
    Mode mode = Mode::TwoPeople;
    int handicapSteps = 0; // △ (positive) or ▽ (negative) pressed before the start
    int plies = 80;        // moves tried at most
    int level = 1;
    bool playAgain = false; // はい to "続けますか？" after a win: the board is reset
};

// What a set of games held, so a test can say it covered them.
struct Coverage {
    int games = 0, moves = 0, captures[2] = {}, drops[2] = {}, promotions = 0, princes = 0,
        same = 0, upperFirst = 0, handicaps = 0, won = 0;

    // What no game held, named; empty when the games held captures and drops of both sides,
    // promotions, princes, moves to the same square, games the upper side began, handicaps
    // and games won.
    std::string missing() const {
        const std::pair<int, const char*> held[] = {
            {captures[0], "lower captures"},    {captures[1], "upper captures"},
            {drops[0], "lower drops"},          {drops[1], "upper drops"},
            {promotions, "promotions"},         {princes, "princes"},
            {same, "moves to the same square"}, {upperFirst, "games the upper side began"},
            {handicaps, "handicaps"},           {won, "games won"}};
        std::string none;
        for (const auto& [count, what] : held)
            if (count <= 0) none += std::string(none.empty() ? "" : ", ") + what;
        return none;
    }
};

// Plays one game. A won game is left on the board with its history (the "続けますか？" box is
// answered No) unless `playAgain`, as is a game that ran out of plies.
inline void playRandomGame(Game& g, const RandomGame& spec, std::mt19937& rng) {
    Form1& f = g.form;
    f.SkipWait = true;
    g.fake.dialogs.answers.assign(4, spec.playAgain ? Answer::Yes : Answer::No);
    f.onMenu(spec.level == 1   ? MenuItem::LEVEL1
             : spec.level == 2 ? MenuItem::LEVEL2
                               : MenuItem::LEVEL3);
    for (int i = 0; i < spec.handicapSteps; ++i) f.LBEL_UP_Click();
    for (int i = 0; i > spec.handicapSteps; --i) f.LEBEL_DOWN_Click();
    auto tick = [&] {
        // Mostly seconds, now and then minutes or over an hour, wrapping at midnight.
        const unsigned r = rng() % 100;
        g.fake.clock.sleepFor(r < 80 ? rng() % 30 : r < 98 ? rng() % 900 : 3600 + rng() % 4000);
    };
    tick();
    switch (spec.mode) {
    case RandomGame::Mode::TwoPeople: f.START_Click(); break;
    case RandomGame::Mode::HumanFirst: f.SENTE_Click(); break;
    case RandomGame::Mode::ComputerFirst: f.GOTE_Click(); break;
    }
    for (int ply = 0; ply < spec.plies && !f.Ended && f.Turn != 0; ++ply) {
        if (hasLostAllRoyals(f, -1) || hasLostAllRoyals(f, 1)) break;
        if (spec.mode == RandomGame::Mode::TwoPeople && f.KifuCursor > 4 && rng() % 25 == 0) {
            // Taken back and played on from there: the history is cut at the cursor.
            const int back = 1 + static_cast<int>(rng() % 3);
            for (int i = 0; i < back; ++i) f.REPLAY_Click();
        }
        const int side = f.Turn == f.ManTurn ? -1 : 1;
        if (spec.mode != RandomGame::Mode::TwoPeople && side > 0) break; // nothing left to do
        MoveList list;
        f.調査_2歩フラグ設定();
        generateMoves(f, side, list);
        if (list.size == 0) break;
        // Captures, promotions and the elephant's steps forward are favoured, so that hands
        // fill, pieces promote and the prince comes.
        const Move* chosen = &list.moves[rng() % list.size];
        for (int tries = 0; tries < 8; ++tries) {
            const Move& m = list.moves[rng() % list.size];
            const bool elephantForward =
                (m.moved == -910 && m.toY < m.fromY) || (m.moved == 910 && m.toY > m.fromY);
            if (m.promotes() || elephantForward || (!m.isDrop() && f.Board[m.toX][m.toY] != 0) ||
                (m.isDrop() && rng() % 2 == 0)) {
                chosen = &m;
                break;
            }
        }
        const Move m = *chosen;
        tick();
        const int fromRow = m.fromX == -1 ? 8 - m.fromY : m.fromY;
        f.Form_MouseDown(1, 0, 1050 + m.fromX * 495 + 200, 100 + fromRow * 615 + 300);
        f.Form_MouseDown(m.promotes() ? 2 : 1, 0, 1050 + m.toX * 495 + 200,
                         100 + m.toY * 615 + 300);
    }
}

// Counts what the history of a game holds.
inline void countGame(const Form1& f, const RandomGame& spec, Coverage& c) {
    c.games += 1;
    c.handicaps += spec.handicapSteps != 0;
    if (f.KifuLength > 0 && f.Kifu.MovedPiece[1] > 0) c.upperFirst += 1;
    if (f.Ended) c.won += 1;
    for (int i = 1; i <= f.KifuLength; ++i) {
        const int side = f.Kifu.MovedPiece[i] > 0 ? 1 : 0;
        c.moves += 1;
        if (f.Kifu.CapturedPiece[i] != 0) c.captures[side] += 1;
        if (f.Kifu.FromX[i] == 11 || f.Kifu.FromX[i] == -1) c.drops[side] += 1;
        if (f.Kifu.PlacedPiece[i] != f.Kifu.MovedPiece[i]) c.promotions += 1;
        if (f.Kifu.PlacedPiece[i] == 911 * (side ? 1 : -1) &&
            f.Kifu.MovedPiece[i] == 910 * (side ? 1 : -1))
            c.princes += 1;
        if (i > 1 && f.Kifu.ToX[i] == f.Kifu.ToX[i - 1] && f.Kifu.ToY[i] == f.Kifu.ToY[i - 1])
            c.same += 1;
    }
}

} // namespace kelvore::test
