#include "pieces/PieceStyle.h"

#include "Form1.h"

namespace kelvore::pieces {

namespace {

constexpr Style kStyles[] = {Style::Kanji2, Style::Kanji1, Style::International};

} // namespace

std::string_view keyOf(Style style) {
    switch (style) {
    case Style::Kanji1: return "kanji1";
    case Style::International: return "international";
    case Style::Kanji2: break;
    }
    return "kanji2";
}

Style styleOfKey(std::string_view key) {
    for (Style s : kStyles)
        if (keyOf(s) == key) return s;
    return Style::Kanji2;
}

MenuItem menuItemOf(Style style) {
    switch (style) {
    case Style::Kanji1: return MenuItem::PIECES_KANJI1;
    case Style::International: return MenuItem::PIECES_INTERNATIONAL;
    case Style::Kanji2: break;
    }
    return MenuItem::PIECES_KANJI2;
}

StyleMenu::StyleMenu(Form1& form, Style shown, std::function<void(Style)> chosen)
    : form_(form), shown_(shown), chosen_(std::move(chosen)) {
    for (Style s : kStyles) form_.setOwnCommand(menuItemOf(s), [this, s] { choose(s); });
    mark();
}

StyleMenu::~StyleMenu() {
    for (Style s : kStyles) form_.setOwnCommand(menuItemOf(s), nullptr);
}

void StyleMenu::choose(Style style) {
    if (style == shown_) {
        mark();
        return;
    }
    shown_ = style;
    mark();
    if (chosen_) chosen_(style);
}

void StyleMenu::mark() {
    for (Style s : kStyles) form_.platform().menu.setChecked(menuItemOf(s), s == shown_);
}

} // namespace kelvore::pieces
