// The window's commands for sharing games, on the fake platform: KIF written from the game and
// read into it to be stepped through, positions copied and pasted as SFEN, and the game's own
// commands kept from going against a position set up here.
#include "sharing/Interchange.h"

#include "computer/SearchingTurn.h"
#include "engine/Snapshot.h"
#include "fakes/Clicks.h"
#include "fakes/Files.h"
#include "fakes/Positions.h"
#include "fakes/RandomGames.h"
#include "fakes/Records.h"
#include "notation/Sfen.h"
#include "text/ShiftJis.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kelvore;
using namespace kelvore::test;

namespace {

// A game with the room beside it, a clipboard and a file chooser that answers what it is told.
struct Shared {
    Game g;
    Form1& f = g.form;
    std::string clipboard;
    std::string chosen;                   // the file the player "chooses"; empty: none
    std::vector<std::string> chooserSeen; // "save <folder> <name>" or "open <folder>"
    sharing::Interchange room{
        f,
        {[this](const std::string& t) { clipboard = t; }, [this] { return clipboard; },
         [this](bool save, const std::string& folder, const std::string& name) {
             chooserSeen.push_back((save ? "save " : "open ") + folder + (save ? " " + name : ""));
             return chosen;
         },
         [] { return std::string("2024/05/01 10:00:00"); }}};

    std::string lastPrompt() const {
        return g.fake.dialogs.shown.empty() ? "" : g.fake.dialogs.shown.back().prompt;
    }
    std::string path(const std::string& name) const { return g.folder.path + "/" + name; }
};

// What a refused command must leave as it was.
struct Snapshot {
    engine::GameSnapshot position;
    int turn, moveNumber, cursor, length, mode;
    explicit Snapshot(const Form1& f)
        : position(engine::snapshotOf(f, 1)), turn(f.Turn), moveNumber(f.MoveNumber),
          cursor(f.KifuCursor), length(f.KifuLength), mode(f.KifuMode) {}
    bool operator==(const Snapshot& o) const {
        return samePlacement(position, o.position) && turn == o.turn &&
               moveNumber == o.moveNumber && cursor == o.cursor && length == o.length &&
               mode == o.mode;
    }
};

// The upper side to move with a rook in hand; its elephant has become the prince.
constexpr const char* kMiddleGame = "l2gk2nl/1r1s2g2/p1pp+e1spp/4pp3/1p5P1/2P1P4/PP1P1PP1P/"
                                    "1SG1E1GR1/LN2K1SNL w Bb 31";

} // namespace

