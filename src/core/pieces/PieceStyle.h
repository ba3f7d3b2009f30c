// How the pieces are drawn: with the two kanji of the game's own pieces (the default), with one
// kanji each as most modern sets have them, or with international letters that need no kanji.
// Our own setting, kept in window.ini as [view] pieces=kanji2, kanji1 or international, and
// chosen in the ｵﾌﾟｼｮﾝ menu, behind the separator, under 駒の表示 / Pieces.
#pragma once

#include "platform/Platform.h"

#include <functional>
#include <string_view>

namespace kelvore {
class Form1;
}

namespace kelvore::pieces {

enum class Style { Kanji2, Kanji1, International };

// The value kept in window.ini: "kanji2", "kanji1", "international".
std::string_view keyOf(Style style);
// The style a kept value names; anything else (nothing, a misspelling) is the default, kanji2.
Style styleOfKey(std::string_view key);

// The menu item that chooses a style.
MenuItem menuItemOf(Style style);

// The three items of 駒の表示 / Pieces: the chosen one carries the check mark. Choosing one
// marks it and hands the style to `chosen` (the window draws the pieces again and keeps it);
// choosing the style already shown does nothing.
class StyleMenu {
public:
    StyleMenu(Form1& form, Style shown, std::function<void(Style)> chosen);
    ~StyleMenu();
    StyleMenu(const StyleMenu&) = delete;
    StyleMenu& operator=(const StyleMenu&) = delete;

    Style shown() const { return shown_; }

private:
    void choose(Style style);
    void mark();

    Form1& form_;
    Style shown_;
    std::function<void(Style)> chosen_;
};

} // namespace kelvore::pieces
