// Matches: clocks that count down on the fake clock (main time, the byoyomi renewed, the
// increment added, the loss at exactly zero, the computer's thinking charged to its clock),
// resigning, adjourning and ending the program, each kept with its end, the promotion question
// answered both ways, and the level found again at the next start.
#include "match/Match.h"
#include "computer/SearchingTurn.h"
#include "fakes/Clicks.h"
#include "fakes/Harness.h"
#include "fakes/Thinking.h"
#include "kept/GameKeeper.h"
#include "record/RecordFile.h"
#include "text/Files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
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

    Matches() {
        keeper.now = [] {
            std::tm t{};
            t.tm_year = 2026 - 1900;
            t.tm_mon = 11;
            t.tm_mday = 8;
            t.tm_hour = 23;
            t.tm_min = 15;
            return t;
        };
    }

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
    std::vector<std::string> keptFiles() const {
        std::vector<std::string> names;
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(keeper.folder(), ec))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    RecordFile readKept(const std::string& name) const {
        const text::ReadResult file = text::readFile(keeper.folder() + "/" + name, 1 << 20);
        EXPECT_TRUE(file.ok()) << name;
        return readRecord(file.bytes);
    }
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

    const match::MatchSettings some = from({{"level", "5"}, {"byoyomiSeconds", " 30 "}});
    EXPECT_EQ(some.level, 5);
    EXPECT_EQ(some.time, both(0, 30)) << "the upper side has no keys: it shares the allotment";
    EXPECT_FALSE(some.askPromotion);

    // Values that make no sense take their defaults, key by key; a byoyomi wins over an
    // increment.
    const match::MatchSettings bad = from({{"level", "9"},
                                           {"mainTimeSeconds", "-5"},
                                           {"byoyomiSeconds", "10"},
                                           {"incrementSeconds", "5"},
                                           {"askPromotion", "yes"},
                                           {"upperMainTimeSeconds", "999999"},
                                           {"upperIncrementSeconds", "7"}});
    EXPECT_EQ(bad.level, 3);
    EXPECT_FALSE(bad.askPromotion);
    EXPECT_EQ(bad.time.lower, (match::Allotment{0, 10, 0}));
    EXPECT_EQ(bad.time.upper, (match::Allotment{0, 0, 7}));

    // What is written reads back the same, the upper side's keys only when they differ.
    match::MatchSettings s;
    s.time = both(600, 30);
    s.askPromotion = true;
    s.level = 4;
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
    g.fake.clock.now = 1000;
    f.START_Click();
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
}

TEST_F(Matches, TimeRunsOutAtExactlyZeroAndTheSideLosesAtOnce) {
    timed(both(0, 10));
    g.fake.clock.now = 1000;
    f.START_Click();
    g.fake.clock.now = 1005;
    move(f, 3, 7, 3, 6);
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
    ASSERT_EQ(keptFiles(), std::vector<std::string>{"2026-12-08_2315_人間.棋譜"});
    const RecordFile r = readKept(keptFiles()[0]);
    EXPECT_EQ(r.moves.size(), 2u);
    EXPECT_EQ(r.header[0], "対局 2026-12-08 23:15［0分+10秒］（時間切れで後手の勝ち）");
    const GameEnd end = kept::endOfTitle(r.header[0]);
    EXPECT_EQ(end.how, Ending::TimeUp);
    EXPECT_EQ(end.winner, 1);
}

TEST_F(Matches, AMoveMadeAfterTheFlagFellIsNotPlayed) {
    timed(both(0, 10));
    g.fake.clock.now = 1000;
    f.START_Click();
    g.fake.clock.now = 1005;
    move(f, 3, 7, 3, 6);
    // No tick came between the clock running out and the click: the move is judged at the
    // moment it is made.
    g.fake.clock.now = 1015;
    move(f, 7, 3, 7, 4);
    EXPECT_EQ(f.Turn, 0) << "はい: a new game";
    EXPECT_TRUE(said("後手の時間切れです\r先手の勝ちです"));
    ASSERT_EQ(keptFiles(), std::vector<std::string>{"2026-12-08_2315_人間.棋譜"});
    const RecordFile r = readKept(keptFiles()[0]);
    EXPECT_EQ(r.moves.size(), 1u) << "the late move is not in the record";
    EXPECT_EQ(kept::endOfTitle(r.header[0]).winner, -1);
}
