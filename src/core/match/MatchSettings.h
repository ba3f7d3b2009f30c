// What a player sets for their matches and finds again at the next start: the time control, the
// promotion question and the computer's level. The window keeps them in the [match] group of
// its own window.ini (never in the game's settings file); these functions turn them into keys
// and back, so that a file written by hand, with only some keys or with values that make no
// sense, still gives settings (a key missing or wrong takes its default).
//
// The keys: mainTimeSeconds, byoyomiSeconds, incrementSeconds (both sides, or the lower side
// when the upper side has its own), upperMainTimeSeconds, upperByoyomiSeconds,
// upperIncrementSeconds (written only when the upper side's allotment differs), askPromotion
// (true or false), level (1 to 5) and skill (the strength of levels 4 and 5, SkillLevel 0 to
// 20; full strength when missing). An allotment with both a byoyomi and an increment keeps
// the byoyomi.
#pragma once

#include "engine/Skill.h"
#include "match/TimeControl.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kelvore::match {

struct MatchSettings {
    TimeControl time;          // no time control: the clocks count up
    bool askPromotion = false; // off: the mouse button decides, as the game was designed
    int level = 3;
    int skill = engine::kSkillMax; // the strength of LEVEL4 and LEVEL5
    friend bool operator==(const MatchSettings&, const MatchSettings&) = default;
};

// The name of the group in window.ini.
inline constexpr std::string_view kGroup = "match";

// Reads the settings: `value` gives the text of a key of the group, or nothing when the key is
// not there.
MatchSettings
readSettings(const std::function<std::optional<std::string>(std::string_view)>& value);

// Every key and its text, in the order they are written.
std::vector<std::pair<std::string, std::string>> settingsKeys(const MatchSettings& settings);

// The strength of a level as the player reads it in the chosen language: engine::strengthName's
// "15級" … "六段" in Japanese, "15 kyu" … "6 dan" in English. Records keep strengthName.
std::string strengthText(int level);

} // namespace kelvore::match
