// Text files are written and read in the Japanese ANSI code page (Shift-JIS, as Windows
// extends it); the program itself holds UTF-8.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvore::text {

// Nothing when the text cannot be expressed in the other encoding. Each call converts the whole
// text in one pass, with one converter; `badAt`, when given, is set to the offset of the first
// byte that could not be converted.
std::optional<std::string> toShiftJis(std::string_view utf8);
std::optional<std::string> fromShiftJis(std::string_view shiftJis, std::size_t* badAt = nullptr);

// Takes the next line off the front of `rest` into `line` (a view into `rest`, without its
// end): a line ends at CR LF, at LF or at a lone CR (as old Mac editors end them), and the last
// one may have no end. False when `rest` is empty.
bool nextLine(std::string_view& rest, std::string_view& line);

// The number (1-based) of the line of `contents` that holds the byte at `offset`, lines ended
// as nextLine ends them.
int lineNumberAt(std::string_view contents, std::size_t offset);

// Splits file contents into lines, ended as nextLine ends them.
std::vector<std::string> splitLines(std::string_view contents);

} // namespace kelvore::text
