// The commands whose answers are read in the move list, on the fake platform: 局面 → ヒント and
// 棋譜 → 解析 refused with the forbidden sound where they cannot run, what each starts, and the
// move list opened for the answer where it is hidden.
#include "analysis/AnalyseCommand.h"
#include "fakes/Clicks.h"
#include "fakes/Harness.h"
#include "fakes/Thinking.h"
#include "hint/HintSearch.h"
#include "review/GameReview.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

using namespace kelvore;
using namespace kelvore::test;

namespace {

// A game with the rooms of the move list: the game it shows, the hint, and the judgement's
// command handing its games to `judged`; the window's 指し手一覧 is counted.
struct ListCommands : ::testing::Test {
    Game g;
    Form1& f = g.form;
    review::GameReview review{f};
    hint::HintSearch hints{f};
    std::vector<GameRecord> judged; // the games handed to the judgement
    std::optional<analysis::AnalyseCommand> analyse;
    int listShown = 0, listHidden = 0;

    ListCommands() {
        engine::Limits l;
        l.depth = 1;
        hints.fixedLimits = l;
        analyse.emplace(f, review, [this](const GameRecord& game) { judged.push_back(game); });
        f.ForbiddenSound = 77;
        // The window's 指し手一覧: the list shown or hidden, and the item's mark with it.
        f.setOwnCommand(MenuItem::MOVE_LIST, [this] {
            const bool shown = !g.fake.menu.isChecked(MenuItem::MOVE_LIST);
            g.fake.menu.setChecked(MenuItem::MOVE_LIST, shown);
            ++(shown ? listShown : listHidden);
        });
    }
    int forbidden() const {
        return static_cast<int>(
            std::count(g.fake.sound.calls.begin(), g.fake.sound.calls.end(), "dsPlay 77"));
    }
};

} // namespace

TEST_F(ListCommands, TheHintSearchesOnAHumansTurnAndOpensTheHiddenList) {
    f.onMenu(MenuItem::HINT);
    EXPECT_EQ(forbidden(), 1) << "no game";
    EXPECT_FALSE(hints.searching());
    EXPECT_EQ(listShown, 0);

    f.START_Click();
    f.onMenu(MenuItem::HINT);
    EXPECT_TRUE(hints.searching());
    EXPECT_EQ(listShown, 1);
    hints.waitForWorker();
    g.fake.dispatcher.drain();
    EXPECT_TRUE(hints.shown());
    f.onMenu(MenuItem::HINT);
    EXPECT_TRUE(hints.searching()) << "asked again";
    EXPECT_EQ(listShown, 1) << "the list was shown already";
    EXPECT_EQ(forbidden(), 1);
}

TEST_F(ListCommands, TheAnalysisJudgesTheGameShownButNeitherAnEmptyOneNorWhileTheComputerThinks) {
    f.onMenu(MenuItem::ANALYSE);
    EXPECT_EQ(forbidden(), 1) << "no move to judge";

    thinkWithoutEnd(f);
    f.SENTE_Click();
    move(f, 3, 7, 3, 6);
    ASSERT_TRUE(f.思考中());
    ASSERT_EQ(review.game().moves.size(), 1u);
    f.onMenu(MenuItem::ANALYSE);
    EXPECT_EQ(forbidden(), 2);
    EXPECT_TRUE(judged.empty());
    EXPECT_EQ(listShown, 0);
    stopThinking(f);

    f.START_Click();
    move(f, 3, 7, 3, 6);
    move(f, 7, 3, 7, 4);
    f.onMenu(MenuItem::ANALYSE);
    ASSERT_EQ(judged.size(), 1u);
    EXPECT_EQ(judged[0].moves.size(), 2u);
    EXPECT_EQ(judged[0].moves[1].ToX, 7);
    EXPECT_EQ(judged[0].moves[1].ToY, 4);
    EXPECT_EQ(listShown, 1);
    // Hidden by the player, the list opens again for the next judgement.
    f.onMenu(MenuItem::MOVE_LIST);
    ASSERT_EQ(listHidden, 1);
    f.onMenu(MenuItem::ANALYSE);
    EXPECT_EQ(judged.size(), 2u);
    EXPECT_EQ(listShown, 2);
    EXPECT_EQ(forbidden(), 2);

    // Gone with its room: the menu item does nothing more.
    analyse.reset();
    f.onMenu(MenuItem::ANALYSE);
    EXPECT_EQ(judged.size(), 2u);
    EXPECT_EQ(forbidden(), 2);
}
