// UTF-8 as the program holds its text: checking it, and quoting text from outside safely.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kelvore::text {

// The length of the valid UTF-8 character that starts `s`, or 0 when none starts there: a stray
// continuation byte, an overlong form, a surrogate, a code past U+10FFFF, or a character cut
// short (and an empty `s`).
std::size_t utf8Length(std::string_view s);

bool isValidUtf8(std::string_view s);

// Text quoted back to the user: always valid UTF-8, with control bytes and bytes that start no
// valid character shown as '?', and cut between characters after `most` bytes, with "...".
std::string printable(std::string_view text, std::size_t most = 200);

} // namespace kelvore::text
