// The settings file "Kelvore.ini": the background, move guidance, the clocks and the music,
// four lines in Shift-JIS, read once at start-up and rewritten after every option change.
#include "Form1.h"
#include "text/Files.h"
#include "text/ShiftJis.h"

namespace kelvore {

namespace {

constexpr const char* kFileName = "Kelvore.ini";

struct BackgroundLine {
    const char* line;
    MenuItem item;
    int code;
};
// In the order the writer looks for the marked item.
constexpr BackgroundLine kBackgrounds[5] = {{"背景画=緑", MenuItem::MIDORI, 2},
                                            {"背景画=竹", MenuItem::TAKE, 4},
                                            {"背景画=畳", MenuItem::TATAMI, 3},
                                            {"背景画=宇宙", MenuItem::UCHU, 5},
                                            {"背景画=煉瓦", MenuItem::RENGA, 6}};

// The four lines are a few dozen bytes; lines that run past this are not a settings file.
constexpr std::size_t kSettingsReadLimit = 64 * 1024;

constexpr const char* kDefaultLines = "背景画=緑\r\n移動指導=OFF\r\n経過時間=ON\r\nBGM=ON\r\n";

std::string pathOf(const std::string& folder) {
    return folder.back() == '/' ? folder + kFileName : folder + "/" + kFileName;
}

bool writeDefaults(const std::string& path) {
    const auto bytes = text::toShiftJis(kDefaultLines);
    return bytes && text::writeFileAtomically(path, *bytes) == 0;
}

} // namespace

void Form1::読込_環境設定ファイル() {
    if (WorkFolder.empty()) {
        設定_既定値();
        return;
    }
    const std::string path = pathOf(WorkFolder);
    // Only the first four lines are read, whatever follows them; each is compared whole, in
    // the file's own code page, so a line that is not Shift-JIS simply matches nothing.
    std::vector<std::string> lines;
    if (const text::ReadResult file = text::readLeadingLines(path, 4, kSettingsReadLimit);
        file.ok())
        lines = text::splitLines(file.bytes);

    if (lines.size() < 4) {
        // Missing, short, not a regular file or unreadable: replaced by the defaults, silently
        // (what is not a regular file, a FIFO or a device, is never replaced: the defaults
        // apply all the same).
        writeDefaults(path);
        設定_既定値();
        HighlightColor = OutlineColor;
        MoveGuidance = 0;
        return;
    }
    auto is = [](const std::string& line, const char* utf8) {
        const auto expected = text::toShiftJis(utf8);
        return expected && line == *expected;
    };

    for (const BackgroundLine& b : kBackgrounds)
        if (is(lines[0], b.line)) {
            チェック設定(b.code);
            描画_背景(b.code);
            CurrentBackground = b.code;
        }
    if (is(lines[1], "移動指導=ON")) {
        HighlightColor = ColorWhite;
        p_.menu.setChecked(MenuItem::SIDOU, true);
        MoveGuidance = 1;
    } else {
        HighlightColor = OutlineColor;
        p_.menu.setChecked(MenuItem::SIDOU, false);
        MoveGuidance = 0;
    }
    p_.menu.setChecked(MenuItem::KEIKA, is(lines[2], "経過時間=ON"));
    if (is(lines[3], "BGM=ON")) {
        p_.menu.setChecked(MenuItem::BGM, true);
        p_.sound.dsPlayLooping(MusicSound);
    } else {
        p_.menu.setChecked(MenuItem::BGM, false);
    }
}

// Writes the options as the menu marks show them. A folder where the file cannot be written
// keeps the options of the running game as they are.
void Form1::書込_環境設定ファイル() {
    if (WorkFolder.empty()) return;
    std::string contents;
    for (const BackgroundLine& b : kBackgrounds)
        if (p_.menu.isChecked(b.item)) {
            contents += std::string(b.line) + "\r\n";
            break;
        }
    contents += p_.menu.isChecked(MenuItem::SIDOU) ? "移動指導=ON\r\n" : "移動指導=OFF\r\n";
    contents += p_.menu.isChecked(MenuItem::KEIKA) ? "経過時間=ON\r\n" : "経過時間=OFF\r\n";
    contents += p_.menu.isChecked(MenuItem::BGM) ? "BGM=ON\r\n" : "BGM=OFF\r\n";
    const std::string path = pathOf(WorkFolder);
    const auto bytes = text::toShiftJis(contents);
    if (!bytes || text::writeFileAtomically(path, *bytes) != 0) writeDefaults(path);
}

} // namespace kelvore
