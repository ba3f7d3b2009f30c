#include "text/ShiftJis.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace kelvore::text {

namespace {

std::optional<std::string> convert(std::string_view in, const char* to, const char* from,
                                   std::size_t* badAt) {
    if (badAt != nullptr) *badAt = 0;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    // Room for the usual growth (two Shift-JIS bytes become three in UTF-8); more when asked.
    std::string out(in.size() + in.size() / 2 + 16, '\0');
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    std::size_t written = 0;
    bool ok = true, flushing = false;
    for (;;) {
        char* dst = out.data() + written;
        std::size_t dstLeft = out.size() - written;
        const std::size_t rc = flushing ? iconv(cd, nullptr, nullptr, &dst, &dstLeft)
                                        : iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        const int error = errno;
        written = out.size() - dstLeft;
        if (rc == static_cast<std::size_t>(-1) && error == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        if (rc == static_cast<std::size_t>(-1)) {
            ok = false;
            break;
        }
        if (flushing) break;
        flushing = true; // all the input is taken: the converter's end state follows
    }
    iconv_close(cd);
    if (!ok) {
        if (badAt != nullptr) *badAt = static_cast<std::size_t>(src - in.data());
        return std::nullopt;
    }
    out.resize(written);
    return out;
}

} // namespace

std::optional<std::string> toShiftJis(std::string_view utf8) {
    return convert(utf8, "CP932", "UTF-8", nullptr);
}

std::optional<std::string> fromShiftJis(std::string_view shiftJis, std::size_t* badAt) {
    return convert(shiftJis, "UTF-8", "CP932", badAt);
}

bool nextLine(std::string_view& rest, std::string_view& line) {
    if (rest.empty()) return false;
    const std::size_t end = rest.find_first_of("\r\n");
    if (end == std::string_view::npos) {
        line = rest;
        rest = {};
        return true;
    }
    line = rest.substr(0, end);
    const bool crlf = rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n';
    rest.remove_prefix(end + (crlf ? 2 : 1));
    return true;
}

int lineNumberAt(std::string_view contents, std::size_t offset) {
    int number = 0;
    std::string_view rest = contents, line;
    while (nextLine(rest, line)) {
        ++number;
        if (contents.size() - rest.size() > offset) break;
    }
    return std::max(number, 1);
}

std::vector<std::string> splitLines(std::string_view contents) {
    std::vector<std::string> lines;
    std::string_view line;
    while (nextLine(contents, line)) lines.emplace_back(line);
    return lines;
}

} // namespace kelvore::text
