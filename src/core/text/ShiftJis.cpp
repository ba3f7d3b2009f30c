#include "text/ShiftJis.h"

#include <iconv.h>

namespace kelvore::text {

namespace {

std::optional<std::string> convert(std::string_view in, const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out(in.size() * 4 + 16, '\0');
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char* dst = out.data();
    std::size_t dstLeft = out.size();
    bool ok = true;
    while (srcLeft > 0) {
        if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1)) {
            ok = false;
            break;
        }
    }
    if (ok && iconv(cd, nullptr, nullptr, &dst, &dstLeft) == static_cast<std::size_t>(-1))
        ok = false;
    iconv_close(cd);
    if (!ok) return std::nullopt;
    out.resize(out.size() - dstLeft);
    return out;
}

} // namespace

std::optional<std::string> toShiftJis(std::string_view utf8) {
    return convert(utf8, "CP932", "UTF-8");
}

std::optional<std::string> fromShiftJis(std::string_view shiftJis) {
    return convert(shiftJis, "UTF-8", "CP932");
}

std::vector<std::string> splitLines(std::string_view contents) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < contents.size()) {
        std::size_t end = contents.find('\n', start);
        const bool last = end == std::string_view::npos;
        if (last) end = contents.size();
        std::string_view line = contents.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        start = last ? contents.size() : end + 1;
    }
    return lines;
}

} // namespace kelvore::text