TEST(Interchange, AGamePlayedIsExportedReadByEyeImportedAndSteppedThrough) {
    Shared s;
    // Nothing to export at the start of a run.
    s.f.onMenu(MenuItem::KIF_EXPORT);
    EXPECT_EQ(s.lastPrompt(), "書き出す対局がありません");
    EXPECT_TRUE(s.chooserSeen.empty());

    std::mt19937 rng(5);
    RandomGame game;
    game.mode = RandomGame::Mode::HumanFirst;
    game.plies = 400;
    game.playAgain = true;
    playRandomGame(s.g, game, rng);
    ASSERT_EQ(s.f.Turn, 0) << "won, and はい has reset the board";
    const int length = s.f.KifuLength;
    ASSERT_GT(length, 0);
    const auto played = recordOfHistory(s.f);
    ASSERT_TRUE(played.has_value());
    const engine::GameSnapshot end = positionsOf(*played).back();

    s.chosen = s.path("game");
    s.f.onMenu(MenuItem::KIF_EXPORT);
    ASSERT_EQ(s.chooserSeen.size(), 1u);
    EXPECT_EQ(s.chooserSeen[0], "save " + s.g.folder.path + " 対局_20240501_100000.kif")
        << "opened in the record panel's folder, named by when the game started";
    EXPECT_EQ(s.g.fake.status.shown.back(), "KIFを書き出しました：" + s.path("game.kif"));
    const std::string text = *text::fromShiftJis(slurp(s.path("game.kif")));
    EXPECT_NE(text.find("開始日時：2024/05/01 10:00:00\r\n"), std::string::npos);
    EXPECT_NE(text.find("先手：あなた\r\n後手：ｺﾝﾋﾟｭｰﾀ（LEVEL1）\r\n"), std::string::npos);
    const std::string winner = s.f.Kifu.MovedPiece[length] < 0 ? "先手" : "後手";
    EXPECT_NE(text.find("まで" + std::to_string(length) + "手で" + winner + "の勝ち\r\n"),
              std::string::npos)
        << text;

    // Into another window, stepped through with 進 to the same end, and back with 戻.
    Shared t;
    t.chosen = s.path("game.kif");
    t.f.onMenu(MenuItem::KIF_IMPORT);
    EXPECT_EQ(t.lastPrompt(), "KIFを読み込みました（" + std::to_string(length) +
                                  "手）\r棋譜を '進 'で進めて下さい");
    EXPECT_EQ(t.f.KifuMode, 1);
    EXPECT_EQ(t.f.KifuLength, length);
    EXPECT_EQ(t.f.KifuCursor, 0);
    for (int i = 0; i < length; ++i) t.f.AFTER_Click();
    EXPECT_EQ(t.f.KifuCursor, length);
    EXPECT_TRUE(boardIs(t.f, end));
    for (int i = 1; i <= length; ++i) {
        EXPECT_EQ(t.f.Kifu.MovedPiece[i], s.f.Kifu.MovedPiece[i]);
        EXPECT_EQ(t.f.Kifu.ManTimeAfter[i], std::floor(s.f.Kifu.ManTimeAfter[i]));
    }
    for (int i = 0; i < length; ++i) t.f.REPLAY_Click();
    EXPECT_TRUE(isStandardStart(engine::snapshotOf(t.f, -1)));
    // Exported again, the game keeps its names, its start time and its end.
    t.chosen = t.path("again.kifu");
    t.f.onMenu(MenuItem::KIF_EXPORT);
    const std::string again = slurp(t.path("again.kifu"));
    EXPECT_EQ(again.substr(again.find("開始日時")), text.substr(text.find("開始日時")));
}

