// The judgements of games kept in the work folder, so that a game judged once shows its
// judgement again when it is opened (a kept game, a record, a KIF) without searching again.
// Each is a KIF of the game with its judgement in the comments (AnalysisKif.h), in the folder
// "解析" under the work folder, named by the game's identity: its start and its moves.
#pragma once

#include "analysis/GameAnalysis.h"
#include "kif/Kif.h"

#include <optional>
#include <string>

namespace kelvore::analysis {

// The file a game's judgement is kept in: "<work folder>/解析/<16 hex digits>.kifu".
std::string judgementPath(const std::string& workFolder, const GameRecord& game);

// Keeps the judgement of its game (the positions searched so far); false when it could not be
// written. A judgement with nothing searched is not kept.
bool keepJudgement(const std::string& workFolder, const GameAnalysis& judged);

// The kept judgement of `game`: a KIF of that very game with its comments; nothing when none
// is kept or the file holds another game.
std::optional<kif::KifGame> keptJudgement(const std::string& workFolder, const GameRecord& game);

} // namespace kelvore::analysis
