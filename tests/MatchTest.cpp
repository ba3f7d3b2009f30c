// Matches: clocks that count down on the fake clock (main time, the byoyomi renewed, the
// increment added, the loss at exactly zero, the computer's thinking charged to its clock),
// resigning, adjourning and ending the program, each kept with its end, the promotion question
// answered both ways, and the true-mate notice. (The level found again at the next start is
// the window's test: it goes through window.ini.)
#include "match/Match.h"
#include "computer/SearchingTurn.h"
#include "fakes/Clicks.h"
#include "fakes/Harness.h"
#include "fakes/Kept.h"
#include "fakes/Thinking.h"
#include "kept/GameKeeper.h"
#include "record/RecordFile.h"
#include "text/Files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>

using namespace kelvore;
using namespace kelvore::test;

namespace {

match::TimeControl both(int main, int byoyomi, int increment = 0) {
    match::TimeControl c;
    c.lower = c.upper = {main, byoyomi, increment};
    return c;
}

class Matches : public ::testing::Test {
protected:
    Game g;
    Form1& f = g.form;
    kept::GameKeeper keeper{f};
    std::optional<match::MatchSettings> chosen; // what the dialogue answers
    std::vector<match::MatchSettings> saved;
    match::Match room{f,
                      {[this](const match::MatchSettings&) { return chosen; },
                       [this](const match::MatchSettings& s) { saved.push_back(s); }}};
    match::MatchClocks& clocks = room.clocks();

    Matches() { keeper.now = keptAt2315; }

    void timed(const match::TimeControl& control) {
        match::MatchSettings s;
        s.time = control;
        room.restore(s);
    }
    // The fake clock stands at `t`; the timer ticks and what it posted runs.
    void tickAt(double t) {
        g.fake.clock.now = t;
        f.Timer1_Timer();
        g.fake.dispatcher.drain();
    }
    std::string lastPrompt() const {
        return g.fake.dialogs.shown.empty() ? "" : g.fake.dialogs.shown.back().prompt;
    }
    bool said(const std::string& prompt) const {
        const auto p = g.prompts();
        return std::find(p.begin(), p.end(), prompt) != p.end();
    }
    std::vector<std::string> keptFiles() const { return test::keptFiles(keeper); }
    RecordFile readKept(const std::string& name) const { return test::readKept(keeper, name); }
};

} // namespace

TEST(TimeControl, ArithmeticAndItsKifText) {
    const match::Allotment byoyomi{600, 30, 0}, fischer{900, 0, 10}, incOnly{0, 0, 10};
    EXPECT_EQ(match::startingMain(byoyomi), 600);
    EXPECT_EQ(match::startingMain(incOnly), 10) << "no main time: one increment to start";
    // A move into the byoyomi spends the main time only; the byoyomi comes whole again.
    EXPECT_DOUBLE_EQ(match::mainAfterMove(byoyomi, 20, 35), 0);
    EXPECT_DOUBLE_EQ(match::timeLeft(byoyomi, 0, 29.5), 0.5);
    EXPECT_DOUBLE_EQ(match::mainAfterMove(fischer, 100, 4), 106);
    EXPECT_DOUBLE_EQ(match::timeLeft(fischer, 6, 6), 0);

    EXPECT_EQ(match::kifText(both(600, 30)), "10分+30秒");
    EXPECT_EQ(match::kifText(both(900, 0, 10)), "15分+加算10秒");
    EXPECT_EQ(match::kifText(both(600, 0)), "10分");
    EXPECT_EQ(match::kifText(both(90, 0)), "1分30秒");
    match::TimeControl odds = both(600, 30);
    odds.upper = {300, 30, 0};
    EXPECT_EQ(match::kifText(odds), "先手10分+30秒／後手5分+30秒");
    odds.upper = {};
    EXPECT_EQ(match::kifText(odds), "先手10分+30秒／後手なし");
    for (const match::TimeControl& c : {both(600, 30), both(900, 0, 10), both(45, 0), odds})
        EXPECT_EQ(match::parseKifText(match::kifText(c)), c) << match::kifText(c);
    EXPECT_EQ(match::parseKifText("１時間＋６０秒"), both(3600, 60)) << "as people write it";
    for (const char* bad : {"", "十分", "10分+", "10分+30秒+40秒", "先手10分", "10分 30秒"})
        EXPECT_FALSE(match::parseKifText(bad).has_value()) << bad;
}

