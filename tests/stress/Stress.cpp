// A bounded stress run: many games through the core, at all three levels and in both modes,
// with random clicks and menu commands between the moves, checking after every event that the
// position and the history stay sound. Usage: kelvore_stress <events> <seed>
#include "fakes/Harness.h"
#include "record/RecordFile.h"
#include "rules/TrialMove.h"
#include "text/Files.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>

using namespace kelvore;
using namespace kelvore::test;

namespace {

[[noreturn]] void fail(long long event, const char* what) {
    std::fprintf(stderr, "stress: event %lld: %s\n", event, what);
    std::exit(1);
}

void check(const Form1& f, long long event) {
    int pieces = 0;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int c = f.Board[x][y];
            if (c != 0 && !piece::isPieceCode(c)) fail(event, "a square holds no real piece code");
            const int k = std::abs(c);
            if (c != 0 && k != piece::ZOU && k != piece::KO && k != piece::OU) ++pieces;
        }
    int own = 0, enemy = 0;
    for (int i = 1; i <= 7; ++i) {
        if (f.OwnHand[i] < 0 || f.EnemyHand[i] < 0) fail(event, "a hand counter is negative");
        own += f.OwnHand[i];
        enemy += f.EnemyHand[i];
    }
    if (own != f.OwnHandCount || enemy != f.EnemyHandCount)
        fail(event, "a hand total differs from the sum of its slots");
    if (pieces + own + enemy != 38 - std::abs(f.HandicapLevel))
        fail(event, "pieces have appeared or vanished");
}

// Writes the history through the record panel and reads the file back.
void roundTrip(Game& g, long long event) {
    Form1& f = g.form;
    if (f.KifuCursor < 1 || f.Reversed == 1 || f.HandicapSet == 1) return;
    g.fake.panel.dir = g.folder.path;
    g.fake.panel.text[1] = "stress";
    g.fake.panel.text[2] = "試験";
    f.Command1_Click();
    const text::ReadResult file = text::readFile(g.folder.path + "/stress.棋譜", kRecordFileLimit);
    if (!file.ok()) fail(event, "the record was not written");
    const RecordFile r = readRecord(file.bytes);
    if (!r.error.empty() || r.damagedAt != 0 || static_cast<int>(r.moves.size()) != f.KifuCursor)
        fail(event, "the record does not read back whole");
    for (int i = 1; i <= f.KifuCursor; ++i) {
        const RecordMove& m = r.moves[i - 1];
        if (m.FromX != f.Kifu.FromX[i] || m.FromY != f.Kifu.FromY[i] || m.ToX != f.Kifu.ToX[i] ||
            m.ToY != f.Kifu.ToY[i] || m.MovedPiece != f.Kifu.MovedPiece[i] ||
            m.PlacedPiece != f.Kifu.PlacedPiece[i] || m.CapturedPiece != f.Kifu.CapturedPiece[i] ||
            static_cast<long long>(m.ManTimeAfter) !=
                std::min(99999LL, static_cast<long long>(f.Kifu.ManTimeAfter[i])))
            fail(event, "a record move differs from the history");
    }
}

} // namespace

int main(int argc, char** argv) {
    const long long events = argc > 1 ? std::atoll(argv[1]) : 20000;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::atoll(argv[2])) : 1;
    std::mt19937 rng(seed);
    const MenuItem commands[] = {
        MenuItem::START,      MenuItem::SENTE,  MenuItem::GOTE,       MenuItem::REPLAY,
        MenuItem::AFTER,      MenuItem::CANCEL, MenuItem::REVERSE,    MenuItem::LBEL_UP,
        MenuItem::LEBEL_DOWN, MenuItem::LEVEL1, MenuItem::LEVEL2,     MenuItem::LEVEL3,
        MenuItem::KEIKA,      MenuItem::SIDOU,  MenuItem::KIFU_WRITE, MenuItem::TAIKYOKU};
    const auto start = std::chrono::steady_clock::now();
    auto game = std::make_unique<Game>();
    long long moves = 0, games = 1, records = 0;
    for (long long e = 0; e < events; ++e) {
        if (game->form.Ended) {
            game = std::make_unique<Game>();
            ++games;
        }
        Form1& f = game->form;
        game->fake.clock.sleepFor(1 + rng() % 20); // the time of day, wrapping at midnight
        game->fake.dialogs.answers.push_back(rng() % 10 == 0 ? Answer::No : Answer::Yes);
        const int before = f.MoveNumber;
        const unsigned pick = rng() % 100;
        if (pick < 8) {
            f.onMenu(commands[rng() % std::size(commands)]);
        } else if (pick < 10) {
            roundTrip(*game, e);
            ++records;
        } else if (pick < 12 && f.KifuLength > 0) {
            // Read back what was written, into record mode, and step through it.
            f.File1_Click(game->folder.path + "/stress.棋譜");
        } else if (pick < 70 && f.Turn != 0 && f.KifuMode == 0) {
            MoveList list;
            f.調査_2歩フラグ設定();
            generateMoves(f, f.Turn == f.ManTurn ? -1 : 1, list);
            if (list.size > 0) {
                const Move& m = list.moves[rng() % list.size];
                f.Form_MouseDown(1, 0, 1050 + m.fromX * 495 + 200,
                                 100 + (m.fromX == -1 ? 8 - m.fromY : m.fromY) * 615 + 300);
                f.Form_MouseDown(rng() % 2 ? 1 : 2, 0, 1050 + m.toX * 495 + 200,
                                 100 + m.toY * 615 + 300);
            }
        } else {
            f.Form_MouseDown(rng() % 2 ? 1 : 2, 0, std::uniform_real_distribution<>(0, 9000)(rng),
                             std::uniform_real_distribution<>(0, 8000)(rng));
        }
        if (f.MoveNumber > before) moves += f.MoveNumber - before;
        if (f.Turn == 0 && before > 0) ++games;
        check(f, e);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("stress: %lld events, %lld games, %lld moves, %lld record round trips, %.1f s\n",
                events, games, moves, records, seconds);
    std::printf("1 passed, 0 failed\n");
    return 0;
}
