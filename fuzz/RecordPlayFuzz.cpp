// Fuzzes a record read into the window and a game played on from it: any bytes as a ".棋譜"
// file, stepped with 進 to a point the input chooses, handed to two humans or to the computer
// at level 1, 2 or 3, a few moves played, then written and read back. Whatever the file held,
// the position stays sound and the record the game writes reads back whole.
//
// Input: 6 control bytes (steps, mode, level, three move choices), then the record file.
#include "FuzzGame.h"
#include "platform/NullPlatform.h"
#include "record/RecordFile.h"
#include "rules/TrialMove.h"
#include "text/Files.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

using namespace kelvore;

// A platform whose record panel has a folder and a file name, so that RETURN writes.
class PanelPlatform : public NullPlatform {
public:
    std::string dir, name;
    std::string fieldText(int field) const override { return field == 1 ? name : ""; }
    std::string folder() const override { return dir; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kControl = 6;
    std::uint8_t c[kControl] = {};
    for (std::size_t i = 0; i < kControl && i < size; ++i) c[i] = data[i];
    const std::size_t skip = size < kControl ? size : kControl;
    const std::string bytes(reinterpret_cast<const char*>(data) + skip, size - skip);
    if (readRecord(bytes).moves.size() > 300) return 0; // long records add only time

    const std::string in = fuzz::scratchFolder() + "/in.棋譜";
    FILE* file = std::fopen(in.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);

    PanelPlatform platform;
    platform.dir = fuzz::scratchFolder();
    platform.name = "out";
    Form1 f(platform.platform);
    f.SkipWait = true;
    f.Form_Load();
    f.File1_Click(in);
    fuzz::checkSound(f);
    const int steps = f.KifuLength > 0 ? c[0] % (f.KifuLength + 1) : 0;
    for (int i = 0; i < steps; ++i) f.AFTER_Click();
    fuzz::checkSound(f);

    f.onMenu(c[2] % 3 == 0   ? MenuItem::LEVEL1
             : c[2] % 3 == 1 ? MenuItem::LEVEL2
                             : MenuItem::LEVEL3);
    f.onMenu(c[1] % 3 == 0 ? MenuItem::START : c[1] % 3 == 1 ? MenuItem::SENTE : MenuItem::GOTE);
    fuzz::checkSound(f);
    for (int i = 0; i < 3 && !f.Ended && f.Turn != 0; ++i) {
        const int side = f.Turn == f.ManTurn ? -1 : 1;
        f.調査_2歩フラグ設定();
        MoveList list;
        generateMoves(f, side, list);
        if (list.size == 0) break;
        const Move& m = list.moves[c[3 + i] % list.size];
        const auto clickAt = [&](int col, int row, int button) {
            f.Form_MouseDown(button, 0, 1050 + col * 495 + 200, 100 + row * 615 + 300);
        };
        clickAt(m.fromX, m.fromX == -1 ? 8 - m.fromY : m.fromY, 1);
        clickAt(m.toX, m.toY, m.promotes() ? 2 : 1);
        fuzz::checkSound(f);
    }
    if (f.KifuCursor < 1 || f.Reversed == 1 || f.HandicapSet == 1) return 0;

    // What the game writes reads back whole, move for move.
    const std::string out = fuzz::scratchFolder() + "/out.棋譜";
    ::unlink(out.c_str());
    f.Command1_Click();
    const text::ReadResult written = text::readFile(out, kRecordFileLimit);
    if (!written.ok()) std::abort();
    const RecordFile r = readRecord(written.bytes);
    if (!r.error.empty() || r.damagedAt != 0) std::abort();
    if (static_cast<int>(r.moves.size()) != f.KifuCursor) std::abort();
    for (int i = 1; i <= f.KifuCursor; ++i) {
        const RecordMove& m = r.moves[i - 1];
        if (m.FromX != f.Kifu.FromX[i] || m.FromY != f.Kifu.FromY[i] || m.ToX != f.Kifu.ToX[i] ||
            m.ToY != f.Kifu.ToY[i] || m.MovedPiece != f.Kifu.MovedPiece[i] ||
            m.PlacedPiece != f.Kifu.PlacedPiece[i] || m.CapturedPiece != f.Kifu.CapturedPiece[i])
            std::abort();
    }
    return 0;
}