TEST(MatchSettings, AHandWrittenGroupTakesWhatIsThereAndDefaultsTheRest) {
    auto from = [](std::map<std::string, std::string> keys) {
        return match::readSettings([keys](std::string_view k) -> std::optional<std::string> {
            const auto it = keys.find(std::string(k));
            if (it == keys.end()) return std::nullopt;
            return it->second;
        });
    };
    const match::MatchSettings defaults;
    EXPECT_EQ(from({}), defaults);
    EXPECT_FALSE(defaults.time.timed());
    EXPECT_EQ(defaults.level, 3);
    EXPECT_EQ(defaults.skill, engine::kSkillMax) << "without the key: full strength";

    const match::MatchSettings some =
        from({{"level", "5"}, {"byoyomiSeconds", " 30 "}, {"skill", "0"}});
    EXPECT_EQ(some.level, 5);
    EXPECT_EQ(some.skill, 0);
    EXPECT_EQ(some.time, both(0, 30)) << "the upper side has no keys: it shares the allotment";
    EXPECT_FALSE(some.askPromotion);

    // Values that make no sense take their defaults, key by key; a byoyomi wins over an
    // increment.
    const match::MatchSettings bad = from({{"level", "9"},
                                           {"skill", "21"},
                                           {"mainTimeSeconds", "-5"},
                                           {"byoyomiSeconds", "10"},
                                           {"incrementSeconds", "5"},
                                           {"askPromotion", "yes"},
                                           {"upperMainTimeSeconds", "999999"},
                                           {"upperIncrementSeconds", "7"}});
    EXPECT_EQ(bad.level, 3);
    EXPECT_EQ(bad.skill, engine::kSkillMax);
    EXPECT_FALSE(bad.askPromotion);
    EXPECT_EQ(bad.time.lower, (match::Allotment{0, 10, 0}));
    EXPECT_EQ(bad.time.upper, (match::Allotment{0, 0, 7}));

    // What is written reads back the same, the upper side's keys only when they differ.
    match::MatchSettings s;
    s.time = both(600, 30);
    s.askPromotion = true;
    s.level = 4;
    s.skill = 7;
    auto keysOf = [](const match::MatchSettings& m) {
        std::map<std::string, std::string> keys;
        for (const auto& [k, v] : match::settingsKeys(m)) keys[k] = v;
        return keys;
    };
    EXPECT_EQ(keysOf(s).count("upperMainTimeSeconds"), 0u);
    EXPECT_EQ(keysOf(s).at("askPromotion"), "true");
    EXPECT_EQ(from(keysOf(s)), s);
    s.time.upper = {300, 0, 5};
    EXPECT_EQ(from(keysOf(s)), s);
}

