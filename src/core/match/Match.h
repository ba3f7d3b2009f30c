// The match room: our own commands of the 対局 menu and what a player sets for a match.
//
// 対局設定… opens the window's dialogue on the time control, the promotion question and the
// strength of LEVEL4 and LEVEL5 (shown beside the level on the board); the choice holds at once and
// is kept, as is the computer's level whenever it is chosen, and all of it comes back at the next
// start. 投了 ends the game in play as a loss of the side that resigns (the human against the
// computer, even while the computer thinks, whose search is then dropped; between two people the
// side to move), through the game's end-of-game dialogue. 中断 ends it without a result: the game
// is kept as adjourned and stays on the board in record mode, to be stepped through with 戻 and 進,
// or played on with 先手, 後手 or スタート.
//
// After every move, a person whose last royal piece is truly mated is told so in the status
// line. The clocks themselves are MatchClocks; how a game ended is Form1::End, which the kept
// games and KIF write.
#pragma once

#include "GameListener.h"
#include "match/MatchClocks.h"
#include "match/MatchSettings.h"
#include "platform/Translate.h"

#include <functional>
#include <optional>

namespace kelvore {
class Form1;
}

namespace kelvore::match {

// Said beside the board when the person to move has a last royal piece that every reply
// leaves to be taken.
inline constexpr const char* kMateNotice =
    KELVORE_TRANSLATE_NOOP("Match", "詰みです — 投了できます");

// What the window lends the room.
struct Outside {
    // Opens the dialogue on the settings; the settings chosen, or nothing when it was cancelled.
    std::function<std::optional<MatchSettings>(const MatchSettings&)> editSettings;
    // Keeps the settings for the next start (window.ini [match]).
    std::function<void(const MatchSettings&)> saveSettings;
};

class Match : private GameListener {
public:
    Match(Form1& form, Outside outside);
    ~Match() override;
    Match(const Match&) = delete;
    Match& operator=(const Match&) = delete;

    // The settings found at start-up, taken without keeping them again: the level with its
    // check mark, the time control, the question. Called once the game has started (its sound
    // library open).
    void restore(const MatchSettings& settings);
    // The settings chosen in the dialogue: they hold at once and are kept.
    void apply(const MatchSettings& settings);
    const MatchSettings& settings() const { return settings_; }
    MatchClocks& clocks() { return clocks_; }

    void openSettings(); // 対局設定…
    void resign();       // 投了
    void adjourn();      // 中断

private:
    // The level chosen in the menu is carried out by the game and remembered.
    bool guard(MenuItem item);
    void movePlayed() override;
    void take(const MatchSettings& settings);
    void save();
    // Refuses a command that needs a game in play; true when there is one.
    bool gameInPlay(std::string_view title);

    Form1& form_;
    Outside outside_;
    MatchSettings settings_;
    MatchClocks clocks_;
};

} // namespace kelvore::match
