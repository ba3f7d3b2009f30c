// Fuzzes the settings reader: any bytes as "Kelvore.ini" at start-up, then an option change.
#include "Form1.h"
#include "platform/NullPlatform.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string folder = [] {
        char dir[] = "/tmp/kelvore-fuzz-XXXXXX";
        return std::string(mkdtemp(dir));
    }();
    FILE* f = std::fopen((folder + "/Kelvore.ini").c_str(), "wb");
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    kelvore::NullPlatform null;
    kelvore::Form1 form(null.platform);
    form.WorkFolder = folder;
    form.Form_Load();
    if (form.CurrentBackground < 0 || form.CurrentBackground > 6) std::abort();
    form.onMenu(kelvore::MenuItem::SIDOU);
    return 0;
}