TEST_F(Matches, TheClocksCountDownRenewTheByoyomiAndAddTheIncrement) {
    timed(both(60, 10));
    EXPECT_EQ(clocks.clockText(f.ManTurn), "00:01:00") << "the allotment, before any game";
    // The turn's time starts once "先手の番です" is closed: the box eats no time.
    g.fake.clock.now = 970;
    g.fake.dialogs.onShow = [this](const Box&) { g.fake.clock.now += 30; };
    f.START_Click();
    g.fake.dialogs.onShow = nullptr;
    tickAt(1020.4);
    EXPECT_EQ(clocks.clockText(f.ManTurn), "00:00:40") << "the seconds left, rounded up";
    EXPECT_EQ(clocks.clockText(f.ComTurn), "00:01:00") << "only the side to move runs";
    move(f, 3, 7, 3, 6);
    EXPECT_NEAR(clocks.mainLeft(-1), 39.6, 1e-9);
    tickAt(1025.4);
    move(f, 7, 3, 7, 4);
    // The lower side runs out of main time and into its byoyomi.
    tickAt(1070.4);
    EXPECT_EQ(clocks.clockText(f.ManTurn), "秒読み5");
    move(f, 2, 7, 2, 6);
    EXPECT_EQ(clocks.mainLeft(-1), 0);
    EXPECT_EQ(clocks.clockText(f.ManTurn), "秒読み10") << "renewed for the next move";
    tickAt(1073.4);
    move(f, 8, 3, 8, 4);
    tickAt(1083.3);
    move(f, 1, 7, 1, 6); // 9.9 s of the 10: in time
    EXPECT_EQ(f.KifuCursor, 5);
    EXPECT_NEAR(clocks.mainLeft(1), 52, 1e-9);

    // Stepping back gives the clocks of the position shown.
    f.REPLAY_Click();
    f.REPLAY_Click();
    EXPECT_EQ(clocks.clockText(f.ManTurn), "秒読み10");
    f.REPLAY_Click();
    EXPECT_EQ(clocks.clockText(f.ManTurn), "00:00:40");

    // An increment is added after every move; a new game starts from the allotment.
    f.CANCEL_Click();
    timed(both(30, 0, 10));
    f.START_Click();
    g.fake.clock.now += 4;
    move(f, 3, 7, 3, 6);
    EXPECT_NEAR(clocks.mainLeft(-1), 36, 1e-9);
    EXPECT_EQ(clocks.clockText(f.ManTurn), "00:00:36");

    // Odds: a side without a limit of its own counts up, as the game's clocks do.
    match::TimeControl odds = both(30, 0, 10);
    odds.upper = {};
    timed(odds);
    EXPECT_EQ(clocks.clockText(f.ComTurn), "00:00:00");
    g.fake.clock.now += 5;
    move(f, 7, 3, 7, 4);
    EXPECT_EQ(clocks.clockText(f.ComTurn), "00:00:05");
    EXPECT_EQ(clocks.clockText(f.ManTurn), "00:00:36");
}

TEST_F(Matches, TimeRunsOutAtExactlyZeroAndTheSideLosesAtOnce) {
    timed(both(0, 10));
    // Two people, ten seconds a move; the lower side's first move takes five.
    auto begin = [&] {
        g.fake.clock.now = 1000;
        f.START_Click();
        g.fake.clock.now = 1005;
        move(f, 3, 7, 3, 6);
    };
    // No tick came between the clock running out and the click: the move is judged at the
    // moment it is made, and not played.
    begin();
    g.fake.clock.now = 1015;
    move(f, 7, 3, 7, 4);
    EXPECT_EQ(f.Turn, 0) << "はい: a new game";
    EXPECT_TRUE(said("後手の時間切れです\r先手の勝ちです"));
    ASSERT_EQ(keptFiles(), std::vector<std::string>{"2026-12-08_2315_人間.棋譜"});
    const RecordFile first = readKept(keptFiles()[0]);
    EXPECT_EQ(first.moves.size(), 1u) << "the late move is not in the record";
    EXPECT_EQ(kept::endOfTitle(first.header[0]).winner, -1);

    // The tick sees zero, not a hundredth before.
    begin();
    g.fake.clock.now = 1008;
    move(f, 7, 3, 7, 4);
    tickAt(1017.99);
    EXPECT_EQ(f.Turn, f.ManTurn);
    EXPECT_EQ(clocks.clockText(f.ManTurn), "秒読み1");
    g.fake.dialogs.answers = {Answer::No}; // no second game: the program ends
    tickAt(1018);
    EXPECT_EQ(lastPrompt(), "続けますか？");
    EXPECT_TRUE(said("先手の時間切れです\r後手の勝ちです"));
    EXPECT_FALSE(g.fake.timer.enabled) << "the clock stopped";
    EXPECT_EQ(g.fake.window.quits, 1);
    // Kept once, as lost on time, and its title says so when it is read back.
    ASSERT_EQ(keptFiles().size(), 2u);
    const RecordFile r = readKept(keptFiles()[1]);
    EXPECT_EQ(r.moves.size(), 2u);
    EXPECT_EQ(r.header[0], "対局 2026-12-08 23:15［0分+10秒］（時間切れで後手の勝ち）");
    const GameEnd end = kept::endOfTitle(r.header[0]);
    EXPECT_EQ(end.how, Ending::TimeUp);
    EXPECT_EQ(end.winner, 1);
}

