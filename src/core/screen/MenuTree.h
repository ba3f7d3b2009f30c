// The menu bar of the main window: captions, nesting and the command each item carries.
#pragma once

#include "platform/Platform.h"

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
    {MenuItem::TAIKYOKU, "対局", std::nullopt, false},
    {MenuItem::MATCH_MAN, "対局(人間)", MenuItem::TAIKYOKU, false},
    {MenuItem::START, "スタート", MenuItem::MATCH_MAN, false},
    {MenuItem::START2, "対局(COM)", MenuItem::TAIKYOKU, false},
    {MenuItem::SENTE, "先手", MenuItem::START2, false},
    {MenuItem::GOTE, "後手", MenuItem::START2, false},
    {MenuItem::LEVEL, "COM対局ﾚﾍﾞﾙ", MenuItem::TAIKYOKU, false},
    {MenuItem::LEVEL1, "LEVEL1", MenuItem::LEVEL, true},
    {MenuItem::LEVEL2, "LEVEL2", MenuItem::LEVEL, true},
    {MenuItem::LEVEL3, "LEVEL3", MenuItem::LEVEL, true},
    {MenuItem::LEVEL4, "LEVEL4", MenuItem::LEVEL, true, true},
    {MenuItem::LEVEL5, "LEVEL5", MenuItem::LEVEL, true, true},
    {MenuItem::OWARI, "終わり", MenuItem::TAIKYOKU, false},
    {MenuItem::MATCH_SETTINGS, "対局設定…", MenuItem::TAIKYOKU, false, true},
    {MenuItem::RESIGN, "投了", MenuItem::TAIKYOKU, false, true},
    {MenuItem::ADJOURN, "中断", MenuItem::TAIKYOKU, false, true},
    {MenuItem::STOP, "局面", std::nullopt, false},
    {MenuItem::CANCEL, "最初", MenuItem::STOP, false},
    {MenuItem::REVERSE, "反転", MenuItem::STOP, false},
    {MenuItem::HINT, "ヒント", MenuItem::STOP, false, true},
    {MenuItem::REPLAY, "戻", std::nullopt, false},
    {MenuItem::AFTER, "進", std::nullopt, false},
    {MenuItem::LBEL_UP, "△", std::nullopt, false},
    {MenuItem::LEBEL_DOWN, "▽", std::nullopt, false},
    {MenuItem::KIFU, "棋譜", std::nullopt, false},
    {MenuItem::KIFU_READ, "読込", MenuItem::KIFU, false},
    {MenuItem::KIFU_WRITE, "書込", MenuItem::KIFU, false},
    {MenuItem::ANALYSE, "解析", MenuItem::KIFU, false, true},
    {MenuItem::KIF_EXPORT, "KIF書出…", MenuItem::KIFU, false, true},
    {MenuItem::KIF_IMPORT, "KIF読込…", MenuItem::KIFU, false, true},
    {MenuItem::SFEN_COPY, "局面をSFENでコピー", MenuItem::KIFU, false, true},
    {MenuItem::GAME_COPY, "棋譜をUSIでコピー", MenuItem::KIFU, false, true},
    {MenuItem::SFEN_PASTE, "SFENの局面を貼付", MenuItem::KIFU, false, true},
    {MenuItem::OPTION, "ｵﾌﾟｼｮﾝ", std::nullopt, false},
    {MenuItem::HAIKEI_GA, "背景画", MenuItem::OPTION, false},
    {MenuItem::MIDORI, "緑", MenuItem::HAIKEI_GA, true},
    {MenuItem::TATAMI, "畳", MenuItem::HAIKEI_GA, true},
    {MenuItem::TAKE, "竹", MenuItem::HAIKEI_GA, true},
    {MenuItem::UCHU, "宇宙", MenuItem::HAIKEI_GA, true},
    {MenuItem::RENGA, "煉瓦", MenuItem::HAIKEI_GA, true},
    {MenuItem::SIDOU, "移動指導", MenuItem::OPTION, true},
    {MenuItem::KEIKA, "経過時間", MenuItem::OPTION, true},
    {MenuItem::BGM, "BGM", MenuItem::OPTION, true},
    {MenuItem::MOVE_LIST, "指し手一覧", MenuItem::OPTION, true, true},
    {MenuItem::PIECES, "駒の表示 / Pieces", MenuItem::OPTION, false, true},
    {MenuItem::PIECES_KANJI2, "二文字", MenuItem::PIECES, true, true},
    {MenuItem::PIECES_KANJI1, "一文字", MenuItem::PIECES, true, true},
    {MenuItem::PIECES_INTERNATIONAL, "International", MenuItem::PIECES, true, true},
    {MenuItem::VER, "その他", std::nullopt, false},
}};

// True for the items that open a submenu rather than carry a command.
constexpr bool hasChildren(MenuItem item) {
    for (const auto& e : kMenuTree)
        if (e.parent == item) return true;
    return false;
}

} // namespace kelvore
