// Start-up, the reset to the starting position and the two-player start command.
#include "fakes/Harness.h"

#include <gtest/gtest.h>

using namespace kelvore;
using namespace kelvore::test;

namespace {

constexpr int kUpperBack[10] = {0, 20, 30, 100, 110, 950, 110, 100, 30, 20};

void expectStartingPosition(const Form1& f) {
    int pieces = 0;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) pieces += f.Board[x][y] != 0;
    EXPECT_EQ(pieces, 42);
    for (int x = 1; x <= 9; ++x) {
        EXPECT_EQ(f.Board[x][1], kUpperBack[x]) << x;
        EXPECT_EQ(f.Board[x][3], 10);
        EXPECT_EQ(f.Board[x][7], -10);
        EXPECT_EQ(f.Board[x][9], -kUpperBack[10 - x]) << x;
        for (int y = 4; y <= 6; ++y) EXPECT_EQ(f.Board[x][y], 0);
    }
    EXPECT_EQ(f.Board[2][2], 900);
    EXPECT_EQ(f.Board[5][2], 910);
    EXPECT_EQ(f.Board[8][2], 800);
    EXPECT_EQ(f.Board[2][8], -800);
    EXPECT_EQ(f.Board[5][8], -910);
    EXPECT_EQ(f.Board[8][8], -900);
    for (int i = 1; i <= 7; ++i) {
        EXPECT_EQ(f.OwnHand[i], 0);
        EXPECT_EQ(f.EnemyHand[i], 0);
    }
    EXPECT_EQ(f.OwnHandCount, 0);
    EXPECT_EQ(f.EnemyHandCount, 0);
}

} // namespace

TEST(StartUp, LeavesTheInitialPositionWithNoGameRunning) {
    Game g;
    const Form1& f = g.form;
    expectStartingPosition(f);
    EXPECT_EQ(f.Turn, 0);
    EXPECT_EQ(f.ManTurn, -1);
    EXPECT_EQ(f.ComTurn, 1);
    EXPECT_EQ(f.GameMode, 0);
    EXPECT_EQ(f.MoveNumber, 0);
    EXPECT_EQ(f.ComLevel, 3);
    EXPECT_FALSE(g.fake.timer.enabled);
    // The level mark, and the defaults of the options in place of the window design's 畳.
    EXPECT_TRUE(g.fake.menu.isChecked(MenuItem::LEVEL3));
    EXPECT_TRUE(g.fake.menu.isChecked(MenuItem::MIDORI));
    EXPECT_FALSE(g.fake.menu.isChecked(MenuItem::TATAMI));
    EXPECT_FALSE(g.fake.menu.isChecked(MenuItem::SIDOU));
    EXPECT_TRUE(g.fake.menu.isChecked(MenuItem::KEIKA));
    EXPECT_TRUE(g.fake.menu.isChecked(MenuItem::BGM));
    EXPECT_EQ(f.CurrentBackground, f.BackgroundMidori);
    EXPECT_EQ(f.HighlightColor, 2);
    // The window is painted green first and placed at its base size.
    ASSERT_FALSE(g.fake.canvas.ops.empty());
    EXPECT_EQ(g.fake.canvas.ops.front().kind, DrawOp::Fill);
    EXPECT_EQ(g.fake.canvas.ops.front().value, 2);
    EXPECT_EQ(g.fake.window.placed, 1);
    EXPECT_EQ(g.fake.window.placedWidth, 9000);
    EXPECT_EQ(g.fake.window.placedHeight, 8000);
    // The title picture is drawn last, at grid (10.8, 0).
    const auto pictures = g.fake.canvas.of(DrawOp::Picture);
    EXPECT_EQ(pictures.back().value, 1);
    EXPECT_DOUBLE_EQ(pictures.back().x, 6396);
    EXPECT_DOUBLE_EQ(pictures.back().y, 100);
    EXPECT_TRUE(g.fake.dialogs.shown.empty());
}

