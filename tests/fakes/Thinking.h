// The computer thinking at LEVEL4 for as long as the test wants: the turn has begun and its
// search runs on the worker until the test cancels it.
#pragma once

#include "Form1.h"
#include "computer/SearchingTurn.h"

#include <memory>

namespace kelvore::test {

// The next computer turn searches without end.
inline void thinkWithoutEnd(Form1& f) {
    f.onMenu(MenuItem::LEVEL4);
    f.Searching = std::make_unique<SearchingTurn>(f);
    engine::Limits endless;
    endless.infinite = true;
    f.Searching->fixedLimits = endless;
}

// Ends the search and forgets its move.
inline void stopThinking(Form1& f) {
    f.Searching->cancel();
    f.Searching->waitForWorker();
}

} // namespace kelvore::test
