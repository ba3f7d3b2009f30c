// Reading KIF files: ours and hand-written ones of the same form.
#include "kif/Kif.h"
#include "platform/Translate.h"

#include "kif/KifText.h"
#include "kif/PositionCheck.h"
#include "notation/PieceNames.h"
#include "record/RecordJudge.h"
#include "text/ShiftJis.h"
#include "text/Utf8.h"

#include <array>
#include <memory>

namespace kelvore::kif {

using namespace piece;

namespace {

// ---------------------------------------------------------------- text

using text::isValidUtf8;
using text::utf8Length;

// A file that has begun no diagram within its first so many lines is refused there: it is no
// file of this game, and a file of blank lines is not read to its end.
constexpr int kLinesBeforeDiagram = 500;

// The offset of the first byte of `s` that starts no valid UTF-8 character; npos when none.
std::size_t firstInvalidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        if (static_cast<unsigned char>(s[i]) < 0x80) {
            ++i;
            continue;
        }
        const std::size_t len = utf8Length(s.substr(i));
        if (len == 0) return i;
        i += len;
    }
    return std::string_view::npos;
}

bool hasNonAscii(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) return true;
    return false;
}

// Takes `token` off the front of `s` when it is there.
bool eat(std::string_view& s, std::string_view token) {
    if (s.substr(0, token.size()) != token) return false;
    s.remove_prefix(token.size());
    return true;
}

void skipBlanks(std::string_view& s) {
    while (eat(s, " ") || eat(s, "\t") || eat(s, "　")) {}
}

std::string_view trimmed(std::string_view s) {
    skipBlanks(s);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    while (s.size() >= 3 && s.substr(s.size() - 3) == "　") s.remove_suffix(3);
    return s;
}

using notation::readDigit;

// A rank written in kanji (一..九) or as a digit; 0 when there is none.
int eatRank(std::string_view& s) {
    for (int r = 1; r <= 9; ++r)
        if (eat(s, notation::kKanjiNumerals[r])) return r;
    const int d = readDigit(s);
    return d >= 1 ? d : 0;
}

// A count in kanji (一..十八) or digits; `none` when nothing is written.
int eatCount(std::string_view& s, int none) {
    int n = 0;
    bool any = false;
    if (eat(s, notation::kKanjiNumerals[10])) {
        n = 10;
        any = true;
    }
    for (int d = 9; d >= 1; --d)
        if (eat(s, notation::kKanjiNumerals[d])) {
            n += d;
            return n;
        }
    if (any) return n;
    for (int d; (d = readDigit(s)) >= 0;) {
        n = n * 10 + d;
        any = true;
        if (n > 1000) break;
    }
    return any ? n : none;
}