TEST(StartUp, LeavesAWindowAtTopEdgeMinus60WhereItIs) {
    Game g(false);
    g.fake.window.topEdge = -60;
    g.form.Form_Load();
    EXPECT_EQ(g.fake.window.placed, 0);
}

TEST(NewGame, ResetRestoresPositionButKeepsSidesAndRoyalPositions) {
    Game g;
    Form1& f = g.form;
    f.Board[5][5] = 901;
    f.Board[1][9] = 0;
    f.OwnHand[3] = 2;
    f.EnemyHand[7] = 1;
    f.OwnHandCount = 2;
    f.EnemyHandCount = 1;
    f.Turn = -1;
    f.ManTurn = 1;
    f.ComTurn = -1;
    f.MoveNumber = 17;
    f.KifuCursor = 17;
    f.KifuLength = 20;
    f.GameMode = 1;
    f.KifuMode = 1;
    f.PickedUp = 1;
    f.ResumePending = 1;
    f.Reversed = 1;
    f.HandicapLevel = 4;
    f.HandicapSet = 1;
    f.ManTime = 12;
    f.ComTime = 30;
    f.ManKingPos = {5, 9};
    f.ManPawnFile[3] = 1;
    g.fake.timer.enabled = true;

    f.初期設定();

    expectStartingPosition(f);
    EXPECT_EQ(f.Turn, 0);
    EXPECT_EQ(f.MoveNumber, 0);
    EXPECT_EQ(f.KifuCursor, 0);
    EXPECT_EQ(f.KifuLength, 20) << "the recorded moves stay, for stepping with 進";
    EXPECT_EQ(f.GameMode, 0);
    EXPECT_EQ(f.KifuMode, 0);
    EXPECT_EQ(f.PickedUp, 0);
    EXPECT_EQ(f.ResumePending, 0);
    EXPECT_EQ(f.Reversed, 0);
    EXPECT_EQ(f.HandicapLevel, 0);
    EXPECT_EQ(f.HandicapSet, 0);
    EXPECT_EQ(f.ManTime, 0);
    EXPECT_EQ(f.ComTime, 0);
    EXPECT_FALSE(g.fake.timer.enabled);
    // Which side is MAN, the royal positions and the pawn flags are not the reset's business.
    EXPECT_EQ(f.ManTurn, 1);
    EXPECT_EQ(f.ComTurn, -1);
    EXPECT_EQ(f.ManKingPos.X, 5);
    EXPECT_EQ(f.ManPawnFile[3], 1);
}

TEST(Start, FreshGameBetweenTwoHumansLowerSideFirst) {
    Game g;
    Form1& f = g.form;
    g.fake.clock.now = 50000.25;
    f.START_Click();
    EXPECT_EQ(f.Turn, 1);
    EXPECT_EQ(f.ManTurn, 1);
    EXPECT_EQ(f.ComTurn, -1);
    EXPECT_EQ(f.GameMode, 0);
    EXPECT_EQ(f.KifuMode, 0);
    EXPECT_EQ(f.PickedUp, 0);
    EXPECT_EQ(f.ResumePending, 0);
    EXPECT_DOUBLE_EQ(f.MoveStartTime, 50000.25);
    EXPECT_TRUE(g.fake.timer.enabled) << "経過時間 is marked by default";
    ASSERT_EQ(g.fake.dialogs.shown.size(), 1u);
    EXPECT_EQ(g.fake.dialogs.shown[0].prompt, "先手の番です");
    EXPECT_EQ(g.fake.dialogs.shown[0].title, " ");
    EXPECT_EQ(g.fake.dialogs.shown[0].buttons, Buttons::OK);
    // The lower side's pieces still start on rows 7..9.
    EXPECT_EQ(f.Board[5][9], -950);
}

