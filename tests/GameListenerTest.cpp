// What a listener beside the game hears, in order, through a game between two people: moves,
// steps back and forth, a win with its reset, and 最初.
#include "fakes/Clicks.h"
#include "fakes/Positions.h"

using namespace kelvore;
using namespace kelvore::test;

namespace {

// Writes down each call with what the game showed at that moment.
struct Journal : GameListener {
    Form1& f;
    std::vector<std::string> heard;
    explicit Journal(Form1& form) : f(form) { f.addListener(*this); }
    ~Journal() override { f.removeListener(*this); }
    void note(const std::string& what) {
        heard.push_back(what + " " + std::to_string(f.KifuCursor) + "/" +
                        std::to_string(f.KifuLength));
    }
    void beforeReset() override { note("beforeReset"); }
    void afterReset() override { note("afterReset"); }
    void movePlayed() override { note("movePlayed"); }
    void historyChanged() override { note("historyChanged"); }
    void gameWon(std::string_view winner) override { note("gameWon " + std::string(winner)); }
};

} // namespace

TEST(GameListener, HearsMovesStepsWinsAndResets) {
    Game g;
    Form1& f = g.form;
    Journal j(f);
    f.START_Click();
    move(f, 3, 7, 3, 6);
    move(f, 7, 3, 7, 4);
    f.REPLAY_Click();
    f.AFTER_Click();
    f.REPLAY_Click();
    f.REPLAY_Click();
    // 戻 with nothing left to take back changes nothing and says nothing to listeners.
    f.REPLAY_Click();
    EXPECT_EQ(j.heard, (std::vector<std::string>{"movePlayed 1/1", "movePlayed 2/2",
                                                 "historyChanged 1/2", "historyChanged 2/2",
                                                 "historyChanged 1/2", "historyChanged 0/2"}));

    // A won game is heard before the dialogue resets it; the history is still whole then.
    j.heard.clear();
    f.AFTER_Click();
    setPosition(f, "4k4/9/9/9/9/9/9/4R4/4K4 b - 1");
    f.Turn = 1;
    f.勢力調査();
    move(f, 5, 8, 5, 1);
    EXPECT_EQ(j.heard,
              (std::vector<std::string>{"historyChanged 1/2", "movePlayed 2/2", "gameWon 先手 2/2",
                                        "beforeReset 2/2", "afterReset 0/2"}));
    EXPECT_EQ(g.prompts().back(), "続けますか？");

    j.heard.clear();
    f.CANCEL_Click();
    EXPECT_EQ(j.heard, (std::vector<std::string>{"beforeReset 0/2", "afterReset 0/2"}));
}

TEST(GameListener, AComputerTakingOverCutsTheHistoryOnce) {
    Game g;
    Form1& f = g.form;
    f.START_Click();
    move(f, 3, 7, 3, 6);
    move(f, 7, 3, 7, 4);
    f.REPLAY_Click();
    Journal j(f);
    f.ComLevel = 1;
    g.fake.dialogs.shown.clear();
    // The upper side is to move: the second move is given up and the computer plays its own.
    f.SENTE_Click();
    EXPECT_EQ(j.heard, (std::vector<std::string>{"historyChanged 1/1", "movePlayed 2/2"}));
    j.heard.clear();
    f.SENTE_Click(); // nothing more to cut
    EXPECT_TRUE(j.heard.empty());
}
