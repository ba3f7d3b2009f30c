#include "match/MatchSettings.h"

#include "platform/Translate.h"

#include <algorithm>
#include <charconv>

namespace kelvore::match {

namespace {

constexpr std::string_view kSideKeys[2][3] = {
    {"mainTimeSeconds", "byoyomiSeconds", "incrementSeconds"},
    {"upperMainTimeSeconds", "upperByoyomiSeconds", "upperIncrementSeconds"}};
constexpr int kMost[3] = {kMostMainSeconds, kMostByoyomiSeconds, kMostIncrementSeconds};

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// A whole number from `low` to `high`; nothing for anything else.
std::optional<int> number(const std::optional<std::string>& text, int low, int high) {
    if (!text) return std::nullopt;
    const std::string_view s = trimmed(*text);
    int v = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (error != std::errc() || end != s.data() + s.size() || v < low || v > high)
        return std::nullopt;
    return v;
}

Allotment allotment(const std::function<std::optional<std::string>(std::string_view)>& value,
                    int side) {
    int v[3] = {};
    for (int i = 0; i < 3; ++i) v[i] = number(value(kSideKeys[side][i]), 0, kMost[i]).value_or(0);
    if (v[1] > 0) v[2] = 0; // byoyomi or increment, not both
    return {v[0], v[1], v[2]};
}

} // namespace

MatchSettings
readSettings(const std::function<std::optional<std::string>(std::string_view)>& value) {
    MatchSettings s;
    s.time.lower = allotment(value, 0);
    bool upperOwn = false;
    for (std::string_view key : kSideKeys[1]) upperOwn = upperOwn || value(key).has_value();
    s.time.upper = upperOwn ? allotment(value, 1) : s.time.lower;
    if (const auto ask = value("askPromotion")) {
        const std::string_view a = trimmed(*ask);
        if (a == "true" || a == "false") s.askPromotion = a == "true";
    }
    s.level = number(value("level"), 1, 5).value_or(3);
    s.skill =
        number(value("skill"), engine::kSkillMin, engine::kSkillMax).value_or(engine::kSkillMax);
    return s;
}

std::vector<std::pair<std::string, std::string>> settingsKeys(const MatchSettings& s) {
    std::vector<std::pair<std::string, std::string>> keys;
    auto side = [&](int which, const Allotment& a) {
        const int v[3] = {a.mainSeconds, a.byoyomiSeconds, a.incrementSeconds};
        for (int i = 0; i < 3; ++i)
            keys.emplace_back(std::string(kSideKeys[which][i]), std::to_string(v[i]));
    };
    side(0, s.time.lower);
    if (s.time.upper != s.time.lower) side(1, s.time.upper);
    keys.emplace_back("askPromotion", s.askPromotion ? "true" : "false");
    keys.emplace_back("level", std::to_string(s.level));
    keys.emplace_back("skill", std::to_string(s.skill));
    return keys;
}

std::string strengthText(int level) {
    if (!translated()) return engine::strengthName(level);
    level = std::clamp(level, engine::kSkillMin, engine::kSkillMax);
    if (level < 15) return args(translate("Strength", "%1級"), {std::to_string(15 - level)});
    return args(translate("Strength", "%1段"), {std::to_string(level - 14)});
}

} // namespace kelvore::match
