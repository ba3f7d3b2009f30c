// Routing of menu commands and keys, the version message, and the one way out of the program.
#include "Form1.h"

namespace kelvore {

bool Form1::commandAvailable(MenuItem item) {
    switch (item) {
    case MenuItem::START:
    case MenuItem::SENTE:
    case MenuItem::GOTE:
    case MenuItem::LEVEL1:
    case MenuItem::LEVEL2:
    case MenuItem::LEVEL3:
    case MenuItem::OWARI:
    case MenuItem::KEIKA:
    case MenuItem::VER:
    case MenuItem::CANCEL:
    case MenuItem::REVERSE:
    case MenuItem::REPLAY:
    case MenuItem::AFTER:
    case MenuItem::KIFU_READ:
    case MenuItem::KIFU_WRITE: return true;
    default: return false;
    }
}

void Form1::onMenu(MenuItem item) {
    if (Ended) return;
    switch (item) {
    case MenuItem::TAIKYOKU: TAIKYOKU_Click(); break;
    case MenuItem::STOP: STOP_Click(); break;
    case MenuItem::OPTION: OPTION_Click(); break;
    case MenuItem::START: START_Click(); break;
    case MenuItem::SENTE: SENTE_Click(); break;
    case MenuItem::GOTE: GOTE_Click(); break;
    case MenuItem::LEVEL1: LEVEL_Click(1); break;
    case MenuItem::LEVEL2: LEVEL_Click(2); break;
    case MenuItem::LEVEL3: LEVEL_Click(3); break;
    case MenuItem::OWARI: OWARI_Click(); break;
    case MenuItem::CANCEL: CANCEL_Click(); break;
    case MenuItem::REVERSE: REVERSE_Click(); break;
    case MenuItem::REPLAY: REPLAY_Click(); break;
    case MenuItem::AFTER: AFTER_Click(); break;
    case MenuItem::KIFU_READ: KIFU_READ_Click(); break;
    case MenuItem::KIFU_WRITE: KIFU_WRITE_Click(); break;
    case MenuItem::KEIKA: 処理_経過時間(); break;
    case MenuItem::VER: VER_Click(); break;
    default: break;
    }
}

void Form1::Form_KeyDown(Key key) {
    if (Ended) return;
    switch (key) {
    case Key::Escape: 処理_終了(); break;
    case Key::F2: 処理_経過時間(); break;
    default: break;
    }
}

// Opening the menus 対局, 局面 and ｵﾌﾟｼｮﾝ closes the game-record panel.
void Form1::TAIKYOKU_Click() {
    描画_可視(false, false, false);
    描画_棋譜_IO(1);
}

void Form1::STOP_Click() {
    TAIKYOKU_Click();
}

void Form1::OPTION_Click() {
    TAIKYOKU_Click();
}

void Form1::VER_Click() {
    p_.sound.dsPlay(OtherSound);
    p_.dialogs.messageBox("Kelvore 将棋  バージョン " KELVORE_VERSION
                          "\r\r酔象と太子のある将棋です。\r"
                          "象は真後ろ以外の七方向に一つ進み、成ると太子になります。",
                          "Kelvore について", Buttons::OK);
}

void Form1::OWARI_Click() {
    処理_終了();
}

void Form1::Form_Unload() {
    if (!Ended) 処理_終了();
}

// Releases the four sound buffers and the device, then ends the program at once. Nothing is
// asked and nothing is saved.
void Form1::処理_終了() {
    if (Ended) return;
    p_.sound.dsFree(OtherSound);
    p_.sound.dsFree(ForbiddenSound);
    p_.sound.dsFree(PieceSound);
    p_.sound.dsFree(MusicSound);
    if (SoundDevice != 0) p_.sound.dsTerminate(SoundDevice);
    Ended = true;
    p_.window.quit();
}

} // namespace kelvore
