// Two people playing through the mouse handler, on the recording fakes.
#include "fakes/Clicks.h"
#include "fakes/Positions.h"
#include "rules/TrialMove.h"

#include <random>

using namespace kelvore;
using namespace kelvore::test;

namespace {

class HumanPlay : public ::testing::Test {
protected:
    Game g;
    Form1& f = g.form;
    std::vector<std::string> prompts() const { return g.prompts(); }
    int forbiddenSounds() const {
        int n = 0;
        for (const auto& c : g.fake.sound.calls)
            n += c == "dsPlay " + std::to_string(f.ForbiddenSound);
        return n;
    }
    void start() {
        f.START_Click();
        g.fake.dialogs.shown.clear();
        g.fake.sound.calls.clear();
    }
};

} // namespace

TEST_F(HumanPlay, ClicksBeforeAGameAreRefused) {
    click(f, 3, 7);
    EXPECT_EQ(prompts(), (std::vector<std::string>{"「対局」で始めて下さい"}));
    EXPECT_EQ(g.fake.dialogs.shown[0].title, "開始");
    EXPECT_EQ(forbiddenSounds(), 1);
    EXPECT_EQ(f.PickedUp, 0);
}

TEST_F(HumanPlay, AFirstMoveIsRecordedShownAndPassesTheTurn) {
    g.fake.clock.now = 1000;
    start();
    g.fake.clock.now = 1012;
    move(f, 3, 7, 3, 6);
    EXPECT_EQ(f.Board[3][6], -10);
    EXPECT_EQ(f.Board[3][7], 0);
    EXPECT_EQ(f.Turn, -1);
    EXPECT_EQ(f.MoveNumber, 1);
    ASSERT_EQ(f.KifuLength, 1);
    EXPECT_EQ(f.Kifu.FromX[1], 3);
    EXPECT_EQ(f.Kifu.FromY[1], 7);
    EXPECT_EQ(f.Kifu.MovedPiece[1], -10);
    EXPECT_EQ(f.Kifu.PlacedPiece[1], -10);
    EXPECT_EQ(f.Kifu.CapturedPiece[1], 0);
    EXPECT_DOUBLE_EQ(f.Kifu.ManTimeBefore[1], 0);
    EXPECT_DOUBLE_EQ(f.Kifu.ManTimeAfter[1], 12);
    EXPECT_DOUBLE_EQ(f.Kifu.ComTimeAfter[1], 0);
    EXPECT_DOUBLE_EQ(f.ManTime, 12);
    EXPECT_DOUBLE_EQ(f.MoveStartTime, 1012);
    std::string shown;
    for (const auto& op : g.fake.canvas.of(DrawOp::Text))
        if (op.value == f.ResultColor && op.size == 12) shown += op.text;
    EXPECT_NE(shown.find("７六歩"), std::string::npos);
    EXPECT_EQ(g.fake.sound.calls.back(), "dsPlay " + std::to_string(f.PieceSound));
}

TEST_F(HumanPlay, PickingUpHighlightsReachWithGuidanceOnly) {
    start();
    auto outlines = [&](int colour) {
        int n = 0;
        for (const auto& op : g.fake.canvas.of(DrawOp::Outline)) n += op.value == colour;
        return n;
    };
    g.fake.canvas.clear();
    click(f, 3, 7); // guidance off: only the piece's own outline changes colour
    EXPECT_EQ(f.PickedUp, 1);
    EXPECT_EQ(outlines(f.ColorLightRed), 1);
    EXPECT_EQ(outlines(f.OutlineColor), 81) << "the board lines, all in the outline colour";
    f.MoveGuidance = 1;
    f.HighlightColor = 15;
    f.PickedUp = 0;
    g.fake.canvas.clear();
    click(f, 2, 9); // the lower knight: no square to reach at the start
    EXPECT_EQ(outlines(15), 0);
    click(f, 5, 9); // a new own piece is held instead: the king reaches (4, 8) and (6, 8)
    EXPECT_EQ(outlines(15), 2);
    EXPECT_EQ(f.HeldFromX, 5);
}

TEST_F(HumanPlay, TheOtherSidesPiecesAreShownButNeverMoved) {
    start();
    f.MoveGuidance = 1;
    f.HighlightColor = 15;
    click(f, 3, 3); // an upper pawn while the lower side is to move
    EXPECT_EQ(f.PickedUp, 0);
    click(f, 3, 4);
    EXPECT_EQ(f.Board[3][3], 10);
    EXPECT_EQ(f.Board[3][4], 0);
    // Holding an own piece, then looking at the other side's hand, drops nothing of theirs.
    f.EnemyHand[7] = 1;
    f.EnemyHandCount = 1;
    click(f, 3, 7);
    EXPECT_EQ(f.PickedUp, 1);
    click(f, -1, 1);
    EXPECT_EQ(f.PickedUp, 0);
    click(f, 5, 5);
    EXPECT_EQ(f.Board[5][5], 0);
    EXPECT_EQ(f.EnemyHand[7], 1);
    EXPECT_EQ(f.Turn, 1);
}

