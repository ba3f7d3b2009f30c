#include "notation/NotationStyle.h"

#include <atomic>

namespace kelvore::notation {

namespace {

// Read by the analysis and hint threads as well as the window's.
std::atomic<Style> chosen{Style::Japanese};

} // namespace

void setStyle(Style s) {
    chosen.store(s, std::memory_order_relaxed);
}

Style style() {
    return chosen.load(std::memory_order_relaxed);
}

} // namespace kelvore::notation