// A non-negative number in ASCII digits; -1 when there is none.
long long eatNumber(std::string_view& s) {
    long long n = -1;
    while (!s.empty() && s[0] >= '0' && s[0] <= '9') {
        n = (n < 0 ? 0 : n) * 10 + (s[0] - '0');
        s.remove_prefix(1);
        if (n > 1'000'000'000LL) return -1;
    }
    return n;
}

// The first characters of a line, for a message.
std::string shortened(std::string_view line) {
    constexpr int kMost = 40;
    std::size_t i = 0;
    for (int n = 0; i < line.size() && n < kMost; ++n) {
        const std::size_t len = utf8Length(line.substr(i));
        i += len == 0 ? 1 : len;
    }
    std::string s(line.substr(0, i));
    if (i < line.size()) s += "…";
    return s;
}

bool mayDrop(int kind) {
    return handSlot(kind) != 0 && kind == kSlotKind[handSlot(kind)];
}

// The words that end the moves in the move column, and who wins by each: the side to move
// loses by resigning, being mated, running out of time or a foul; wins by a foul of the other
// side or by declaring.
struct EndWord {
    std::string_view word;
    int winnerIsMover; // 1 the side to move wins, -1 it loses, 0 no one wins
};
constexpr EndWord kEndings[] = {
    {"投了", -1},   {"詰み", -1},    {"切れ負け", -1}, {"時間切れ", -1}, {"反則負け", -1},
    {"不戦敗", -1}, {"反則勝ち", 1}, {"入玉勝ち", 1},  {"宣言勝ち", 1},  {"不戦勝", 1},
    {"中断", 0},    {"千日手", 0},   {"持将棋", 0}};

// The ends of ours among them: a resignation, a loss on time, an adjournment.
Ending endingOf(std::string_view word) {
    if (word == "投了") return Ending::Resigned;
    if (word == "切れ負け" || word == "時間切れ") return Ending::TimeUp;
    if (word == "中断") return Ending::Adjourned;
    return Ending::None;
}

// ---------------------------------------------------------------- the reader

struct Fault {
    std::string why;
};

// A fault of the diagram's row `y`: "局面図の五段目が" and what is wrong with it.
Fault rowFault(int y, std::string_view what) {
    // The rank as Japanese writes it (a kanji numeral), or in digits for another language.
    const std::string rank =
        translated() ? std::to_string(y) : std::string(notation::kKanjiNumerals[y]);
    return Fault{args(translate("Kif", "局面図の%1段目が%2"), {rank, what})};
}

class Reader {
public:
    Reader() { start_.sideToMove = -1; } // 先手 moves first unless the file says 後手番
    // Reads one decoded line; a Fault says why it cannot be read.
    void line(int number, std::string_view text);
    // Called after the first kLinesBeforeDiagram lines: a file that has begun no diagram by
    // then is refused there, whatever follows.
    void endOfLeadingLines();
    KifGame finish(int lastLine);

    int faultLine = 0;

private:
    enum class Phase { Header, Diagram, Moves, Ended, Variations };

    void headerLine(std::string_view key, std::string_view value);
    void diagramRow(std::string_view text);
    void hands(std::string_view value, int* hand);
    void begin(bool atAMove);
    [[noreturn]] void refuseWithoutDiagram(bool atAMove, std::string_view nothingAtAll);
    void move(std::string_view text);
    RecordMove resolve(std::string_view& text);

    Phase phase_ = Phase::Header;
    int number_ = 0; // the line being read
    KifGame result_;
    engine::GameSnapshot start_;
    bool diagram_ = false;
    int diagramLine_ = 0, rows_ = 0, handicapLine_ = 0;
    std::string handicap_;
    std::string title_, subject_; // 棋戦, 表題
    int firstNumber_ = 1;         // the number of the first move (手数＝N adds to it)
    std::unique_ptr<RecordJudge> judge_;
    int side_ = -1; // the side to move next
    Pos previousTo_;
    long long totals_[2] = {};
    std::vector<std::pair<int, std::string>> recordLines_; // #記録 lines: move number, line
};

void Reader::line(int number, std::string_view text) {
    number_ = number;
    faultLine = number;
    std::string_view t = trimmed(text);
    if (phase_ == Phase::Diagram) {
        if (!t.empty() && t[0] == '|') return diagramRow(t);
        if (t.find_first_not_of("+-") == std::string_view::npos && t.size() > 2) {
            if (rows_ != 9) throw Fault{translate("Kif", "局面図の段が足りません")};
            phase_ = Phase::Header;
            return;
        }
        throw Fault{translate("Kif", "局面図が途中で切れています")};
    }
    if (t.empty()) return;
    if (t[0] == '#') {
        std::string_view rest = t;
        if (eat(rest, detail::kRecordLineComment)) {
            const long long n = eatNumber(rest);
            // The record line keeps its leading blanks: only the one separating blank goes.
            if (n > 0 && !rest.empty() && rest[0] == ' ')
                recordLines_.emplace_back(static_cast<int>(n), std::string(rest.substr(1)));
        }
        return;
    }
    if (t[0] == '*' && phase_ != Phase::Variations) {
        auto& comments = result_.comments;
        const std::size_t after = result_.game.moves.size();
        if (comments.size() <= after) comments.resize(after + 1);
        comments[after].emplace_back(t.substr(1));
        return;
    }
    if (t[0] == '*' || t[0] == '&') return;
    if (phase_ == Phase::Variations) return;
    if (t.find_first_not_of("+-") == std::string_view::npos && t.size() > 2) {
        if (phase_ != Phase::Header) throw Fault{translate("Kif", "指し手の後に局面図があります")};
        if (diagram_) throw Fault{translate("Kif", "局面図が二つあります")};
        diagram_ = true;
        diagramLine_ = number;
        phase_ = Phase::Diagram;
        return;
    }
    if (t[0] == '|') throw Fault{translate("Kif", "局面図の枠がありません")};
    if (t.substr(0, 3) == "９" && t.substr(t.size() - 3) == "１") return; // the files' numbers
    if (t[0] >= '0' && t[0] <= '9') return move(t);
    if (t.substr(0, 6) == "変化") {
        phase_ = Phase::Variations;
        return;
    }
    if (eat(t, "まで")) {
        const std::size_t won = t.find("の勝ち");
        if (won != std::string_view::npos) {
            const std::string_view who = t.substr(0, won);
            auto endsWith = [who](std::string_view s) {
                return who.size() >= s.size() && who.substr(who.size() - s.size()) == s;
            };
            if (endsWith("先手") || endsWith("下手")) result_.winner = -1;
            if (endsWith("後手") || endsWith("上手")) result_.winner = 1;
            // The end line names the winner also where the side that resigned was not the
            // side to move (a player resigning while the other thinks).
            if (result_.game.end.how == Ending::Resigned || result_.game.end.how == Ending::TimeUp)
                result_.game.end.winner = result_.winner;
        }
        // "まで30手で中断" alone, without its line in the move column.
        if (t.find("中断") != std::string_view::npos && result_.game.end.how == Ending::None)
            result_.game.end = {Ending::Adjourned, 0, static_cast<int>(result_.game.moves.size())};
        if (phase_ == Phase::Moves) phase_ = Phase::Ended;
        return;
    }
    if (t == "先手番" || t == "下手番" || t == "後手番" || t == "上手番") {
        if (phase_ != Phase::Header)
            throw Fault{translate("Kif", "指し手の後に手番の行があります")};
        start_.sideToMove = t == "先手番" || t == "下手番" ? -1 : 1;
        return;
    }
    if (t.substr(0, 6) == "手数") {
        std::string_view rest = t.substr(6);
        if (eat(rest, "＝") || eat(rest, "=")) {
            skipBlanks(rest);
            const long long n = eatNumber(rest);
            if (n < 0 || n > 100000) throw Fault{translate("Kif", "手数が読めません")};
            if (phase_ != Phase::Header)
                throw Fault{translate("Kif", "指し手の後に手数の行があります")};
            firstNumber_ = static_cast<int>(n) + 1;
        }
        return; // also the heading of the move column, "手数----指手----消費時間--"
    }
    // A header line: the value is kept as written, blanks and all.
    std::size_t colon = t.find("：");
    std::size_t width = 3;
    if (colon == std::string_view::npos) {
        colon = t.find(':');
        width = 1;
    }
    if (colon == std::string_view::npos || colon == 0)
        throw Fault{translate("Kif", "読めない行です")};
    const std::size_t inText = static_cast<std::size_t>(t.data() - text.data()) + colon;
    headerLine(trimmed(t.substr(0, colon)), text.substr(inText + width));
}

void Reader::headerLine(std::string_view key, std::string_view value) {
    auto handKey = [&](std::string_view side) { return key == std::string(side) + "の持駒"; };
    if (handKey("先手") || handKey("下手") || handKey("後手") || handKey("上手")) {
        if (phase_ != Phase::Header)
            throw Fault{translate("Kif", "指し手の後に持駒の行があります")};
        hands(trimmed(value),
              handKey("先手") || handKey("下手") ? start_.lowerHand : start_.upperHand);
        return;
    }
    const std::string v(value);
    if (key == "先手" || key == "下手")
        result_.game.lowerPlayer = v;
    else if (key == "後手" || key == "上手")
        result_.game.upperPlayer = v;
    else if (key == "棋戦")
        title_ = v;
    else if (key == "表題")
        subject_ = v;
    else if (key == "開始日時")
        result_.startedAt = std::string(trimmed(value));
    else if (key == "手合割") {
        handicap_ = std::string(trimmed(value));
        handicapLine_ = number_;
    } else
        result_.otherHeaders.emplace_back(std::string(key), v);
}

void Reader::hands(std::string_view value, int* hand) {
    for (int slot = 0; slot < 8; ++slot) hand[slot] = 0;
    if (value.empty() || value == "なし") return;
    while (!value.empty()) {
        const std::size_t len = utf8Length(value);
        const std::string_view name = value.substr(0, len == 0 ? 1 : len);
        const int kind = notation::kindOfCharacter(name);
        if (kind == 0 || !mayDrop(kind))
            throw Fault{translate("Kif", "持駒に持てない駒があります")};
        value.remove_prefix(name.size());
        const int count = eatCount(value, 1);
        if (count < 1 || count > 18) throw Fault{translate("Kif", "持駒の数が読めません")};
        hand[handSlot(kind)] += count;
        if (hand[handSlot(kind)] > 18) throw Fault{translate("Kif", "持駒の数が多すぎます")};
        skipBlanks(value);
        eat(value, "、");
        skipBlanks(value);
    }
}

void Reader::diagramRow(std::string_view t) {
    if (rows_ == 9) throw Fault{translate("Kif", "局面図の段が多すぎます")};
    const int y = ++rows_;
    std::string_view s = t.substr(1);
    for (int x = 1; x <= 9; ++x) {
        if (s.empty()) throw rowFault(y, translate("Kif", "途中で切れています"));
        const char mark = s[0];
        if (mark != ' ' && mark != 'v' && mark != 'V' && mark != '^')
            throw rowFault(y, translate("Kif", "読めません"));
        s.remove_prefix(1);
        const std::size_t len = s.empty() ? 0 : utf8Length(s);
        if (len == 0) throw rowFault(y, translate("Kif", "途中で切れています"));
        const std::string_view name = s.substr(0, len);
        s.remove_prefix(len);
        if (name == "・") {
            start_.board[x][y] = EMPTY;
            continue;
        }
        const int kind = notation::kindOfCharacter(name);
        if (kind == 0)
            throw Fault{args(translate("Kif", "局面図に知らない駒があります（%1）"), {name})};
        const int code = mark == ' ' ? -kind : kind;
        if (stranded(code, y))
            throw Fault{args(translate("Kif", "行き所のない駒があります（%1%2）"),
                             {notation::squareText(x, y), notation::pieceName(code)})};
        start_.board[x][y] = code;
    }
    if (!eat(s, "|")) throw rowFault(y, translate("Kif", "途中で切れています"));
}

// The start is known once the first move comes (or the file ends): the diagram, the hands and
// the side to move. A file without a diagram is a record of standard shogi.
void Reader::begin(bool atAMove) {
    if (judge_) return;
    if (!diagram_) refuseWithoutDiagram(atAMove, translate("Kif", "局面図も指し手もありません"));
    if (const std::string why = positionError(start_); !why.empty()) {
        faultLine = diagramLine_;
        throw Fault{args(translate("Kif", "局面図がこのゲームの局面ではありません（%1）"), {why})};
    }
    result_.game.start = start_;
    side_ = start_.sideToMove;
    judge_ = std::make_unique<RecordJudge>(start_);
}

// A file without a diagram: a record of standard shogi, as its 手合割 says or its first move
// shows, or with neither, no game at all (`nothingAtAll` says so, of the whole file).
void Reader::refuseWithoutDiagram(bool atAMove, std::string_view nothingAtAll) {
    faultLine = handicapLine_ != 0 ? handicapLine_ : faultLine;
    if (handicap_.empty() && !atAMove) {
        faultLine = 0;
        throw Fault{std::string(nothingAtAll)};
    }
    if (handicap_.empty() || handicap_ == "平手")
        throw Fault{translate(
            "Kif", "酔象のない本将棋（手合割：平手）の棋譜です。局面図がないため読めません")};
    if (handicap_ == "その他")
        throw Fault{translate("Kif", "手合割が「その他」なのに局面図がありません")};
    throw Fault{args(translate("Kif", "酔象のない本将棋の駒落ち（手合割：%1）の棋譜です。"
                                      "局面図がないため読めません"),
                     {handicap_})};
}

void Reader::endOfLeadingLines() {
    if (!diagram_)
        refuseWithoutDiagram(false, args(translate("Kif", "始めの%1行に局面図も指し手もありません"),
                                         {std::to_string(kLinesBeforeDiagram)}));
}

void Reader::move(std::string_view t) {
    if (phase_ == Phase::Ended) throw Fault{translate("Kif", "終局の後に指し手があります")};
    const int saved = faultLine;
    begin(true);
    faultLine = saved;
    phase_ = Phase::Moves;
    const long long n = eatNumber(t);
    const std::size_t expected = firstNumber_ + result_.game.moves.size();
    if (n != static_cast<long long>(expected))
        throw Fault{args(translate("Kif", "手数が順に並んでいません（%1手目のはずです）"),
                         {std::to_string(expected)})};
    if (t.empty()) throw Fault{translate("Kif", "指し手がありません")};
    skipBlanks(t);
    std::string_view word = t;
    if (!eat(word, "▲") && !eat(word, "△") && !eat(word, "☗")) eat(word, "☖");
    for (const EndWord& e : kEndings)
        if (word.substr(0, e.word.size()) == e.word) {
            if (e.winnerIsMover != 0 && result_.winner == 0)
                result_.winner = e.winnerIsMover * side_;
            if (const Ending how = endingOf(e.word); how != Ending::None)
                result_.game.end = {how, e.winnerIsMover * side_,
                                    static_cast<int>(result_.game.moves.size())};
            phase_ = Phase::Ended;
            return;
        }
    RecordMove m = resolve(t);

    // The time: "( 0:16/00:00:16)", the total left out or the whole time left out.
    long long seconds = 0, total = -1;
    skipBlanks(t);
    if (eat(t, "(") || eat(t, "（")) {
        skipBlanks(t);
        const long long minutes = eatNumber(t);
        if (minutes < 0 || !eat(t, ":")) throw Fault{translate("Kif", "消費時間が読めません")};
        const long long secs = eatNumber(t);
        if (secs < 0) throw Fault{translate("Kif", "消費時間が読めません")};
        seconds = minutes * 60 + secs;
        skipBlanks(t);
        if (eat(t, "/")) {
            skipBlanks(t);
            if (!t.empty() && t[0] >= '0' && t[0] <= '9') {
                const long long h = eatNumber(t);
                long long mm = -1, ss = -1;
                if (eat(t, ":")) mm = eatNumber(t);
                if (eat(t, ":")) ss = eatNumber(t);
                if (h < 0 || mm < 0 || ss < 0)
                    throw Fault{translate("Kif", "消費時間の合計が読めません")};
                total = h * 3600 + mm * 60 + ss;
            }
        }
        skipBlanks(t);
        if (!eat(t, ")") && !eat(t, "）"))
            throw Fault{translate("Kif", "消費時間が途中で切れています")};
    }
    skipBlanks(t);
    eat(t, "+"); // a move with variations
    skipBlanks(t);
    if (!t.empty()) throw Fault{translate("Kif", "指し手の後に読めない文字があります")};
    const int mover = side_ < 0 ? 0 : 1;
    if (total < 0) total = totals_[mover] + seconds;
    if (seconds > total) throw Fault{translate("Kif", "消費時間が合計より長くなっています")};
    detail::kifClocks(m, seconds, total, totals_);

    if (const std::string why = judge_->play(m); !why.empty()) throw Fault{why};
    result_.game.moves.push_back(m);
    previousTo_ = {m.ToX, m.ToY};
    side_ = -side_;
}

// The move written at the front of `t`, as a record move of the side to move (times aside).
RecordMove Reader::resolve(std::string_view& t) {
    const Form1& f = judge_->form();
    if (eat(t, "▲") || eat(t, "☗")) {
        if (side_ > 0) throw Fault{translate("Kif", "後手の番なのに▲の指し手です")};
    } else if (eat(t, "△") || eat(t, "☖")) {
        if (side_ < 0) throw Fault{translate("Kif", "先手の番なのに△の指し手です")};
    }
    int toX = 0, toY = 0;
    if (eat(t, "同")) {
        if (previousTo_.X == 0)
            throw Fault{translate("Kif", "前の指し手がないのに「同」があります")};
        toX = previousTo_.X;
        toY = previousTo_.Y;
        skipBlanks(t);
    } else {
        const int file = readDigit(t);
        const int rank = eatRank(t);
        if (file < 1 || rank < 1)
            throw Fault{t.empty() ? translate("Kif", "指し手が途中で切れています")
                                  : translate("Kif", "指し手が読めません")};
        toX = 10 - file;
        toY = rank;
    }
    const int name = notation::readPieceName(t);
    if (name == 0)
        throw Fault{t.empty() ? translate("Kif", "指し手が途中で切れています")
                              : translate("Kif", "駒の名前が読めません")};
    bool promote = false, keep = false, drop = false;
    if (eat(t, "不成"))
        keep = true;
    else if (eat(t, "成"))
        promote = true;
    else if (eat(t, "打"))
        drop = true;
    int fromX = 0, fromY = 0;
    if (eat(t, "(") || eat(t, "（")) {
        const int file = readDigit(t);
        const int rank = readDigit(t);
        if (file < 1 || rank < 1 || !(eat(t, ")") || eat(t, "）")))
            throw Fault{translate("Kif", "移動元が読めません")};
        fromX = 10 - file;
        fromY = rank;
        if (drop) throw Fault{translate("Kif", "打つ手に移動元があります")};
    }

    const int captured = f.Board[toX][toY];
    const int side = side_;
    const int* hand = side < 0 ? f.OwnHand : f.EnemyHand;
    auto dropMove = [&] {
        if (!mayDrop(name)) throw Fault{translate("Kif", "その駒は打てません")};
        return recordMoveOf(Move::drop(side, name, toX, toY), captured);
    };
    if (drop) return dropMove();
    if (fromX == 0) {
        // No origin: the one piece of that name that can make the move, or else a drop.
        int found = 0;
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y) {
                const int c = f.Board[x][y];
                if (c * side < HU || c * side != name) continue;
                if (f.移動チェック(x, y, toX, toY, c) != 1) continue;
                if (promote ? !mayPromote(x, y, toY, c) : f.移動後チェック(toY, c) != 1) continue;
                ++found;
                fromX = x;
                fromY = y;
            }
        if (found > 1)
            throw Fault{translate("Kif", "どの駒を動かす手か分かりません（移動元を書いて下さい）")};
        if (found == 0) {
            if (!promote && !keep && mayDrop(name) && hand[handSlot(name)] > 0 && captured == EMPTY)
                return dropMove();
            throw Fault{translate("Kif", "その駒はそこへ動けません")};
        }
    }
    const int moved = f.Board[fromX][fromY];
    if (moved * side < HU)
        throw Fault{args(side < 0 ? translate("Kif", "移動元（%1%2）に先手の駒がありません")
                                  : translate("Kif", "移動元（%1%2）に後手の駒がありません"),
                         {std::to_string(10 - fromX), std::to_string(fromY)})};
    if (moved * side != name) throw Fault{translate("Kif", "駒の名前が盤面と合いません")};
    return recordMoveOf(promote ? Move::promotion(fromX, fromY, toX, toY, moved)
                                : Move{fromX, fromY, toX, toY, moved, moved},
                        captured);
}

