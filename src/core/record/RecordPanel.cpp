// Showing and hiding the text fields of the game-record panel.
#include "Form1.h"

namespace kelvore {

// Mode 0 shows the four text fields, their captions and the RETURN button, leaving the texts
// as they were; any other mode empties the fields and hides them all.
void Form1::描画_棋譜_IO(int モード) {
    if (モード == 0) {
        p_.panel.setFieldsVisible(true);
        return;
    }
    for (int field = 1; field <= 4; ++field) p_.panel.setFieldText(field, "");
    p_.panel.setFieldsVisible(false);
}

} // namespace kelvore
