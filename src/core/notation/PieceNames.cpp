#include "notation/PieceNames.h"

namespace kelvore::notation {

namespace {

bool eat(std::string_view& text, std::string_view name) {
    if (name.empty() || text.substr(0, name.size()) != name) return false;
    text.remove_prefix(name.size());
    return true;
}

} // namespace

int readPieceName(std::string_view& text) {
    for (const PieceNames& n : kPieceNames)
        if (eat(text, n.usual)) return n.kind;
    for (const PieceNames& n : kPieceNames)
        if (eat(text, n.single)) return n.kind;
    for (const auto& [name, kind] : kOtherSpellings)
        if (eat(text, name)) return kind;
    return 0;
}

int kindOfCharacter(std::string_view name) {
    for (const PieceNames& n : kPieceNames)
        if (n.single == name) return n.kind;
    for (const auto& [spelling, kind] : kOtherSpellings)
        if (spelling == name) return kind;
    return 0;
}

int readDigit(std::string_view& text) {
    if (!text.empty() && text[0] >= '0' && text[0] <= '9') {
        const int d = text[0] - '0';
        text.remove_prefix(1);
        return d;
    }
    for (int d = 0; d <= 9; ++d)
        if (eat(text, kWideDigits[d])) return d;
    return -1;
}

} // namespace kelvore::notation
