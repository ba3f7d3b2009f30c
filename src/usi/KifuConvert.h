// kifu export and kifu import: a record file (".棋譜") to KIF and back, for scripts.
#pragma once

#include "kif/Kif.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace kelvore::usi {

// Handles `kifu export <record> <file.kif|file.kifu>` and `kifu import <file.kif|file.kifu>
// <record>`, answering one line: "kifu exported <file> moves <n>" / "kifu imported <file>
// moves <n>", or "info string …" saying why nothing was written. False for any other kifu
// command, which is left to the caller.
bool convertKifu(const std::vector<std::string>& words, std::ostream& out);

// Reads a KIF file (.kif or .kifu), or says on `out` why not.
std::optional<kif::KifGame> readKifFile(const std::string& path, std::ostream& out);

// Writes a game as a KIF file in the encoding its name asks for; false, said on `out`, when
// the name asks for none or the file cannot be written.
bool writeKifFile(const std::string& path, const kif::KifGame& game, std::ostream& out);

} // namespace kelvore::usi