TEST(Interchange, ARecordReadWithYomikomiIsExportedWithItsNames) {
    Shared s;
    s.f.START_Click();
    move(s.f, 3, 7, 3, 6);
    move(s.f, 7, 3, 7, 4);
    ASSERT_EQ(s.f.書込_棋譜ファイル(s.path("named.棋譜"), "名人戦", "上の人", "下の人"), "");
    Shared t;
    t.f.File1_Click(s.path("named.棋譜"));
    t.chosen = t.path("named.kifu");
    t.f.onMenu(MenuItem::KIF_EXPORT);
    const std::string text = slurp(t.path("named.kifu"));
    EXPECT_NE(text.find("棋戦：名人戦\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("先手：下の人\r\n後手：上の人\r\n"), std::string::npos) << text;
    // A game taken into record mode without a file has no names of another's.
    t.f.棋譜モード_開始({RecordMove{3, 7, 3, 6, -10, -10, 0}});
    t.chosen = t.path("unnamed.kifu");
    t.f.onMenu(MenuItem::KIF_EXPORT);
    EXPECT_NE(slurp(t.path("unnamed.kifu")).find("先手：\r\n後手：\r\n"), std::string::npos);
}

TEST(Interchange, AGameFromAnotherStartIsSteppedFromThereAndNeverWrittenAsARecord) {
    Shared s;
    const std::string kif = "手合割：その他\n"
                            "先手：甲\n"
                            "後手：乙\n"
                            "後手の持駒：なし\n" +
                            kifDiagram("4k4/4e4/9/9/4P4/9/9/4E4/4K4") +
                            "先手の持駒：金\n"
                            "後手番\n"
                            "1 ５三象(52)\n"
                            "2 ５四歩(55)\n"
                            "3 同　象(53)\n"
                            "4 ５二金打\n";
    spitBytes(s.path("elsewhere.kifu"), kif);
    ASSERT_TRUE(s.room.importFrom(s.path("elsewhere.kifu"))) << s.lastPrompt();
    const engine::GameSnapshot start = snapshotOfSfen("4k4/4e4/9/9/4P4/9/9/4E4/4K4 w G 1");
    EXPECT_TRUE(boardIs(s.f, start)) << "the board shows the file's start";
    EXPECT_EQ(s.f.GameMode, s.f.GameModeCom) << "the upper side moved first, as 読込 reads it";
    EXPECT_EQ(s.f.Turn, s.f.ComTurn);

    // 書込 cannot hold the start: refused before the panel opens, at every step.
    for (int step = 0; step <= 4; ++step) {
        s.f.onMenu(MenuItem::KIFU_WRITE);
        EXPECT_EQ(s.lastPrompt(), "この局面から始めた対局は書き込みできません\r"
                                  "（「KIF書出…」で書き出せます）");
        EXPECT_FALSE(s.g.fake.panel.fields);
        if (step < 4) s.f.AFTER_Click();
    }
    EXPECT_TRUE(boardIs(s.f, snapshotOfSfen("4k4/4G4/9/4e4/9/9/9/4E4/4K4 w p 5")));
    s.f.AFTER_Click();
    EXPECT_EQ(s.lastPrompt(), "終わり");
    for (int step = 0; step < 4; ++step) s.f.REPLAY_Click();
    EXPECT_TRUE(boardIs(s.f, start));
    // 後手: the computer takes the upper side, whose move it is in the file's start.
    s.f.SkipWait = true;
    s.f.onMenu(MenuItem::SENTE);
    EXPECT_EQ(s.lastPrompt(),
              "この局面は後手（上）の番です\rｺﾝﾋﾟｭｰﾀと指すときは「後手」で始めて下さい");
    EXPECT_EQ(s.f.KifuLength, 4) << "refused: nothing changed";
    s.f.onMenu(MenuItem::GOTE);
    EXPECT_EQ(s.f.MoveNumber, 1) << "the computer has moved";
    EXPECT_EQ(s.f.Turn, s.f.ManTurn);
    // 最初 sets up the starting position, where 書込 is the game's own again.
    s.f.onMenu(MenuItem::CANCEL);
    s.f.onMenu(MenuItem::KIFU_WRITE);
    EXPECT_TRUE(s.g.fake.panel.fields);
}

TEST(Interchange, ABadKifIsRefusedWithItsLineAndTheGameIsNotChanged) {
    Shared s;
    std::mt19937 rng(3);
    RandomGame game;
    game.plies = 12;
    playRandomGame(s.g, game, rng);
    s.f.REPLAY_Click();
    const Snapshot before(s.f);
    const std::string good =
        "手合割：その他\n" + kifDiagram("4k4/9/9/9/9/9/9/9/4K4") + "1 ５八玉(59)\n";
    spitBytes(s.path("bad.kifu"), good + "2 ５三玉(51)\n");
    spitBytes(s.path("standard.kif"), "手合割：平手\r\n   1 ７六歩(77)\r\n");
    spitBytes(s.path("cut.kif"), good.substr(0, good.find("|五")));
    spitBytes(s.path("name.txt"), good);
    const std::pair<std::string, std::string> cases[] = {
        {"bad.kifu",
         "KIFファイルを読み込めません\r14行目：その駒はそこへ動けません\r「2 ５三玉(51)」"},
        {"standard.kif", "KIFファイルを読み込めません\r1行目：酔象のない本将棋（手合割：平手）の"
                         "棋譜です。局面図がないため読めません\r「手合割：平手」"},
        {"cut.kif", "KIFファイルを読み込めません\r7行目：局面図の五段目が途中で切れています\r"
                    "「| ・ ・ ・ ・ ・ ・ ・ ・ ・」"},
        {"none.kif", "KIFファイルを開けません\r" + s.path("none.kif")},
        {"name.txt", "KIFファイル（.kif か .kifu）を選んで下さい"},
    };
    for (const auto& [name, prompt] : cases) {
        s.chosen = s.path(name);
        s.f.onMenu(MenuItem::KIF_IMPORT);
        EXPECT_EQ(s.lastPrompt(), prompt);
        EXPECT_TRUE(Snapshot(s.f) == before) << name;
    }
    // No file chosen: nothing at all.
    const std::size_t boxes = s.g.fake.dialogs.shown.size();
    s.chosen.clear();
    s.f.onMenu(MenuItem::KIF_IMPORT);
    s.f.onMenu(MenuItem::KIF_EXPORT);
    EXPECT_EQ(s.g.fake.dialogs.shown.size(), boxes);
}

TEST(Interchange, APositionCopiedAndPastedBackIsTheSamePosition) {
    Shared s;
    s.clipboard = std::string("  sfen ") + kMiddleGame + "\n";
    s.f.onMenu(MenuItem::SFEN_PASTE);
    EXPECT_EQ(s.lastPrompt(),
              "局面を貼り付けました\r後手（上）の番です\r二人で指すときは盤をクリック"
              "して下さい。\rｺﾝﾋﾟｭｰﾀと指すときは「後手」で始めて下さい。");
    EXPECT_TRUE(boardIs(s.f, snapshotOfSfen(kMiddleGame)));
    EXPECT_EQ(s.f.GameMode, s.f.GameModeMan);
    EXPECT_EQ(s.f.Turn, s.f.ComTurn) << "the upper side is to move, as the SFEN says";
    EXPECT_EQ(s.f.KifuLength, 0);
    s.clipboard.clear();
    s.f.onMenu(MenuItem::SFEN_COPY);
    EXPECT_EQ(s.clipboard, kMiddleGame);
    // Said in the status line, without a box to close.
    EXPECT_EQ(s.g.fake.status.shown.back(),
              std::string("局面をSFENでクリップボードにコピーしました：") + kMiddleGame);
    EXPECT_TRUE(s.lastPrompt().starts_with("局面を貼り付けました"));

    // Played on by two people: the copied game gives the engine the position on the board.
    move(s.f, 2, 2, 2, 4); // △８四飛
    move(s.f, 5, 8, 5, 7); // ▲５七象
    s.f.onMenu(MenuItem::GAME_COPY);
    EXPECT_EQ(s.clipboard, std::string("position sfen ") + kMiddleGame + " moves 8b8d 5h5g");
    s.f.onMenu(MenuItem::SFEN_COPY);
    const std::string after = s.clipboard;
    EXPECT_EQ(after.substr(after.size() - 8), " w Bb 33");
    // Pasted back, the game and the position come back, and the game goes on from there.
    s.clipboard = "position sfen " + std::string(kMiddleGame) + " moves 8b8d 5h5g";
    s.f.onMenu(MenuItem::SFEN_PASTE);
    EXPECT_EQ(s.f.KifuLength, 2);
    EXPECT_EQ(s.f.MoveNumber, 2);
    s.f.onMenu(MenuItem::SFEN_COPY);
    EXPECT_EQ(s.clipboard, after);
    s.f.REPLAY_Click();
    s.f.REPLAY_Click();
    EXPECT_TRUE(boardIs(s.f, snapshotOfSfen(kMiddleGame)));
}

TEST(Interchange, WhatIsNoPositionOfTheGameIsRefusedAndChangesNothing) {
    Shared s;
    s.f.START_Click();
    move(s.f, 3, 7, 3, 6);
    const Snapshot before(s.f);
    const std::pair<std::string, std::string> cases[] = {
        {"", "クリップボードに局面（SFEN）がありません"},
        {"こんにちは", "SFENとして読めません\r（盤面と手番がありません）"},
        {"lnsgkgsnl/9 b - 1", "SFENとして読めません\r（盤面が9段9桝になっていません）"},
        {"4k4/9/9/9/9/9/9/9/4K4 x - 1", "SFENとして読めません\r（手番は b か w で書きます）"},
        {"4k4/9/9/9/9/9/9/9/3KK4 b - 1",
         "この局面では対局できません\r（先手の玉が二枚以上あります）"},
        {"P3k4/9/9/9/9/9/9/9/4K4 b - 1",
         "この局面では対局できません\r（行き所のない駒があります（９一歩））"},
        {"position startpos moves 7g7f 7g7f",
         "2手目の「7g7f」は指せません\r（動かす駒がありません）"},
        {"position startpos moves 7g7f 3c3d 8h2b+ 3a2b 8h8g",
         "5手目の「8h8g」は指せません\r（動かす駒がありません）"},
        {"position startpos moves 7g7f xyz", "2手目の「xyz」は指し手として読めません"},
        {"position startpos 7g7f", "局面を読めません\r（startpos の後には moves しか書けません）"},
    };
    for (const auto& [clip, prompt] : cases) {
        s.clipboard = clip;
        s.f.onMenu(MenuItem::SFEN_PASTE);
        EXPECT_EQ(s.lastPrompt(), prompt) << clip;
        EXPECT_TRUE(Snapshot(s.f) == before) << clip;
    }
}

TEST(Interchange, ThePastedSideToMoveDecidesHowTheGameStarts) {
    Shared s;
    s.f.SkipWait = true;
    // The lower side to move: 後手 would give the first move to the computer.
    s.clipboard = "4k4/9/9/9/9/9/9/4E4/4K4 b 2P 1";
    s.f.onMenu(MenuItem::SFEN_PASTE);
    s.f.onMenu(MenuItem::GOTE);
    EXPECT_EQ(s.lastPrompt(),
              "この局面は先手（下）の番です\rｺﾝﾋﾟｭｰﾀと指すときは「先手」で始めて下さい");
    EXPECT_EQ(s.f.MoveNumber, 0);
    s.f.onMenu(MenuItem::LBEL_UP);
    EXPECT_EQ(s.lastPrompt(), "この局面にはﾊﾝﾃﾞｷｬｯﾌﾟを付けられません");
    EXPECT_EQ(s.f.HandicapSet, 0);
    s.f.onMenu(MenuItem::SENTE);
    EXPECT_EQ(s.f.GameMode, s.f.GameModeCom);
    EXPECT_EQ(s.f.Turn, s.f.ManTurn);
    move(s.f, 5, 8, 5, 7);
    EXPECT_EQ(s.f.MoveNumber, 2) << "the human moved, then the computer";

    // The upper side to move: スタート keeps it so; 先手 is refused.
    s.clipboard = "4k4/9/9/9/9/9/9/4E4/4K4 w 2P 1";
    s.f.onMenu(MenuItem::SFEN_PASTE);
    s.f.onMenu(MenuItem::SENTE);
    EXPECT_EQ(s.f.MoveNumber, 0);
    s.f.onMenu(MenuItem::START);
    EXPECT_EQ(s.f.GameMode, s.f.GameModeMan);
    EXPECT_EQ(s.f.Turn, s.f.ComTurn);
    move(s.f, 5, 1, 5, 2);
    EXPECT_EQ(s.f.Board[5][2], 950) << "the upper king moved first";
    // Once a move is played, the game's commands are its own again: 先手 hands it over.
    s.f.onMenu(MenuItem::SENTE);
    EXPECT_EQ(s.f.GameMode, s.f.GameModeCom);
}

TEST(Interchange, NothingChangesThePositionWhileTheComputerThinks) {
    Shared s;
    s.f.onMenu(MenuItem::LEVEL4);
    s.f.Searching = std::make_unique<SearchingTurn>(s.f);
    engine::Limits one;
    one.depth = 1;
    s.f.Searching->fixedLimits = one;
    s.f.onMenu(MenuItem::GOTE);
    ASSERT_TRUE(s.f.思考中());
    const Snapshot before(s.f);
    const std::size_t boxes = s.g.fake.dialogs.shown.size();
    auto forbidden = [&] {
        return std::count(s.g.fake.sound.calls.begin(), s.g.fake.sound.calls.end(),
                          "dsPlay " + std::to_string(s.f.ForbiddenSound));
    };
    const auto refusedBefore = forbidden();
    s.clipboard = kMiddleGame;
    s.chosen = s.path("x.kif");
    for (MenuItem item : {MenuItem::SFEN_PASTE, MenuItem::KIF_IMPORT, MenuItem::KIF_EXPORT})
        s.f.onMenu(item);
    EXPECT_TRUE(Snapshot(s.f) == before);
    EXPECT_EQ(s.g.fake.dialogs.shown.size(), boxes);
    EXPECT_TRUE(s.chooserSeen.empty());
    EXPECT_EQ(forbidden() - refusedBefore, 3);
    // Copying reads the position and is allowed: the computer's move is awaited.
    s.f.onMenu(MenuItem::SFEN_COPY);
    std::string start = notation::kStartSfen;
    EXPECT_EQ(s.clipboard, start.replace(start.find(" b "), 3, " w "));
    s.f.Searching->waitForWorker();
    s.g.fake.dispatcher.drain();
}
