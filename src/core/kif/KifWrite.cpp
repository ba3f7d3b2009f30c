// Writing a game as KIF.
#include "kif/Kif.h"

#include "kif/KifText.h"
#include "record/MoveTime.h"
#include "text/ShiftJis.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kelvore::kif {

using namespace piece;
using detail::kanjiCount;

namespace {

bool endsWithNoCase(std::string_view s, std::string_view tail) {
    if (s.size() < tail.size()) return false;
    const std::string_view end = s.substr(s.size() - tail.size());
    return std::equal(end.begin(), end.end(), tail.begin(), [](char a, char b) {
        return (a >= 'A' && a <= 'Z' ? a - 'A' + 'a' : a) == b;
    });
}

// A header value on one line: a line feed would end it and a carriage return at its end would
// be taken for the line's end, so those become blanks; a carriage return inside is kept, as a
// record's header line keeps it.
std::string oneLine(std::string_view s) {
    std::string r(s);
    std::replace(r.begin(), r.end(), '\n', ' ');
    if (!r.empty() && r.back() == '\r') r.back() = ' ';
    return r;
}

// The columns a text takes in a fixed-width font: every character beyond ASCII is full-width.
std::size_t columns(std::string_view utf8) {
    std::size_t n = 0;
    for (unsigned char c : utf8) {
        if (c < 0x80)
            n += 1;
        else if ((c & 0xC0) != 0x80)
            n += 2;
    }
    return n;
}

std::string handLine(std::string_view side, const int* hand) {
    std::string s = std::string(side) + "の持駒：";
    bool any = false;
    for (int slot = 7; slot >= 1; --slot) {
        if (hand[slot] <= 0) continue;
        s += notation::namesOf(kSlotKind[slot]).single;
        s += kanjiCount(hand[slot]);
        s += "　";
        any = true;
    }
    return any ? s : s + "なし";
}

void diagram(std::vector<std::string>& out, const engine::GameSnapshot& p) {
    out.push_back(handLine("後手", p.upperHand));
    out.push_back("  ９ ８ ７ ６ ５ ４ ３ ２ １");
    out.push_back("+---------------------------+");
    for (int y = 1; y <= 9; ++y) {
        std::string row = "|";
        for (int x = 1; x <= 9; ++x) {
            const int c = p.board[x][y];
            if (c == EMPTY) {
                row += " ・";
                continue;
            }
            row += c > 0 ? "v" : " ";
            row += notation::namesOf(c).single;
        }
        row += "|";
        row += notation::kKanjiNumerals[y];
        out.push_back(row);
    }
    out.push_back("+---------------------------+");
    out.push_back(handLine("先手", p.lowerHand));
}

} // namespace

std::optional<Encoding> encodingOfPath(std::string_view path) {
    if (endsWithNoCase(path, ".kifu")) return Encoding::Utf8;
    if (endsWithNoCase(path, ".kif")) return Encoding::ShiftJis;
    return std::nullopt;
}

int winnerByCapture(const GameRecord& game) {
    if (game.moves.empty()) return 0;
    const std::vector<engine::GameSnapshot> positions = positionsOf(game);
    if (positions.size() != game.moves.size() + 1) return 0;
    const engine::GameSnapshot& last = positions.back();
    bool royal[2] = {};
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int c = last.board[x][y];
            if (c == OU || c == KO) royal[1] = true;
            if (c == -OU || c == -KO) royal[0] = true;
        }
    if (!royal[0] && royal[1]) return 1;
    if (!royal[1] && royal[0]) return -1;
    return 0;
}

