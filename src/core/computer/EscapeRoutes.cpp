// How many squares the human's king or prince could step to without stepping into the
// computer's attack. The marks are not cleared here: within one turn they hold the union of
// all squares found, and the computer's turn clears them when it starts.
#include "Form1.h"

namespace kelvore {

namespace {

int escapes(Form1& f, Pos royal, Map& marks) {
    int count = 0;
    for (int x = royal.X - 1; x <= royal.X + 1; ++x)
        for (int y = royal.Y - 1; y <= royal.Y + 1; ++y) {
            if (x <= 0 || x >= 10 || y <= 0 || y >= 10) continue;
            if (f.Board[x][y] == piece::EMPTY && f.PosAttackCount[x][y] == 0) {
                marks[x][y] = 1;
                ++count;
            }
        }
    return count;
}

} // namespace

int Form1::調査_自王逃道() {
    return escapes(*this, ManKingPos, ManKingEscapeMarks);
}

int Form1::調査_自子逃道() {
    return escapes(*this, ManPrincePos, ManPrinceEscapeMarks);
}

} // namespace kelvore
