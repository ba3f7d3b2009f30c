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

// Reads a whole file; nothing when it cannot be opened or read, or is larger than `limit`.
std::optional<std::string> readFile(const std::string& path, std::size_t limit);

// Writes a whole file through a temporary file in the same folder that replaces the old one
// only when complete. Returns 0 on success, else the system's error number.
int writeFileAtomically(const std::string& path, std::string_view contents);

} // namespace kelvore::text
