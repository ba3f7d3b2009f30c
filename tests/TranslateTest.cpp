// The one gate of the game's texts: nothing changes without a translator, and with one every
// part of a text made of parts is translated and put in its place.
#include "platform/Translate.h"
#include "fakes/Harness.h"
#include "match/Match.h"

#include <gtest/gtest.h>

#include <map>

using namespace kelvore;

namespace {

// A translator that knows a few texts and marks what it does not know, so that a text that
// slipped past the gate shows.
class Dictionary : public Translator {
public:
    std::map<std::pair<std::string, std::string>, std::string> words;
    std::string translate(const char* context, const char* source) const override {
        const auto it = words.find({context, source});
        return it == words.end() ? std::string("?") + source : it->second;
    }
};

// Installed for one test only: the other tests see the game's own texts.
struct Installed {
    explicit Installed(const Translator& t) { setTranslator(&t); }
    ~Installed() { setTranslator(nullptr); }
};

} // namespace

TEST(Translate, PartsKeepTheirPlacesAndUnknownPlacesStay) {
    EXPECT_EQ(args("%1の勝ちです", {"先手"}), "先手の勝ちです");
    EXPECT_EQ(args("%2 after %1, %2 again", {"a", "b"}), "b after a, b again");
    // A place without a value, a lone % and %0 are text.
    EXPECT_EQ(args("%3 %1 100% %0", {"x"}), "%3 x 100% %0");
    EXPECT_EQ(args("", {"x"}), "");
}

TEST(Translate, WithoutATranslatorTheGamesTextsAreItsOwn) {
    ASSERT_FALSE(translated());
    EXPECT_EQ(translate("Game", "先手の番です"), "先手の番です");
    test::Game g;
    g.form.Form_MouseDown(1, 0, 3000, 3000); // a click on the board before any game
    ASSERT_FALSE(g.prompts().empty());
    EXPECT_EQ(g.fake.dialogs.shown.back().prompt, "「対局」で始めて下さい");
    EXPECT_EQ(g.fake.dialogs.shown.back().title, "開始");
}

// A game of two people that ends by resignation: the box says who resigned and who won, each
// name and each sentence translated, in the translation's order.
TEST(Translate, TheGamesBoxesPassTheTranslator) {
    Dictionary d;
    d.words[{"Game", "「対局」で始めて下さい"}] = "Start a game";
    d.words[{"Game", "開始"}] = "Start";
    d.words[{"Game", "後手"}] = "Gote";
    d.words[{"Game", "先手"}] = "Sente";
    d.words[{"Game", "%1の勝ちです"}] = "%1 won";
    d.words[{"Match", "%1が投了しました"}] = "%1 resigned";
    d.words[{"Game", "終了"}] = "Game over";
    const Installed installed(d);
    EXPECT_TRUE(translated());

    test::Game g;
    g.form.Form_MouseDown(1, 0, 3000, 3000);
    EXPECT_EQ(g.fake.dialogs.shown.back().prompt, "Start a game");
    EXPECT_EQ(g.fake.dialogs.shown.back().title, "Start");

    match::Match room{g.form,
                      {[](const match::MatchSettings&) { return std::nullopt; },
                       [](const match::MatchSettings&) {}}};
    g.form.onMenu(MenuItem::START);
    g.fake.dialogs.shown.clear();
    g.form.onMenu(MenuItem::RESIGN); // sente, to move, resigns
    ASSERT_GE(g.fake.dialogs.shown.size(), 2u);
    EXPECT_EQ(g.fake.dialogs.shown[0].prompt, "Sente resigned\rGote won");
    EXPECT_EQ(g.fake.dialogs.shown[0].title, "Game over");
    // What the dictionary does not know comes through marked: it did pass the gate.
    EXPECT_EQ(g.fake.dialogs.shown[1].prompt, "?続けますか？");
}