TEST_F(Matches, TheComputersThinkingIsChargedToItsClockAndItLosesOnTimeLikeAnyone) {
    timed(both(60, 10));
    engine::Limits depthOne;
    depthOne.depth = 1;
    f.onMenu(MenuItem::LEVEL4);
    f.Searching = std::make_unique<SearchingTurn>(f);
    f.Searching->fixedLimits = depthOne;
    g.fake.clock.now = 1000;
    f.onMenu(MenuItem::GOTE); // the computer moves first
    ASSERT_TRUE(f.思考中());
    g.fake.clock.now = 1007;
    f.Searching->waitForWorker();
    g.fake.canvas.clear();
    g.fake.dispatcher.drain();
    ASSERT_EQ(f.KifuCursor, 1);
    EXPECT_NEAR(clocks.mainLeft(1), 53, 1e-9);
    EXPECT_EQ(clocks.clockText(f.ComTurn), "00:00:53");
    const auto texts = g.fake.canvas.of(DrawOp::Text);
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const DrawOp& o) {
        return o.text == "00:00:53";
    })) << "the clock of the side that moved is shown as the move left it";

    // On its clock, LEVEL5 thinks as the engine shares the clock out; LEVEL4 no longer than
    // its own move time. A margin stays back for the move to reach the board.
    g.fake.clock.now = 1010;
    move(f, 3, 7, 3, 6); // the human's turn took 3 s; the computer's begins
    f.Searching->waitForWorker();
    g.fake.dispatcher.drain();
    const engine::Limits level{.moveTimeMs = 1000};
    const engine::Limits four = clocks.searchLimits(level);
    EXPECT_EQ(four.moveTimeMs, 1000);
    EXPECT_EQ(four.upperTimeMs, 53000);
    EXPECT_EQ(four.byoyomiMs, 9000) << "a tenth of what the move may take, at most a second";
    EXPECT_EQ(four.lowerTimeMs, 57000);
    f.onMenu(MenuItem::LEVEL5);
    EXPECT_EQ(clocks.searchLimits(level).moveTimeMs, 0);

    // Thinking past its clock, it loses at the tick that sees zero; its search is dropped.
    thinkWithoutEnd(f);
    g.fake.clock.now = 1020;
    move(f, 2, 7, 2, 6);
    ASSERT_TRUE(f.思考中());
    const double start = f.MoveStartTime;
    tickAt(start + 62.9);
    EXPECT_TRUE(f.思考中()) << "53 s of main time and 10 s of byoyomi: 0.1 s are left";
    tickAt(start + 63);
    EXPECT_FALSE(f.思考中()) << "the search was stopped and its move will never be played";
    if (f.思考中()) stopThinking(f);
    EXPECT_TRUE(said("ｺﾝﾋﾟｭｰﾀの時間切れです\rあなたの勝ちです"));
    f.Searching->waitForWorker();
    g.fake.dispatcher.drain();
    EXPECT_EQ(f.Turn, 0);
    ASSERT_EQ(keptFiles().size(), 1u);
    EXPECT_EQ(readKept(keptFiles()[0]).moves.size(), 4u);
}

TEST_F(Matches, TheLastTenSecondsOfAHumanTickEachSecondShownOrNot) {
    std::ofstream(g.folder.path + "/" + match::kTickSound) << "RIFF";
    timed(both(0, 12));
    const int tick = static_cast<int>(g.fake.sound.calls.size());
    ASSERT_EQ(g.fake.sound.calls.back(), "dsCreateDSB 3");
    auto ticks = [&] {
        return std::count(g.fake.sound.calls.begin(), g.fake.sound.calls.end(),
                          "dsPlay " + std::to_string(tick));
    };
    // The clocks hidden: nothing is drawn, but the time still counts.
    f.処理_経過時間();
    ASSERT_FALSE(g.fake.menu.isChecked(MenuItem::KEIKA));
    g.fake.clock.now = 1000;
    f.START_Click();
    g.fake.canvas.clear();
    for (int i = 1; i <= 7; ++i) tickAt(1000 + i * 0.25);
    EXPECT_EQ(ticks(), 0) << "more than ten seconds left";
    for (int i = 8; i <= 12; ++i) tickAt(1000 + i * 0.25);
    EXPECT_EQ(ticks(), 2) << "10 and 9 seconds left, once each";
    for (int i = 13; i <= 47; ++i) tickAt(1000 + i * 0.25);
    EXPECT_EQ(ticks(), 10);
    EXPECT_TRUE(g.fake.canvas.of(DrawOp::Text).empty());
    EXPECT_EQ(f.Turn, f.ManTurn);
    tickAt(1012);
    EXPECT_EQ(ticks(), 10);
    EXPECT_TRUE(said("先手の時間切れです\r後手の勝ちです"));
    EXPECT_EQ(f.Turn, 0);
}

