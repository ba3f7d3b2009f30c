#include "notation/Sfen.h"

#include "notation/Usi.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace kelvore::notation {

using namespace piece;

namespace {

int kindOfLetter(char upper) {
    switch (upper) {
    case 'P': return HU;
    case 'L': return KYOU;
    case 'N': return KEI;
    case 'S': return GIN;
    case 'G': return KIN;
    case 'B': return KAKU;
    case 'R': return SYA;
    case 'E': return ZOU;
    case 'K': return OU;
    default: return 0;
    }
}

char letterOfKind(int kind) {
    switch (kind) {
    case HU: return 'P';
    case KYOU: return 'L';
    case KEI: return 'N';
    case GIN: return 'S';
    case KIN: return 'G';
    case KAKU: return 'B';
    case SYA: return 'R';
    case ZOU: return 'E';
    case OU: return 'K';
    default: return '?';
    }
}

bool promotable(int kind) {
    return kind != KIN && kind != OU && kind != 0;
}

// A character of the text in a message: printable ASCII as it is, anything else as '?'.
std::string shown(char c) {
    return std::string(1, c >= 0x20 && c < 0x7F ? c : '?');
}

} // namespace

std::string pieceLetters(int code) {
    const int k = std::abs(code);
    const bool promoted = k % 10 == 1 || k == KO;
    const int kind = promoted ? k - 1 : k;
    char letter = letterOfKind(kind);
    if (code > 0) letter = static_cast<char>(std::tolower(letter));
    return promoted ? std::string("+") + letter : std::string(1, letter);
}

std::optional<SfenPosition> parseSfen(const std::string& text, std::string& error,
                                      Language language) {
    auto say = [language](std::string english, std::string japanese) {
        return language == Language::Japanese ? japanese : english;
    };
    const std::vector<std::string> parts = words(text);
    if (parts.size() < 2) {
        error = say("expected board and side to move", "盤面と手番がありません");
        return std::nullopt;
    }
    if (parts.size() > 4) {
        error = say("unexpected text after the move number", "手数の後に余計な文字があります");
        return std::nullopt;
    }
    SfenPosition p;
    int y = 1, x = 1;
    bool plus = false;
    for (char ch : parts[0]) {
        if (ch == '/') {
            if (x != 10 || plus) {
                error = say("rank " + std::to_string(y) + " does not hold 9 squares",
                            std::to_string(y) + "段目が9桝になっていません");
                return std::nullopt;
            }
            ++y;
            x = 1;
            if (y > 9) {
                error = say("more than 9 ranks", "段が9より多くあります");
                return std::nullopt;
            }
            continue;
        }
        if (ch >= '1' && ch <= '9') {
            if (plus) {
                error = say("'+' before a digit", "「+」の後が駒ではありません");
                return std::nullopt;
            }
            x += ch - '0';
            if (x > 10) {
                error = say("rank " + std::to_string(y) + " holds more than 9 squares",
                            std::to_string(y) + "段目が9桝より多くあります");
                return std::nullopt;
            }
            continue;
        }
        if (ch == '+') {
            if (plus) {
                error = say("'++'", "「++」があります");
                return std::nullopt;
            }
            plus = true;
            continue;
        }
        const int kind =
            kindOfLetter(static_cast<char>(std::toupper(static_cast<unsigned char>(ch))));
        if (kind == 0 || !std::isalpha(static_cast<unsigned char>(ch))) {
            error = say(std::string("unknown piece letter '") + ch + "'",
                        "知らない駒の文字「" + shown(ch) + "」があります");
            return std::nullopt;
        }
        if (plus && !promotable(kind)) {
            error = say(std::string("'+") + ch + "' does not promote",
                        "「+" + shown(ch) + "」は成れない駒です");
            return std::nullopt;
        }
        if (x > 9) {
            error = say("rank " + std::to_string(y) + " holds more than 9 squares",
                        std::to_string(y) + "段目が9桝より多くあります");
            return std::nullopt;
        }
        const int code = kind + (plus ? 1 : 0);
        p.board[x][y] = std::isupper(static_cast<unsigned char>(ch)) ? -code : code;
        plus = false;
        ++x;
    }
    if (y != 9 || x != 10 || plus) {
        error = say("the board does not hold 9 ranks of 9 squares", "盤面が9段9桝になっていません");
        return std::nullopt;
    }

    if (parts[1] == "b")
        p.sideToMove = -1;
    else if (parts[1] == "w")
        p.sideToMove = 1;
    else {
        error = say("side to move must be b or w", "手番は b か w で書きます");
        return std::nullopt;
    }

    if (parts.size() >= 3 && parts[2] != "-") {
        int count = 0;
        bool counted = false;
        for (char ch : parts[2]) {
            if (std::isdigit(static_cast<unsigned char>(ch))) {
                count = count * 10 + (ch - '0');
                counted = true;
                if (count > 18) {
                    error = say("a hand count above 18", "持駒が18枚より多くあります");
                    return std::nullopt;
                }
                continue;
            }
            const int kind =
                kindOfLetter(static_cast<char>(std::toupper(static_cast<unsigned char>(ch))));
            const int slot = handSlot(kind);
            if (slot == 0) {
                error = say(std::string("'") + ch + "' cannot be held in hand",
                            "「" + shown(ch) + "」は持駒にできません");
                return std::nullopt;
            }
            if (counted && count == 0) {
                error = say("a hand count of 0", "持駒の数が0です");
                return std::nullopt;
            }
            int* hand = std::isupper(static_cast<unsigned char>(ch)) ? p.lowerHand : p.upperHand;
            hand[slot] += counted ? count : 1;
            if (hand[slot] > 18) {
                error = say("a hand count above 18", "持駒が18枚より多くあります");
                return std::nullopt;
            }
            count = 0;
            counted = false;
        }
        if (counted) {
            error = say("a hand count without a piece", "持駒の数の後に駒がありません");
            return std::nullopt;
        }
    }

    if (parts.size() == 4) {
        const std::string& n = parts[3];
        if (n.empty() || n.size() > 6 || n.find_first_not_of("0123456789") != std::string::npos ||
            std::stoi(n) < 1) {
            error = say("the move number must be a positive number", "手数は1以上の数で書きます");
            return std::nullopt;
        }
        p.moveNumber = std::stoi(n);
    }
    return p;
}

