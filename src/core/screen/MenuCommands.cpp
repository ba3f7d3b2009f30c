// Routing of menu commands and keys, and the one way out of the program.
#include "Form1.h"

namespace kelvore {

bool Form1::commandAvailable(MenuItem item) {
    switch (item) {
    case MenuItem::START:
    case MenuItem::OWARI:
        return true;
    default:
        return false;
    }
}

void Form1::onMenu(MenuItem item) {
    if (Ended) return;
    switch (item) {
    case MenuItem::START:
        START_Click();
        break;
    case MenuItem::OWARI:
        OWARI_Click();
        break;
    default:
        break;
    }
}

void Form1::Form_KeyDown(Key key) {
    if (Ended) return;
    if (key == Key::Escape) 処理_終了();
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