TEST_F(HumanPlay, IllegalTargetsReleaseThePieceWithTheForbiddenSound) {
    start();
    move(f, 3, 7, 3, 5);
    EXPECT_EQ(forbiddenSounds(), 1);
    EXPECT_EQ(f.PickedUp, 0);
    EXPECT_EQ(f.Board[3][7], -10);
    EXPECT_EQ(f.MoveNumber, 0);
    EXPECT_TRUE(g.fake.dialogs.shown.empty());
}

TEST_F(HumanPlay, TheRightButtonPromotesAndTheLeftNever) {
    start();
    setPosition(f, "4k4/9/9/P3S4/9/9/9/9/4K4 b - 1");
    move(f, 5, 4, 5, 3, kLeft); // a silver entering the zone, left button: stays a silver
    EXPECT_EQ(f.Board[5][3], -100);
    f.Turn = 1;
    move(f, 5, 3, 4, 2, kRight);
    EXPECT_EQ(f.Board[4][2], -101);
    EXPECT_EQ(f.Kifu.MovedPiece[2], -100);
    EXPECT_EQ(f.Kifu.PlacedPiece[2], -101);
    f.Turn = 1;
    // A pawn that must promote: the left click asks for the right one and keeps holding.
    g.fake.dialogs.shown.clear();
    f.Board[1][2] = -10;
    move(f, 1, 2, 1, 1, kLeft);
    EXPECT_EQ(prompts(), (std::vector<std::string>{"マウスの右をクリックして下さい"}));
    EXPECT_EQ(g.fake.dialogs.shown[0].title, "成り");
    EXPECT_EQ(f.PickedUp, 1);
    EXPECT_EQ(f.Board[1][2], -10);
    click(f, 1, 1, kRight);
    EXPECT_EQ(f.Board[1][1], -11);
    // A gold cannot promote: the right button moves it as it is.
    f.Turn = 1;
    f.Board[6][6] = -110;
    move(f, 6, 6, 6, 5, kRight);
    EXPECT_EQ(f.Board[6][5], -110);
}

TEST_F(HumanPlay, DropsFromBothHandsAndTheTwoPawnRule) {
    start();
    setPosition(f, "4k4/9/9/9/9/9/4P4/9/4K4 b Pr 1");
    click(f, 11, 3); // the lower pawn slot
    EXPECT_EQ(f.PickedUp, 1);
    EXPECT_EQ(f.ManPawnFile[5], 1) << "the flags are recomputed when a hand piece is clicked";
    click(f, 5, 5);
    EXPECT_EQ(forbiddenSounds(), 1);
    EXPECT_EQ(f.OwnHand[1], 1);
    move(f, 11, 3, 4, 5);
    EXPECT_EQ(f.Board[4][5], -10);
    EXPECT_EQ(f.OwnHand[1], 0);
    EXPECT_EQ(f.OwnHandCount, 0);
    EXPECT_EQ(f.Kifu.FromX[1], 11);
    EXPECT_EQ(f.Kifu.FromY[1], 3);
    // The upper side drops its rook from screen row 1 (slot 7).
    move(f, -1, 1, 5, 5);
    EXPECT_EQ(f.Board[5][5], 900);
    EXPECT_EQ(f.EnemyHand[7], 0);
    EXPECT_EQ(f.EnemyHandCount, 0);
    EXPECT_EQ(f.Kifu.FromX[2], -1);
    EXPECT_EQ(f.Kifu.FromY[2], 1) << "a human's drop is recorded with the row clicked";
}

TEST_F(HumanPlay, CapturingTheLastRoyalPieceEndsTheGameForEitherSide) {
    start();
    setPosition(f, "4k4/9/9/9/9/9/9/4R4/4K4 b - 1");
    f.勢力調査();
    move(f, 5, 8, 5, 1); // the lower rook takes the upper king
    EXPECT_EQ(prompts(), (std::vector<std::string>{"先手の勝ちです", "続けますか？"}));
    EXPECT_EQ(f.Turn, 0) << "Yes: a new game in the no-game state";
    EXPECT_EQ(g.fake.window.quits, 0);

    start();
    setPosition(f, "4k4/4r4/9/9/9/9/9/9/4K4 w - 1");
    f.Turn = -1;
    f.勢力調査();
    g.fake.dialogs.answers.push_back(Answer::No);
    move(f, 5, 2, 5, 9);
    EXPECT_EQ(prompts(), (std::vector<std::string>{"後手の勝ちです", "続けますか？"}));
    EXPECT_EQ(g.fake.window.quits, 1) << "No ends the program";
}

