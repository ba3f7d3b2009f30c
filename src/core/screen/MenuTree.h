// The menu bar of the main window: captions, nesting and the command each item carries.
#pragma once

#include "platform/Platform.h"
#include "platform/Translate.h"

#include <array>
#include <optional>
#include <string_view>

namespace kelvore {

struct MenuEntry {
    MenuItem item;
    std::string_view caption;
    std::optional<MenuItem> parent; // none: the item stands on the menu bar
    bool checkable;
    // An item of our own beyond the game's menu: it follows the game's items of its menu,
    // behind a separator.
    bool ours = false;
};

// In menu order; a parent always comes before its children, and in each menu the game's own
// items come before ours.
inline constexpr std::array<MenuEntry, static_cast<int>(MenuItem::Count)> kMenuTree{{
    {MenuItem::TAIKYOKU, KELVORE_TRANSLATE_NOOP("Menu", "対局"), std::nullopt, false},
    {MenuItem::MATCH_MAN, KELVORE_TRANSLATE_NOOP("Menu", "対局(人間)"), MenuItem::TAIKYOKU, false},
    {MenuItem::START, KELVORE_TRANSLATE_NOOP("Menu", "スタート"), MenuItem::MATCH_MAN, false},
    {MenuItem::START2, KELVORE_TRANSLATE_NOOP("Menu", "対局(COM)"), MenuItem::TAIKYOKU, false},
    {MenuItem::SENTE, KELVORE_TRANSLATE_NOOP("Menu", "先手"), MenuItem::START2, false},
    {MenuItem::GOTE, KELVORE_TRANSLATE_NOOP("Menu", "後手"), MenuItem::START2, false},
    {MenuItem::LEVEL, KELVORE_TRANSLATE_NOOP("Menu", "COM対局ﾚﾍﾞﾙ"), MenuItem::TAIKYOKU, false},
    {MenuItem::LEVEL1, KELVORE_TRANSLATE_NOOP("Menu", "LEVEL1"), MenuItem::LEVEL, true},
    {MenuItem::LEVEL2, KELVORE_TRANSLATE_NOOP("Menu", "LEVEL2"), MenuItem::LEVEL, true},
    {MenuItem::LEVEL3, KELVORE_TRANSLATE_NOOP("Menu", "LEVEL3"), MenuItem::LEVEL, true},
    {MenuItem::LEVEL4, KELVORE_TRANSLATE_NOOP("Menu", "LEVEL4"), MenuItem::LEVEL, true, true},
    {MenuItem::LEVEL5, KELVORE_TRANSLATE_NOOP("Menu", "LEVEL5"), MenuItem::LEVEL, true, true},
    {MenuItem::OWARI, KELVORE_TRANSLATE_NOOP("Menu", "終わり"), MenuItem::TAIKYOKU, false},
    {MenuItem::MATCH_SETTINGS, KELVORE_TRANSLATE_NOOP("Menu", "対局設定…"), MenuItem::TAIKYOKU,
     false, true},
    {MenuItem::RESIGN, KELVORE_TRANSLATE_NOOP("Menu", "投了"), MenuItem::TAIKYOKU, false, true},
    {MenuItem::ADJOURN, KELVORE_TRANSLATE_NOOP("Menu", "中断"), MenuItem::TAIKYOKU, false, true},
    {MenuItem::STOP, KELVORE_TRANSLATE_NOOP("Menu", "局面"), std::nullopt, false},
    {MenuItem::CANCEL, KELVORE_TRANSLATE_NOOP("Menu", "最初"), MenuItem::STOP, false},
    {MenuItem::REVERSE, KELVORE_TRANSLATE_NOOP("Menu", "反転"), MenuItem::STOP, false},
    {MenuItem::HINT, KELVORE_TRANSLATE_NOOP("Menu", "ヒント"), MenuItem::STOP, false, true},
    {MenuItem::REPLAY, KELVORE_TRANSLATE_NOOP("Menu", "戻"), std::nullopt, false},
    {MenuItem::AFTER, KELVORE_TRANSLATE_NOOP("Menu", "進"), std::nullopt, false},
    {MenuItem::LBEL_UP, KELVORE_TRANSLATE_NOOP("Menu", "△"), std::nullopt, false},
    {MenuItem::LEBEL_DOWN, KELVORE_TRANSLATE_NOOP("Menu", "▽"), std::nullopt, false},
    {MenuItem::KIFU, KELVORE_TRANSLATE_NOOP("Menu", "棋譜"), std::nullopt, false},
    {MenuItem::KIFU_READ, KELVORE_TRANSLATE_NOOP("Menu", "読込"), MenuItem::KIFU, false},
    {MenuItem::KIFU_WRITE, KELVORE_TRANSLATE_NOOP("Menu", "書込"), MenuItem::KIFU, false},
    {MenuItem::ANALYSE, KELVORE_TRANSLATE_NOOP("Menu", "解析"), MenuItem::KIFU, false, true},
    {MenuItem::KIF_EXPORT, KELVORE_TRANSLATE_NOOP("Menu", "KIF書出…"), MenuItem::KIFU, false, true},
    {MenuItem::KIF_IMPORT, KELVORE_TRANSLATE_NOOP("Menu", "KIF読込…"), MenuItem::KIFU, false, true},
    {MenuItem::SFEN_COPY, KELVORE_TRANSLATE_NOOP("Menu", "局面をSFENでコピー"), MenuItem::KIFU,
     false, true},
    {MenuItem::GAME_COPY, KELVORE_TRANSLATE_NOOP("Menu", "棋譜をUSIでコピー"), MenuItem::KIFU,
     false, true},
    {MenuItem::SFEN_PASTE, KELVORE_TRANSLATE_NOOP("Menu", "SFENの局面を貼付"), MenuItem::KIFU,
     false, true},
    {MenuItem::OPTION, KELVORE_TRANSLATE_NOOP("Menu", "ｵﾌﾟｼｮﾝ"), std::nullopt, false},
    {MenuItem::HAIKEI_GA, KELVORE_TRANSLATE_NOOP("Menu", "背景画"), MenuItem::OPTION, false},
    {MenuItem::MIDORI, KELVORE_TRANSLATE_NOOP("Menu", "緑"), MenuItem::HAIKEI_GA, true},
    {MenuItem::TATAMI, KELVORE_TRANSLATE_NOOP("Menu", "畳"), MenuItem::HAIKEI_GA, true},
    {MenuItem::TAKE, KELVORE_TRANSLATE_NOOP("Menu", "竹"), MenuItem::HAIKEI_GA, true},
    {MenuItem::UCHU, KELVORE_TRANSLATE_NOOP("Menu", "宇宙"), MenuItem::HAIKEI_GA, true},
    {MenuItem::RENGA, KELVORE_TRANSLATE_NOOP("Menu", "煉瓦"), MenuItem::HAIKEI_GA, true},
    {MenuItem::SIDOU, KELVORE_TRANSLATE_NOOP("Menu", "移動指導"), MenuItem::OPTION, true},
    {MenuItem::KEIKA, KELVORE_TRANSLATE_NOOP("Menu", "経過時間"), MenuItem::OPTION, true},
    {MenuItem::BGM, KELVORE_TRANSLATE_NOOP("Menu", "BGM"), MenuItem::OPTION, true},
    {MenuItem::MOVE_LIST, KELVORE_TRANSLATE_NOOP("Menu", "指し手一覧"), MenuItem::OPTION, true,
     true},
    {MenuItem::PIECES, "駒の表示 / Pieces", MenuItem::OPTION, false, true},
    {MenuItem::PIECES_KANJI2, KELVORE_TRANSLATE_NOOP("Menu", "二文字"), MenuItem::PIECES, true,
     true},
    {MenuItem::PIECES_KANJI1, KELVORE_TRANSLATE_NOOP("Menu", "一文字"), MenuItem::PIECES, true,
     true},
    {MenuItem::PIECES_INTERNATIONAL, "International", MenuItem::PIECES, true, true},
    // The language's caption is the same in both: either reader finds it.
    {MenuItem::LANGUAGE, "言語 / Language", MenuItem::OPTION, false, true},
    {MenuItem::LANGUAGE_JA, "日本語", MenuItem::LANGUAGE, true, true},
    {MenuItem::LANGUAGE_EN, "English", MenuItem::LANGUAGE, true, true},
    {MenuItem::VER, KELVORE_TRANSLATE_NOOP("Menu", "その他"), std::nullopt, false},
}};

// True for the items that open a submenu rather than carry a command.
constexpr bool hasChildren(MenuItem item) {
    for (const auto& e : kMenuTree)
        if (e.parent == item) return true;
    return false;
}

} // namespace kelvore