TEST_F(Matches, ResigningWhileTheComputerThinksEndsTheGameThroughItsOwnDialogue) {
    f.onMenu(MenuItem::RESIGN);
    EXPECT_EQ(g.fake.status.shown.back(), "投了：対局中ではありません");
    EXPECT_TRUE(g.prompts().empty());

    thinkWithoutEnd(f);
    f.onMenu(MenuItem::SENTE);
    g.fake.clock.now += 5;
    move(f, 3, 7, 3, 6);
    ASSERT_TRUE(f.思考中());
    f.onMenu(MenuItem::RESIGN);
    EXPECT_FALSE(f.思考中()) << "the search is dropped";
    EXPECT_TRUE(said("あなたが投了しました\rｺﾝﾋﾟｭｰﾀの勝ちです"));
    EXPECT_EQ(lastPrompt(), "続けますか？");
    f.Searching->waitForWorker();
    g.fake.dispatcher.drain();
    EXPECT_EQ(f.Turn, 0);
    EXPECT_EQ(f.KifuCursor, 0) << "the search's answer is dropped";
    ASSERT_EQ(keptFiles(), std::vector<std::string>{"2026-12-08_2315_LEVEL4.棋譜"});
    const RecordFile r = readKept(keptFiles()[0]);
    EXPECT_EQ(r.moves.size(), 1u);
    EXPECT_EQ(r.header[0], "対局 2026-12-08 23:15（投了でｺﾝﾋﾟｭｰﾀの勝ち）");
    const GameEnd end = kept::endOfTitle(r.header[0]);
    EXPECT_EQ(end.how, Ending::Resigned);
    EXPECT_EQ(end.winner, 1);

    // Between two people the side to move resigns.
    f.START_Click();
    move(f, 3, 7, 3, 6);
    f.onMenu(MenuItem::RESIGN);
    EXPECT_TRUE(said("後手が投了しました\r先手の勝ちです"));
}

TEST_F(Matches, AnAdjournedGameIsKeptAndStaysOnTheBoardToBeSteppedOrPlayedOn) {
    timed(both(300, 30));
    f.START_Click();
    move(f, 3, 7, 3, 6);
    move(f, 7, 3, 7, 4);
    move(f, 2, 7, 2, 6);
    Map board;
    std::memcpy(board, f.Board, sizeof board);
    const std::size_t boxes = g.prompts().size();
    f.onMenu(MenuItem::ADJOURN);
    EXPECT_EQ(g.prompts().size(), boxes) << "no box: a line in the status";
    EXPECT_EQ(g.fake.status.shown.back(), "対局を中断しました（戻と進で手順を見られます）");
    EXPECT_FALSE(g.fake.timer.enabled);
    EXPECT_EQ(std::memcmp(board, f.Board, sizeof board), 0);
    EXPECT_EQ(f.KifuMode, 1);
    ASSERT_EQ(keptFiles(), std::vector<std::string>{"2026-12-08_2315_人間.棋譜"});
    const RecordFile r = readKept(keptFiles()[0]);
    EXPECT_EQ(r.moves.size(), 3u);
    EXPECT_EQ(r.header[0], "対局 2026-12-08 23:15［5分+30秒］（中断）");
    EXPECT_EQ(kept::endOfTitle(r.header[0]).how, Ending::Adjourned);

    // Stepped through, and played on from where it stands; nothing is kept a second time.
    f.REPLAY_Click();
    f.AFTER_Click();
    EXPECT_EQ(f.KifuCursor, 3);
    f.START_Click();
    EXPECT_EQ(f.KifuMode, 0);
    move(f, 8, 3, 8, 4);
    EXPECT_EQ(f.KifuCursor, 4);
    EXPECT_EQ(f.End.how, Ending::None);
    EXPECT_EQ(keptFiles().size(), 1u);

    // Ending the program keeps the game in play as adjourned, silently.
    const std::size_t before = g.prompts().size();
    f.Form_KeyDown(Form1::Key::Escape);
    EXPECT_EQ(g.prompts().size(), before);
    EXPECT_EQ(g.fake.window.quits, 1);
    ASSERT_EQ(keptFiles().size(), 2u);
    const RecordFile later = readKept(keptFiles()[1]);
    EXPECT_EQ(later.moves.size(), 4u);
    EXPECT_EQ(kept::endOfTitle(later.header[0]).how, Ending::Adjourned);
}

