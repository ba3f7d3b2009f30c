// What the KIF writer and reader share beyond the names of notation/PieceNames.h: counts in
// kanji, and how a move's clocks follow from its KIF time.
#pragma once

#include "notation/PieceNames.h"
#include "record/RecordFile.h"

#include <string>
#include <string_view>

namespace kelvore::kif::detail {

// 2 → "二", 10 → "十", 13 → "十三"; 1 and 0 give nothing (a single piece has no count).
inline std::string kanjiCount(int n) {
    using notation::kKanjiNumerals;
    if (n <= 1) return {};
    std::string s(kKanjiNumerals[n <= 10 ? n : 10]);
    if (n > 10) s += kKanjiNumerals[n - 10];
    return s;
}

// A move's clocks as a KIF line gives them: the mover's total after the move and the time the
// move took; the other side's total stays where it was. `totals` holds the running totals of
// the lower side [0] and the upper side [1] and is moved on.
inline void kifClocks(RecordMove& m, long long seconds, long long total, long long totals[2]) {
    const int mover = m.MovedPiece < 0 ? 0 : 1;
    const double before = static_cast<double>(total - seconds);
    const double after = static_cast<double>(total);
    const double other = static_cast<double>(totals[1 - mover]);
    if (mover == 0) {
        m.ManTimeBefore = before;
        m.ManTimeAfter = after;
        m.ComTimeBefore = m.ComTimeAfter = other;
    } else {
        m.ComTimeBefore = before;
        m.ComTimeAfter = after;
        m.ManTimeBefore = m.ManTimeAfter = other;
    }
    totals[mover] = total;
}

// The comment of ours that keeps a move's record line where the KIF line cannot.
inline constexpr std::string_view kRecordLineComment = "#記録 ";

} // namespace kelvore::kif::detail
