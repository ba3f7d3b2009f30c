// Text files are written and read in the Japanese ANSI code page (Shift-JIS, as Windows
// extends it); the program itself holds UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvore::text {

// Nothing when the text cannot be expressed in the other encoding.
std::optional<std::string> toShiftJis(std::string_view utf8);
std::optional<std::string> fromShiftJis(std::string_view shiftJis);

// Splits file contents into lines ended by CR LF (a lone LF or a last line without an end is
// accepted too).
std::vector<std::string> splitLines(std::string_view contents);

} // namespace kelvore::text
