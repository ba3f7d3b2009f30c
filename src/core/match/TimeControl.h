// Time controls of a match: each side has a main time, and after it either a byoyomi (秒読み),
// the seconds every move may take once the main time is spent, renewed at every move, or an
// increment (加算), added to the main time after every move. A side with none of the three has
// no limit. Plain data and arithmetic: the clocks that count down (MatchClocks) and the records
// use them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kelvore::match {

// The largest allotments the settings accept.
inline constexpr int kMostMainSeconds = 10 * 3600;
inline constexpr int kMostByoyomiSeconds = 600;
inline constexpr int kMostIncrementSeconds = 600;

struct Allotment {
    int mainSeconds = 0;
    int byoyomiSeconds = 0;
    int incrementSeconds = 0;
    bool timed() const { return mainSeconds > 0 || byoyomiSeconds > 0 || incrementSeconds > 0; }
    friend bool operator==(const Allotment&, const Allotment&) = default;
};

struct TimeControl {
    Allotment lower; // the side at the foot of the board: the human against the computer
    Allotment upper; // the computer's side, or the second person's
    bool timed() const { return lower.timed() || upper.timed(); }
    // The allotment of a side: -1 the lower side, +1 the upper side.
    const Allotment& of(int side) const { return side < 0 ? lower : upper; }
    friend bool operator==(const TimeControl&, const TimeControl&) = default;
};

// The main time a side has before its first move: its main time, or one increment when its
// main time is 0 (so that "0 + 加算10秒" plays on ten seconds a move and what it saves).
double startingMain(const Allotment& a);

// The main time left after a move that took `used` seconds: what the move did not spend of it
// (a move that ran into the byoyomi leaves none), then the increment added. The byoyomi is not
// spent: every move has the whole of it again.
double mainAfterMove(const Allotment& a, double mainLeft, double used);

// What the side may still spend on the move in hand after `elapsed` seconds of it: the main
// time left and the byoyomi. At 0 or below the side has lost on time.
double timeLeft(const Allotment& a, double mainLeft, double elapsed);

// The time control as KIF writes it after "持ち時間：": "10分+30秒" (byoyomi), "15分+加算10秒"
// (increment), "10分" (no more once it is spent: 切れ負け), and for sides with allotments of
// their own "先手10分+30秒／後手5分+30秒", a side without a limit written "なし".
std::string kifText(const TimeControl& control);

// Reads that text back (numbers in ASCII or full-width digits, 時間, 分 and 秒 in any
// combination); nothing when it is not one.
std::optional<TimeControl> parseKifText(std::string_view text);

} // namespace kelvore::match