KifGame Reader::finish(int lastLine) {
    faultLine = lastLine;
    if (phase_ == Phase::Diagram) throw Fault{translate("Kif", "局面図が途中で切れています")};
    begin(false);
    faultLine = 0;
    GameRecord& g = result_.game;
    g.title = !title_.empty() ? title_ : subject_;
    // Our own record lines give back what the KIF lines cannot hold, for the very move only.
    for (const auto& [n, line] : recordLines_) {
        if (n < 1 || static_cast<std::size_t>(n) > g.moves.size()) continue;
        RecordMove& m = g.moves[n - 1];
        if (const RecordMove r = parseMoveLine(line); r == m) m = r;
    }
    return result_;
}

} // namespace

std::string KifRead::message() const {
    return line > 0 ? args(translate("Kif", "%1行目：%2"), {std::to_string(line), error}) : error;
}

KifRead readKif(std::string_view bytes, Encoding encoding) {
    KifRead r;
    if (bytes.size() > kKifFileLimit) {
        r.error = translate("Kif", "KIFファイルが大きすぎます");
        return r;
    }
    bool utf8 = encoding == Encoding::Utf8;
    if (eat(bytes, "\xEF\xBB\xBF")) utf8 = true;
    const bool ascii = !hasNonAscii(bytes);
    std::string_view first, afterFirst = bytes;
    text::nextLine(afterFirst, first);
    if (first.rfind("#KIF", 0) == 0) {
        std::string lower(first);
        for (char& c : lower)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (lower.find("encoding=utf-8") != std::string::npos) utf8 = true;
        if (lower.find("encoding=shift_jis") != std::string::npos ||
            lower.find("encoding=cp932") != std::string::npos)
            utf8 = false;
        else if (encoding == Encoding::ShiftJis && !ascii && isValidUtf8(bytes))
            utf8 = true;
    } else if (encoding == Encoding::ShiftJis && !ascii && isValidUtf8(bytes)) {
        utf8 = true;
    }

    // The whole file decoded at once (UTF-8 and ASCII only checked); the lines are views into
    // it.
    std::string decoded;
    std::string_view text = bytes;
    std::size_t badAt = std::string_view::npos;
    if (utf8) {
        badAt = firstInvalidUtf8(bytes);
    } else if (ascii) {
        // Shift-JIS text of ASCII alone reads the same: nothing to convert.
    } else if (std::optional<std::string> d = text::fromShiftJis(bytes, &badAt)) {
        decoded = std::move(*d);
        text = decoded;
        badAt = std::string_view::npos;
    }
    if (badAt != std::string_view::npos) {
        r.line = text::lineNumberAt(bytes, badAt);
        r.error =
            utf8 ? "UTF-8として読めない文字があります" : "Shift-JISとして読めない文字があります";
        return r;
    }

    Reader reader;
    int number = 0;
    try {
        std::string_view rest = text, line;
        while (text::nextLine(rest, line)) {
            reader.line(++number, line);
            if (number == kLinesBeforeDiagram) reader.endOfLeadingLines();
        }
        r.game = reader.finish(number);
    } catch (const Fault& fault) {
        r.error = fault.why;
        r.line = reader.faultLine;
        if (r.line >= 1 && r.line <= number) {
            std::string_view rest = text, line;
            for (int i = 0; i < r.line; ++i) text::nextLine(rest, line);
            r.lineText = shortened(line);
        }
    }
    return r;
}

} // namespace kelvore::kif
