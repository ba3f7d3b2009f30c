// Fuzzes the KIF reader: any bytes as a ".kif" or ".kifu" file (the first byte chooses), read;
// a file that reads is a game of this game's rules, written again and read back to the same
// game, then read into the window to be stepped through with 進 and back with 戻, or set up
// for play when it holds no moves.
#include "FuzzGame.h"
#include "engine/Snapshot.h"
#include "kif/Kif.h"
#include "kif/PositionCheck.h"
#include "platform/NullPlatform.h"
#include "sharing/Interchange.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace kelvore;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool utf8 = data[0] % 2 == 1;
    const kif::Encoding encoding = utf8 ? kif::Encoding::Utf8 : kif::Encoding::ShiftJis;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const kif::KifRead read = kif::readKif(bytes, encoding);
    if (!read.game) {
        if (read.error.empty()) std::abort(); // a refusal always says why
        return 0;
    }
    const GameRecord& game = read.game->game;
    if (game.moves.size() > 600) return 0; // long games add only time
    if (!kif::positionError(game.start).empty()) std::abort();
    if (positionsOf(game).size() != game.moves.size() + 1) std::abort();

    // Written again and read back: the same game.
    const auto again = kif::encodeKif(kif::writeKif(*read.game, encoding), encoding);
    if (again) {
        const kif::KifRead back = kif::readKif(*again, encoding);
        if (!back.game || !engine::samePosition(back.game->game.start, game.start) ||
            back.game->game.moves.size() != game.moves.size())
            std::abort();
        for (std::size_t i = 0; i < game.moves.size(); ++i)
            if (formatMoveLine(back.game->game.moves[i]) != formatMoveLine(game.moves[i]))
                std::abort();
    }

    // Into the window, stepped through and back.
    const std::string path = fuzz::scratchFolder() + (utf8 ? "/in.kifu" : "/in.kif");
    FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    NullPlatform platform;
    Form1 f(platform.platform);
    f.SkipWait = true;
    f.Form_Load();
    sharing::Interchange room(f, {});
    if (!room.importFrom(path)) std::abort();
    fuzz::checkSound(f);
    for (int i = 0; i <= f.KifuLength; ++i) f.AFTER_Click();
    if (f.KifuCursor != f.KifuLength) std::abort();
    fuzz::checkSound(f);
    for (int i = 0; i <= f.KifuLength; ++i) f.REPLAY_Click();
    if (f.KifuCursor != 0) std::abort();
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            if (f.Board[x][y] != game.start.board[x][y]) std::abort();
    return 0;
}
