#include "text/Utf8.h"

#include <algorithm>

namespace kelvore::text {

std::size_t utf8Length(std::string_view s) {
    if (s.empty()) return 0;
    const unsigned char c = static_cast<unsigned char>(s[0]);
    if (c < 0x80) return 1;
    std::size_t n;
    unsigned lo = 0x80, hi = 0xBF; // the allowed range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        if (c == 0xE0) lo = 0xA0;
        if (c == 0xED) hi = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        if (c == 0xF0) lo = 0x90;
        if (c == 0xF4) hi = 0x8F;
    } else {
        return 0;
    }
    if (s.size() < n) return 0;
    for (std::size_t i = 1; i < n; ++i) {
        const unsigned char b = static_cast<unsigned char>(s[i]);
        if (b < (i == 1 ? lo : 0x80) || b > (i == 1 ? hi : 0xBF)) return 0;
    }
    return n;
}

bool isValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = utf8Length(s.substr(i));
        if (n == 0) return false;
        i += n;
    }
    return true;
}

std::string printable(std::string_view line, std::size_t most) {
    std::string s;
    std::size_t i = 0;
    while (i < line.size()) {
        const std::size_t n = utf8Length(line.substr(i));
        if (s.size() + std::max<std::size_t>(n, 1) > most) break;
        if (n == 0) {
            s += '?';
            i += 1;
            continue;
        }
        const unsigned char c = static_cast<unsigned char>(line[i]);
        if (n == 1 && (c < 0x20 || c == 0x7F))
            s += '?';
        else
            s.append(line.substr(i, n));
        i += n;
    }
    if (i < line.size()) s += "...";
    return s;
}

} // namespace kelvore::text
