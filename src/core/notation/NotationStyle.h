// How moves are written for the player: in standard Japanese notation (the default) or in the
// Western notation of English shogi books. One choice for the whole program, made at start-up;
// KIF and the kept records are Japanese whatever is chosen.
#pragma once

namespace kelvore::notation {

enum class Style { Japanese, Western };

void setStyle(Style);
Style style();

} // namespace kelvore::notation