std::string writeKif(const KifGame& k, Encoding encoding) {
    const GameRecord& g = k.game;
    std::vector<std::string> out;
    out.push_back(encoding == Encoding::Utf8 ? "#KIF version=2.0 encoding=UTF-8"
                                             : "#KIF version=2.0 encoding=Shift_JIS");
    out.push_back("# ---- Kelvore " KELVORE_VERSION " 棋譜ファイル ----");
    if (!k.startedAt.empty()) out.push_back("開始日時：" + oneLine(k.startedAt));
    if (!g.title.empty()) out.push_back("棋戦：" + oneLine(g.title));
    for (const auto& [key, value] : k.otherHeaders)
        out.push_back(oneLine(key) + "：" + oneLine(value));
    out.push_back("手合割：その他");
    out.push_back("先手：" + oneLine(g.lowerPlayer));
    out.push_back("後手：" + oneLine(g.upperPlayer));
    diagram(out, g.start);
    if (g.start.sideToMove > 0) out.push_back("後手番");
    out.push_back("手数----指手---------消費時間--");
    // The comments after move `n`, one line each; a line break in one would end it early.
    auto comments = [&out, &k](std::size_t n) {
        if (n >= k.comments.size()) return;
        for (const std::string& c : k.comments[n]) out.push_back("*" + oneLine(c));
    };
    comments(0);

    std::vector<std::string> kept; // our record lines, after the end
    long long totals[2] = {};
    for (std::size_t i = 0; i < g.moves.size(); ++i) {
        const RecordMove& m = g.moves[i];
        const bool upper = m.MovedPiece > 0;
        const double before = upper ? m.ComTimeBefore : m.ManTimeBefore;
        const double after = upper ? m.ComTimeAfter : m.ManTimeAfter;
        const long long total = wholeSeconds(after);
        const long long seconds = std::min(moveSeconds(before, after), total);

        Pos previous;
        if (i > 0) previous = {g.moves[i - 1].ToX, g.moves[i - 1].ToY};
        const Move move = moveOf(m);
        std::string text = notation::moveText(move, previous, notation::Mark::None);
        const std::size_t width = columns(text);
        if (width < 12) text.append(12 - width, ' ');
        char number[32], time[96];
        std::snprintf(number, sizeof number, "%4zu ", i + 1);
        std::snprintf(time, sizeof time, " (%2lld:%02lld/%02lld:%02lld:%02lld)", seconds / 60,
                      seconds % 60, total / 3600, total / 60 % 60, total % 60);
        out.push_back(number + text + time);
        comments(i + 1);

        RecordMove fromKif = m;
        fromKif.FromY = move.fromY;
        detail::kifClocks(fromKif, seconds, total, totals);
        if (formatMoveLine(fromKif) != formatMoveLine(m))
            kept.push_back(std::string(detail::kRecordLineComment) + std::to_string(i + 1) + " " +
                           formatMoveLine(m));
    }
    // A game that ended beyond its moves says how in the move column, as KIF programs write
    // it: the side to move resigned, ran out of time, or the game was adjourned.
    const Ending how = g.end.how;
    const std::string played = std::to_string(g.moves.size());
    if (how != Ending::None) {
        char line[64];
        std::snprintf(line, sizeof line, "%4zu %s", g.moves.size() + 1,
                      how == Ending::Resigned ? "投了"
                      : how == Ending::TimeUp ? "切れ負け"
                                              : "中断");
        out.push_back(line);
    }
    const int winner = how != Ending::None ? g.end.winner
                       : k.winner != 0     ? k.winner
                                           : winnerByCapture(g);
    if (how == Ending::Adjourned)
        out.push_back("まで" + played + "手で中断");
    else if (winner != 0 && (!g.moves.empty() || how != Ending::None))
        out.push_back("まで" + played + "手で" + (how == Ending::TimeUp ? "時間切れにより" : "") +
                      (winner < 0 ? "先手" : "後手") + "の勝ち");
    out.insert(out.end(), kept.begin(), kept.end());

    std::string text;
    for (const std::string& line : out) text += line + "\r\n";
    return text;
}

std::optional<std::string> encodeKif(std::string_view text, Encoding encoding) {
    if (encoding == Encoding::Utf8) return std::string(text);
    return text::toShiftJis(text);
}

} // namespace kelvore::kif
