#include "match/TimeControl.h"

#include "notation/PieceNames.h"

#include <algorithm>

namespace kelvore::match {

namespace {

// "10分", "1分30秒", "45秒", "0分".
std::string durationText(int seconds) {
    const int m = seconds / 60, s = seconds % 60;
    if (s == 0) return std::to_string(m) + "分";
    if (m == 0) return std::to_string(s) + "秒";
    return std::to_string(m) + "分" + std::to_string(s) + "秒";
}

std::string allotmentText(const Allotment& a) {
    if (!a.timed()) return "なし";
    std::string s = durationText(a.mainSeconds);
    if (a.byoyomiSeconds > 0) s += "+" + std::to_string(a.byoyomiSeconds) + "秒";
    if (a.incrementSeconds > 0) s += "+加算" + std::to_string(a.incrementSeconds) + "秒";
    return s;
}

bool eat(std::string_view& s, std::string_view token) {
    if (s.substr(0, token.size()) != token) return false;
    s.remove_prefix(token.size());
    return true;
}

// Numbers with their units, "1時間30分", "10分", "30秒": the seconds, or -1.
long long eatDuration(std::string_view& s) {
    long long total = 0;
    bool any = false;
    for (;;) {
        long long n = 0;
        int digits = 0;
        for (int d; (d = notation::readDigit(s)) >= 0;) {
            n = n * 10 + d;
            if (++digits > 6) return -1;
        }
        if (digits == 0) return any ? total : -1;
        if (eat(s, "時間"))
            total += n * 3600;
        else if (eat(s, "分"))
            total += n * 60;
        else if (eat(s, "秒"))
            total += n;
        else
            return -1;
        any = true;
    }
}

std::optional<Allotment> parseAllotment(std::string_view s) {
    if (s == "なし") return Allotment{};
    Allotment a;
    const long long main = eatDuration(s);
    if (main < 0 || main > kMostMainSeconds) return std::nullopt;
    a.mainSeconds = static_cast<int>(main);
    while (eat(s, "+") || eat(s, "＋")) {
        const bool increment = eat(s, "加算");
        const long long v = eatDuration(s);
        if (v < 0) return std::nullopt;
        if (increment) {
            if (v > kMostIncrementSeconds || a.incrementSeconds > 0) return std::nullopt;
            a.incrementSeconds = static_cast<int>(v);
        } else {
            if (v > kMostByoyomiSeconds || a.byoyomiSeconds > 0) return std::nullopt;
            a.byoyomiSeconds = static_cast<int>(v);
        }
    }
    if (!s.empty()) return std::nullopt;
    return a;
}

} // namespace

double startingMain(const Allotment& a) {
    return a.mainSeconds > 0 ? a.mainSeconds : a.incrementSeconds;
}

double mainAfterMove(const Allotment& a, double mainLeft, double used) {
    return std::max(0.0, mainLeft - std::max(0.0, used)) + a.incrementSeconds;
}

double timeLeft(const Allotment& a, double mainLeft, double elapsed) {
    return mainLeft + a.byoyomiSeconds - elapsed;
}

std::string kifText(const TimeControl& c) {
    if (c.lower == c.upper) return allotmentText(c.lower);
    return "先手" + allotmentText(c.lower) + "／後手" + allotmentText(c.upper);
}

std::optional<TimeControl> parseKifText(std::string_view text) {
    TimeControl c;
    std::string_view s = text;
    if (eat(s, "先手")) {
        const std::size_t slash = s.find("／");
        if (slash == std::string_view::npos) return std::nullopt;
        std::string_view second = s.substr(slash + std::string_view("／").size());
        if (!eat(second, "後手")) return std::nullopt;
        const auto lower = parseAllotment(s.substr(0, slash));
        const auto upper = parseAllotment(second);
        if (!lower || !upper) return std::nullopt;
        c.lower = *lower;
        c.upper = *upper;
        return c;
    }
    const auto both = parseAllotment(s);
    if (!both) return std::nullopt;
    c.lower = c.upper = *both;
    return c;
}

} // namespace kelvore::match