std::string formatSfen(const engine::GameSnapshot& position, int moveNumber) {
    std::string s;
    for (int y = 1; y <= 9; ++y) {
        int empty = 0;
        for (int x = 1; x <= 9; ++x) {
            const int c = position.board[x][y];
            if (c == EMPTY) {
                ++empty;
                continue;
            }
            if (empty > 0) s += static_cast<char>('0' + empty);
            empty = 0;
            s += pieceLetters(c);
        }
        if (empty > 0) s += static_cast<char>('0' + empty);
        if (y < 9) s += '/';
    }
    s += position.sideToMove < 0 ? " b " : " w ";
    std::string hands;
    // USI writes the hands from the rook down, the lower side's first.
    for (int side = 0; side < 2; ++side)
        for (int slot = 7; slot >= 1; --slot) {
            const int n = side == 0 ? position.lowerHand[slot] : position.upperHand[slot];
            if (n <= 0) continue;
            if (n > 1) hands += std::to_string(n);
            char letter = letterOfKind(kSlotKind[slot]);
            if (side == 1) letter = static_cast<char>(std::tolower(letter));
            hands += letter;
        }
    s += hands.empty() ? "-" : hands;
    s += " " + std::to_string(moveNumber);
    return s;
}

std::string formatSfen(const Form1& f, int sideToMove, int moveNumber) {
    engine::GameSnapshot position;
    std::memcpy(position.board, f.Board, sizeof position.board);
    std::memcpy(position.lowerHand, f.OwnHand, sizeof position.lowerHand);
    std::memcpy(position.upperHand, f.EnemyHand, sizeof position.upperHand);
    position.sideToMove = sideToMove < 0 ? -1 : 1;
    return formatSfen(position, moveNumber);
}

engine::GameSnapshot snapshotOf(const SfenPosition& p) {
    engine::GameSnapshot s;
    std::memcpy(s.board, p.board, sizeof s.board);
    std::memcpy(s.lowerHand, p.lowerHand, sizeof s.lowerHand);
    std::memcpy(s.upperHand, p.upperHand, sizeof s.upperHand);
    s.sideToMove = p.sideToMove < 0 ? -1 : 1;
    return s;
}

void place(Form1& f, const SfenPosition& p) {
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) f.Board[x][y] = p.board[x][y];
    f.OwnHandCount = f.EnemyHandCount = 0;
    for (int i = 1; i <= 7; ++i) {
        f.OwnHand[i] = p.lowerHand[i];
        f.EnemyHand[i] = p.upperHand[i];
        f.OwnHandCount += p.lowerHand[i];
        f.EnemyHandCount += p.upperHand[i];
    }
}

void place(engine::Position& pos, const SfenPosition& p) {
    pos.set(p.board, p.lowerHand, p.upperHand, p.sideToMove < 0 ? engine::LOWER : engine::UPPER);
}

bool setFromSfen(engine::Position& pos, const std::string& sfen, std::string& error) {
    const std::optional<SfenPosition> p = parseSfen(sfen, error);
    if (p) place(pos, *p);
    return p.has_value();
}

std::optional<UsiMove> parseUsiMove(const std::string& t) {
    auto file = [](char c) { return c >= '1' && c <= '9' ? 10 - (c - '0') : 0; };
    auto rank = [](char c) { return c >= 'a' && c <= 'i' ? c - 'a' + 1 : 0; };
    UsiMove m;
    if (t.size() == 4 && t[1] == '*') {
        m.drop = true;
        m.dropKind = kindOfLetter(t[0]);
        if (m.dropKind == 0 || m.dropKind == ZOU || m.dropKind == OU) return std::nullopt;
        m.toX = file(t[2]);
        m.toY = rank(t[3]);
        if (m.toX == 0 || m.toY == 0) return std::nullopt;
        return m;
    }
    if (t.size() != 4 && !(t.size() == 5 && t[4] == '+')) return std::nullopt;
    m.fromX = file(t[0]);
    m.fromY = rank(t[1]);
    m.toX = file(t[2]);
    m.toY = rank(t[3]);
    m.promote = t.size() == 5;
    if (m.fromX == 0 || m.fromY == 0 || m.toX == 0 || m.toY == 0) return std::nullopt;
    return m;
}

std::string formatUsiMove(const Move& m) {
    std::string s;
    auto square = [&](int x, int y) {
        s += static_cast<char>('0' + (10 - x));
        s += static_cast<char>('a' + y - 1);
    };
    if (m.isDrop()) {
        s += letterOfKind(std::abs(m.moved));
        s += '*';
        square(m.toX, m.toY);
        return s;
    }
    square(m.fromX, m.fromY);
    square(m.toX, m.toY);
    if (m.promotes()) s += '+';
    return s;
}

} // namespace kelvore::notation
