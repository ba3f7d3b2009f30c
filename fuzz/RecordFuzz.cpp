// Fuzzes the record reader: any bytes as a ".棋譜" file, read, and every move stepped through
// with 進 and back with 戻.
#include "Form1.h"
#include "platform/NullPlatform.h"
#include "record/RecordFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const kelvore::RecordFile record =
        kelvore::readRecord({reinterpret_cast<const char*>(data), size});
    if (record.moves.size() > 2000) return 0;

    static const std::string path = [] {
        char dir[] = "/tmp/kelvore-fuzz-XXXXXX";
        return std::string(mkdtemp(dir)) + "/r.棋譜";
    }();
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(data, 1, size, f);
    std::fclose(f);

    kelvore::NullPlatform null;
    kelvore::Form1 form(null.platform);
    form.Form_Load();
    form.File1_Click(path);
    for (int i = 0; i <= form.KifuLength; ++i) form.AFTER_Click();
    for (int i = 0; i <= form.KifuLength; ++i) form.REPLAY_Click();
    for (int s = 1; s <= 7; ++s)
        if (form.OwnHand[s] < 0 || form.EnemyHand[s] < 0) std::abort();
    return 0;
}