TEST_F(HumanPlay, WithThePrinceOnTheBoardTakingTheKingEndsNothing) {
    start();
    setPosition(f, "3k+e4/9/9/9/9/9/9/3R5/4K4 b - 1");
    f.勢力調査();
    move(f, 4, 8, 4, 1);
    EXPECT_TRUE(prompts().empty());
    EXPECT_EQ(f.Turn, -1);
    f.Board[5][2] = -900; // then the prince falls too
    f.Turn = 1;
    move(f, 5, 2, 5, 1);
    EXPECT_EQ(prompts().at(0), "先手の勝ちです");
}

TEST_F(HumanPlay, ARecordBeingViewedRefusesBoardClicks) {
    start();
    f.KifuMode = 1;
    g.fake.dialogs.answers.push_back(Answer::Yes);
    click(f, 3, 7);
    EXPECT_EQ(prompts(), (std::vector<std::string>{"棋譜を '進 'で進めて下さい"}));
    EXPECT_EQ(f.KifuMode, 1);
    g.fake.dialogs.answers.push_back(Answer::No);
    click(f, 3, 7);
    EXPECT_EQ(forbiddenSounds(), 1);
    EXPECT_EQ(f.KifuMode, 0) << "No starts over";
    EXPECT_EQ(f.Turn, 0);
}

TEST_F(HumanPlay, AResumedGameAnnouncesTheSideToMoveFirst) {
    start();
    move(f, 3, 7, 3, 6);
    f.ResumePending = 1;
    g.fake.timer.enabled = false;
    g.fake.clock.now = 5000;
    click(f, 3, 3);
    EXPECT_EQ(prompts(), (std::vector<std::string>{"後手の番です"}));
    EXPECT_EQ(g.fake.dialogs.shown[0].title, "対局");
    EXPECT_EQ(f.ResumePending, 0);
    EXPECT_TRUE(g.fake.timer.enabled);
    EXPECT_DOUBLE_EQ(f.MoveStartTime, 5000);
    EXPECT_EQ(f.PickedUp, 1) << "then the click is handled as usual";
}

TEST_F(HumanPlay, AMoveAcrossMidnightCountsItsSeconds) {
    g.fake.clock.now = 86390;
    start();
    g.fake.clock.now = 5;
    move(f, 3, 7, 3, 6);
    EXPECT_DOUBLE_EQ(f.ManTime, 15);
    EXPECT_DOUBLE_EQ(f.Kifu.ManTimeAfter[1], 15);
}

TEST_F(HumanPlay, AGameLongerThanTheRecordLayoutLosesNoMove) {
    start();
    setPosition(f, "k8/9/9/9/9/9/9/9/8K b - 1");
    for (int i = 0; i < 260; ++i) {
        const bool out = i % 2 == 0;
        move(f, 9, out ? 9 : 8, 9, out ? 8 : 9); // the lower king steps up and back
        move(f, 1, out ? 1 : 2, 1, out ? 2 : 1); // and so does the upper king
    }
    EXPECT_EQ(f.MoveNumber, 520);
    EXPECT_EQ(f.KifuLength, 520);
    EXPECT_EQ(f.Kifu.ToY[501], 8);
    EXPECT_EQ(f.Kifu.MovedPiece[520], 950);
}

TEST(Clocks, TheDisplayChangesOncePerWholeSecond) {
    Game g;
    Form1& f = g.form;
    f.START_Click();
    g.fake.clock.now = f.MoveStartTime;
    g.fake.canvas.clear();
    for (int tick = 0; tick < 60; ++tick) { // three seconds of 50 ms ticks
        g.fake.clock.now += 0.05;
        f.Timer1_Timer();
    }
    std::vector<std::string> shown;
    for (const auto& op : g.fake.canvas.of(DrawOp::Text))
        if (op.value == 15) shown.push_back(op.text);
    EXPECT_EQ(shown, (std::vector<std::string>{"00:00:01", "00:00:02", "00:00:03"}));
    // 経過時間 off: the timer stops and the cells are cleared; F2 switches it on again.
    f.onMenu(MenuItem::KEIKA);
    EXPECT_FALSE(g.fake.menu.isChecked(MenuItem::KEIKA));
    EXPECT_FALSE(g.fake.timer.enabled);
    g.fake.canvas.clear();
    f.描画_所有時間(f.ManTurn, 10);
    EXPECT_TRUE(g.fake.canvas.ops.empty());
    f.Form_KeyDown(Form1::Key::F2);
    EXPECT_TRUE(g.fake.menu.isChecked(MenuItem::KEIKA));
    EXPECT_TRUE(g.fake.timer.enabled);
}

