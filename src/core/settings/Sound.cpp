// The sound module: opening the sound library, loading the wave files into its buffers, the
// warning box, and the music switch. Buffer handle 0 (no device, or no file) is passed on like
// any other: the library accepts it and plays nothing.
#include "Form1.h"
#include "platform/Translate.h"
#include "text/Files.h"

#include <cerrno>
#include <sys/stat.h>

namespace kelvore {

namespace {

// Far beyond the few megabytes of the music.
constexpr std::size_t kWaveFileLimit = 64 * 1024 * 1024;

} // namespace

void Form1::警告(std::string_view 文字) {
    p_.dialogs.messageBox(文字, "Kelvore.dll", Buttons::OK, Icon::Warning);
}

void Form1::サウンド_初期化(std::intptr_t 窓) {
    SoundDevice = p_.sound.dsInitialize(窓);
    if (SoundDevice == 0)
        警告(translate("Sound", "Direct Soundインターフェースが作成できません。"));
}

void Form1::サウンド_終了() {
    if (SoundDevice != 0) p_.sound.dsTerminate(SoundDevice);
}

int Form1::サウンド_読込(const std::string& ファイル名, int フラグ) {
    if (SoundDevice == 0) return 0;
    const std::string path = SoundFolder.empty() ? ファイル名 : SoundFolder + "/" + ファイル名;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return 0; // a missing file is simply silent
    // Anything but a regular file of a sane size is refused at once, like an unreadable one.
    const text::ReadResult file = text::readFile(path, kWaveFileLimit);
    if (!file.ok()) {
        警告(args(file.error == EACCES ? translate("Sound", "%1：読み込む許可がありません")
                                       : translate("Sound", "%1：読み込めません"),
                  {ファイル名}));
        return 0;
    }
    const std::vector<std::uint8_t> bytes(file.bytes.begin(), file.bytes.end());
    return p_.sound.dsCreateDSB(SoundDevice, bytes, フラグ);
}

// BGM (and F1): the music on or off.
void Form1::処理_BGM() {
    if (p_.menu.isChecked(MenuItem::BGM)) {
        p_.menu.setChecked(MenuItem::BGM, false);
        p_.sound.dsStop(MusicSound);
    } else {
        p_.menu.setChecked(MenuItem::BGM, true);
        p_.sound.dsPlayLooping(MusicSound);
    }
    書込_環境設定ファイル();
}

} // namespace kelvore