TEST(Start, GameInProgressIsCarriedOnAndAnnouncesTheSideToMove) {
    Game g;
    Form1& f = g.form;
    g.fake.menu.setChecked(MenuItem::KEIKA, false);
    f.Turn = -1;
    f.ManTurn = -1;
    f.ComTurn = 1;
    f.MoveNumber = 6;
    f.GameMode = 1;
    f.ResumePending = 1;
    f.START_Click();
    EXPECT_EQ(f.Turn, -1);
    EXPECT_EQ(f.ManTurn, -1) << "a running game keeps its turn values";
    EXPECT_EQ(f.GameMode, 0);
    EXPECT_EQ(f.ResumePending, 0);
    EXPECT_FALSE(g.fake.timer.enabled);
    ASSERT_EQ(g.fake.dialogs.shown.size(), 1u);
    EXPECT_EQ(g.fake.dialogs.shown[0].prompt, "後手の番です");
}

TEST(Shutdown, FreesTheFourBuffersThenEndsFromEveryPath) {
    for (int path = 0; path < 3; ++path) {
        Game g;
        g.form.OtherSound = 11;
        g.form.ForbiddenSound = 12;
        g.form.PieceSound = 13;
        g.form.MusicSound = 14;
        g.form.SoundDevice = 7;
        g.fake.sound.calls.clear();
        if (path == 0) g.form.onMenu(MenuItem::OWARI);
        if (path == 1) g.form.Form_KeyDown(Form1::Key::Escape);
        if (path == 2) g.form.Form_Unload();
        EXPECT_EQ(g.fake.sound.calls,
                  (std::vector<std::string>{"dsFree 11", "dsFree 12", "dsFree 13", "dsFree 14",
                                            "dsTerminate 7"}));
        EXPECT_EQ(g.fake.window.quits, 1);
        EXPECT_TRUE(g.fake.dialogs.shown.empty()) << "nothing is asked";
        // Closing the window after quitting does not end the program twice.
        g.form.Form_Unload();
        EXPECT_EQ(g.fake.window.quits, 1);
    }
}

TEST(Shutdown, WithoutASoundDeviceTheDeviceIsNotTerminated) {
    Game g(false);
    g.fake.sound.device = 0;
    g.form.Form_Load();
    ASSERT_EQ(g.fake.dialogs.shown.size(), 1u);
    EXPECT_EQ(g.fake.dialogs.shown[0].prompt, "Direct Soundインターフェースが作成できません。");
    EXPECT_EQ(g.fake.dialogs.shown[0].title, "Kelvore.dll");
    EXPECT_EQ(g.fake.dialogs.shown[0].icon, Icon::Warning);
    g.fake.sound.calls.clear();
    g.form.処理_終了();
    EXPECT_EQ(g.fake.sound.calls,
              (std::vector<std::string>{"dsFree 0", "dsFree 0", "dsFree 0", "dsFree 0"}));
}

TEST(EndOfGame, AnnouncesTheWinnerThenStartsOverOrEnds) {
    Game g;
    g.form.START_Click();
    g.form.Board[5][5] = -901;
    g.fake.dialogs.shown.clear();
    g.form.終了("先手");
    ASSERT_EQ(g.fake.dialogs.shown.size(), 2u);
    EXPECT_EQ(g.fake.dialogs.shown[0].prompt, "先手の勝ちです");
    EXPECT_EQ(g.fake.dialogs.shown[0].title, "終了");
    EXPECT_EQ(g.fake.dialogs.shown[1].prompt, "続けますか？");
    EXPECT_EQ(g.fake.dialogs.shown[1].title, "再ゲーム");
    EXPECT_EQ(g.fake.dialogs.shown[1].buttons, Buttons::YesNo);
    EXPECT_EQ(g.form.Turn, 0);
    EXPECT_EQ(g.form.Board[5][5], 0);
    EXPECT_EQ(g.fake.window.quits, 0);

    g.fake.dialogs.answers.push_back(Answer::No);
    g.form.終了("あなた");
    EXPECT_EQ(g.fake.dialogs.shown[2].prompt, "あなたの勝ちです");
    EXPECT_EQ(g.fake.window.quits, 1);
}