TEST(MenuCommands, VersionMessageAndPanelClosingMenus) {
    Game g;
    g.form.OtherSound = 5;
    g.form.onMenu(MenuItem::VER);
    EXPECT_EQ(g.fake.sound.calls.back(), "dsPlay 5");
    ASSERT_EQ(g.fake.dialogs.shown.size(), 1u);
    EXPECT_NE(g.fake.dialogs.shown[0].prompt.find("Kelvore"), std::string::npos);
    const std::string& text = g.fake.dialogs.shown[0].prompt;
    EXPECT_EQ(text.rfind("Kelvore 将棋  バージョン " KELVORE_VERSION "\r", 0), 0u)
        << "the version line comes first";
    // After it, how to play: every control a new player would not guess.
    for (const char* control :
         {"右ボタン", "持ち駒", "「戻」", "盤をクリック", "「進」", "Esc", "閉じるボタン",
          "中断として", "対局設定…", "投了", "F1", "F2", "王を取られる"})
        EXPECT_NE(text.find(control), std::string::npos) << control;
    g.fake.panel.fields = true;
    g.fake.panel.driveList = true;
    g.fake.panel.text[1] = "x";
    g.form.onMenu(MenuItem::TAIKYOKU);
    EXPECT_FALSE(g.fake.panel.fields || g.fake.panel.driveList);
    EXPECT_EQ(g.fake.panel.text[1], "");
}

// Thousands of random clicks and commands from every state: nothing breaks the position.
TEST(HumanPlayRobustness, RandomClicksKeepEveryPieceAccountedFor) {
    std::mt19937 rng(12345);
    const MenuItem commands[] = {MenuItem::START,  MenuItem::KEIKA,  MenuItem::TAIKYOKU,
                                 MenuItem::LEVEL1, MenuItem::LEVEL3, MenuItem::VER};
    int movesMade = 0, gamesEnded = 0;
    auto game = std::make_unique<Game>();
    for (int event = 0; event < 30000; ++event) {
        if (game->form.Ended) {
            game = std::make_unique<Game>();
            ++gamesEnded;
        }
        Form1& f = game->form;
        game->fake.dialogs.answers.push_back(rng() % 8 == 0 ? Answer::No : Answer::Yes);
        const int before = f.MoveNumber;
        if (rng() % 60 == 0) {
            f.onMenu(commands[rng() % 6]);
        } else if (rng() % 3 == 0 && f.Turn != 0 && f.KifuMode == 0) {
            // A move the rules allow, made by two clicks of a random button.
            MoveList list;
            f.調査_2歩フラグ設定();
            generateMoves(f, f.Turn == f.ManTurn ? -1 : 1, list);
            if (list.size > 0) {
                const Move& m = list.moves[rng() % list.size];
                click(f, m.fromX, m.fromX == -1 ? 8 - m.fromY : m.fromY);
                click(f, m.toX, m.toY, rng() % 2 ? kLeft : kRight);
            }
        } else if (rng() % 4 == 0) {
            const double x = std::uniform_real_distribution<double>(-500, 9500)(rng);
            const double y = std::uniform_real_distribution<double>(-500, 8500)(rng);
            f.Form_MouseDown(rng() % 2 ? kLeft : kRight, 0, x, y);
        } else {
            click(f, static_cast<int>(rng() % 13) - 1, static_cast<int>(rng() % 11),
                  rng() % 2 ? kLeft : kRight);
        }
        if (f.MoveNumber > before) ++movesMade;
        int pieces = 0;
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y) {
                const int c = f.Board[x][y];
                ASSERT_TRUE(c == 0 || piece::isPieceCode(c)) << c;
                const int k = std::abs(c);
                if (c != 0 && k != 910 && k != 911 && k != 950) ++pieces;
            }
        int own = 0, enemy = 0;
        for (int i = 1; i <= 7; ++i) {
            ASSERT_GE(f.OwnHand[i], 0);
            ASSERT_GE(f.EnemyHand[i], 0);
            own += f.OwnHand[i];
            enemy += f.EnemyHand[i];
        }
        ASSERT_EQ(own, f.OwnHandCount);
        ASSERT_EQ(enemy, f.EnemyHandCount);
        ASSERT_EQ(pieces + own + enemy, 38) << "event " << event;
    }
    EXPECT_GT(movesMade, 300) << "the clicks did play games";
    std::printf("random clicks: %d moves made, %d games ended by quitting\n", movesMade,
                gamesEnded);
}
