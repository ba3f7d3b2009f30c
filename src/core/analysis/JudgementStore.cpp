#include "analysis/JudgementStore.h"

#include "analysis/AnalysisKif.h"
#include "engine/Searcher.h"
#include "record/RecordFile.h"
#include "text/Files.h"

#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace kelvore::analysis {

namespace {

constexpr const char* kFolder = "解析";

// The game's identity: the start's key and every move's fields, folded (FNV-1a).
std::uint64_t identity(const GameRecord& game) {
    std::uint64_t h = engine::positionKey(game.start) ^ 0xcbf29ce484222325ULL;
    auto fold = [&h](int v) {
        for (int i = 0; i < 4; ++i) {
            h ^= static_cast<std::uint8_t>(v >> (8 * i));
            h *= 0x100000001b3ULL;
        }
    };
    for (const RecordMove& m : game.moves) {
        const Move move = moveOf(m);
        for (int v : {move.fromX, move.fromY, move.toX, move.toY, move.moved, move.placed}) fold(v);
    }
    return h;
}

bool sameGame(const GameRecord& a, const GameRecord& b) {
    if (a.moves.size() != b.moves.size() ||
        engine::positionKey(a.start) != engine::positionKey(b.start))
        return false;
    for (std::size_t i = 0; i < a.moves.size(); ++i)
        if (!(moveOf(a.moves[i]) == moveOf(b.moves[i]))) return false;
    return true;
}

} // namespace

std::string judgementPath(const std::string& workFolder, const GameRecord& game) {
    char name[32];
    std::snprintf(name, sizeof name, "%016llx.kifu",
                  static_cast<unsigned long long>(identity(game)));
    return workFolder + "/" + kFolder + "/" + name;
}

bool keepJudgement(const std::string& workFolder, const GameAnalysis& judged) {
    if (judged.searchedCount() == 0 || workFolder.empty()) return false;
    ::mkdir((workFolder + "/" + kFolder).c_str(), 0777);
    kif::KifGame k;
    k.game = judged.game();
    writeJudgement(judged, k, true);
    const auto bytes = kif::encodeKif(kif::writeKif(k, kif::Encoding::Utf8), kif::Encoding::Utf8);
    return bytes &&
           text::writeFileAtomically(judgementPath(workFolder, judged.game()), *bytes) == 0;
}

std::optional<kif::KifGame> keptJudgement(const std::string& workFolder, const GameRecord& game) {
    if (workFolder.empty() || game.moves.empty()) return std::nullopt;
    const text::ReadResult file =
        text::readFile(judgementPath(workFolder, game), kif::kKifFileLimit);
    if (!file.ok()) return std::nullopt;
    kif::KifRead read = kif::readKif(file.bytes, kif::Encoding::Utf8);
    if (!read.game || !sameGame(read.game->game, game)) return std::nullopt;
    return std::move(read.game);
}

} // namespace kelvore::analysis
