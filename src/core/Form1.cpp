// The making and unmaking of the one owner of the game's state, and its listeners.
#include "Form1.h"

#include "computer/SearchingTurn.h"

#include <algorithm>

namespace kelvore {

Form1::Form1(Platform& platform) : p_(platform) {
    // The window as designed: 畳 carries the background mark until the settings are read.
    p_.menu.setChecked(MenuItem::TATAMI, true);
}

// The searching turn goes first: it stops its worker and leaves the listeners.
Form1::~Form1() {
    Searching.reset();
}

void Form1::addListener(GameListener& listener) {
    listeners_.push_back(&listener);
}

void Form1::removeListener(GameListener& listener) {
    std::erase(listeners_, &listener);
}

} // namespace kelvore