TEST_F(Matches, ThePromotionQuestionIsAskedOnlyWhereThePieceMayStayUnpromoted) {
    auto bishopTakesBishop = [&](Answer answer) {
        f.CANCEL_Click();
        f.START_Click();
        move(f, 3, 7, 3, 6);
        move(f, 7, 3, 7, 4);
        g.fake.dialogs.answers = {answer};
        move(f, 2, 8, 8, 2);
    };
    // Off, as the game was designed: a left click never promotes and asks nothing.
    bishopTakesBishop(Answer::Yes);
    EXPECT_EQ(f.Board[8][2], -800);
    EXPECT_NE(lastPrompt(), "成りますか？");

    match::MatchSettings s;
    s.askPromotion = true;
    chosen = s;
    f.onMenu(MenuItem::MATCH_SETTINGS);
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_TRUE(saved.back().askPromotion);
    bishopTakesBishop(Answer::Yes);
    EXPECT_EQ(g.fake.dialogs.shown.back().buttons, Buttons::Promotion);
    EXPECT_EQ(lastPrompt(), "成りますか？");
    EXPECT_EQ(f.Board[8][2], -801) << "成る";
    bishopTakesBishop(Answer::No);
    EXPECT_EQ(f.Board[8][2], -800) << "成らない";
    bishopTakesBishop(Answer::Cancel);
    EXPECT_EQ(f.Board[2][8], -800) << "neither: nothing moved";
    EXPECT_EQ(f.PickedUp, 1) << "the bishop is still held";
    click(f, 8, 2, kRight);
    EXPECT_EQ(f.Board[8][2], -801) << "the right click promotes, as ever";

    // Where the piece must promote it does, without a question or the refusal.
    f.CANCEL_Click();
    clearBoard(f);
    f.Board[5][9] = -950;
    f.Board[5][1] = 950;
    f.Board[1][2] = -10;
    f.START_Click();
    const std::size_t boxes = g.prompts().size();
    move(f, 1, 2, 1, 1);
    EXPECT_EQ(f.Board[1][1], -11);
    EXPECT_EQ(g.prompts().size(), boxes);
}

TEST_F(Matches, APersonWhoseLastRoyalPieceIsTrulyMatedIsToldSoBesideTheBoard) {
    // The lower king in the corner; the upper gold steps next to it, guarded by the lance or not.
    auto goldBesideTheKing = [&](bool guarded) {
        f.CANCEL_Click();
        clearBoard(f);
        f.Board[1][9] = -950;
        f.Board[9][7] = -10;
        f.Board[9][1] = 950;
        f.Board[1][7] = 110;
        if (guarded) f.Board[1][5] = 20;
        f.START_Click();
        move(f, 9, 7, 9, 6);
        EXPECT_TRUE(g.fake.status.shown.empty()) << "nothing to say after a quiet move";
        move(f, 1, 7, 1, 8);
    };
    goldBesideTheKing(true);
    ASSERT_EQ(g.fake.status.shown.size(), 1u);
    EXPECT_EQ(g.fake.status.shown.back(), match::kMateNotice);
    EXPECT_FALSE(said("先手の勝ちです")) << "no box: the game goes on until it is decided";
    EXPECT_EQ(f.Turn, f.ManTurn);

    // Unguarded, the gold can be taken: no mate.
    g.fake.status.shown.clear();
    goldBesideTheKing(false);
    EXPECT_TRUE(g.fake.status.shown.empty());
}
