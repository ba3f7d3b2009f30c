// What the KIF writer and reader share: the one-character names of the diagram, counts in
// kanji, and how a move's clocks follow from its KIF time.
#pragma once

#include "record/RecordFile.h"
#include "rules/Pieces.h"

#include <string>
#include <string_view>

namespace kelvore::kif::detail {

// The diagram's name of a piece code of either sign: 歩 香 桂 銀 金 角 飛 玉 と 杏 圭 全 馬 龍
// 象 太; empty for a code that is no piece.
inline std::string_view diagramName(int code) {
    using namespace piece;
    switch (code < 0 ? -code : code) {
    case HU: return "歩";
    case TO: return "と";
    case KYOU: return "香";
    case NKYOU: return "杏";
    case KEI: return "桂";
    case NKEI: return "圭";
    case GIN: return "銀";
    case NGIN: return "全";
    case KIN: return "金";
    case KAKU: return "角";
    case UMA: return "馬";
    case SYA: return "飛";
    case RYU: return "龍";
    case ZOU: return "象";
    case KO: return "太";
    case OU: return "玉";
    default: return "";
    }
}

inline constexpr std::string_view kKanjiDigits[11] = {"",   "一", "二", "三", "四", "五",
                                                      "六", "七", "八", "九", "十"};

// 2 → "二", 10 → "十", 13 → "十三"; 1 and 0 give nothing (a single piece has no count).
inline std::string kanjiCount(int n) {
    if (n <= 1) return {};
    if (n <= 10) return std::string(kKanjiDigits[n]);
    return "十" + std::string(kKanjiDigits[n - 10]);
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
