// The outside world as the game sees it: the window's canvas, message boxes, menu marks, the
// clock timer, the time of day, the sound library and the record panel. The Qt program
// implements these; the tests implement them with recording fakes. Nothing here knows Qt.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvore {

// Every command of the menu bar, by the name its handler bears.
enum class MenuItem {
    TAIKYOKU,
    MATCH_MAN,
    START,
    START2,
    SENTE,
    GOTE,
    LEVEL,
    LEVEL1,
    LEVEL2,
    LEVEL3,
    LEVEL4,
    LEVEL5,
    OWARI,
    STOP,
    CANCEL,
    REVERSE,
    REPLAY,
    AFTER,
    LBEL_UP,
    LEBEL_DOWN,
    KIFU,
    KIFU_READ,
    KIFU_WRITE,
    OPTION,
    HAIKEI_GA,
    MIDORI,
    TATAMI,
    TAKE,
    UCHU,
    RENGA,
    SIDOU,
    KEIKA,
    BGM,
    VER,
    // Ours: the hint (局面), the move list shown or hidden (ｵﾌﾟｼｮﾝ) and the engine's judgement
    // of the game in the move list (棋譜).
    HINT,
    MOVE_LIST,
    ANALYSE,
    // Ours, in the 棋譜 menu: KIF out and in, SFEN copied and pasted (sharing/Interchange.h).
    KIF_EXPORT,
    KIF_IMPORT,
    SFEN_COPY,
    GAME_COPY,
    SFEN_PASTE,
    // Ours, in the 対局 menu: the time control and the promotion question, resigning and
    // adjourning the game in play (match/Match.h).
    MATCH_SETTINGS,
    RESIGN,
    ADJOURN,
    // Ours, in the ｵﾌﾟｼｮﾝ menu: how the pieces are drawn (pieces/PieceStyle.h).
    PIECES,
    PIECES_KANJI2,
    PIECES_KANJI1,
    PIECES_INTERNATIONAL,
    // Ours, in the ｵﾌﾟｼｮﾝ menu: the language of the window, Japanese or English.
    LANGUAGE,
    LANGUAGE_JA,
    LANGUAGE_EN,
    Count
};

// Drawing in window units (twips) on the main window. Pictures are drawn at their own size
// (a piece is one square, 495 x 615) with the top-left corner at (x, y). Colours are indices of
// the 16-colour palette. Text is printed with its top-left corner at (x, y), transparently.
class Canvas {
public:
    virtual ~Canvas() = default;
    virtual void fillWindow(int colour) = 0;
    virtual void drawPicture(int code, double x, double y) = 0;
    virtual void drawOutline(int colour, double x1, double y1, double x2, double y2) = 0;
    virtual void drawText(std::string_view text, double x, double y, int colour, int pointSize,
                          bool bold) = 0;
    // How far to the right of x the text printed by drawText reaches, for placing it. This
    // estimate takes 20 twips a point for a character, half that for ASCII and half-width kana;
    // a canvas that knows its font measures instead.
    virtual double textWidth(std::string_view text, int pointSize, bool /*bold*/) {
        double halves = 0;
        auto byte = [&](std::size_t i) {
            return i < text.size() ? static_cast<unsigned char>(text[i]) : 0u;
        };
        for (std::size_t i = 0; i < text.size(); ++i) {
            const unsigned c = byte(i);
            if ((c & 0xC0) == 0x80) continue; // a continuation byte
            // U+FF61..U+FF9F, the half-width kana, are EF BD A1..EF BE 9F.
            const bool halfKana = c == 0xEF && ((byte(i + 1) == 0xBD && byte(i + 2) >= 0xA1) ||
                                                (byte(i + 1) == 0xBE && byte(i + 2) <= 0x9F));
            halves += c < 0x80 || halfKana ? 1 : 2;
        }
        return halves * pointSize * 10;
    }
    // Show what has been drawn so far (the game's "refresh the window").
    virtual void refresh() {}
};

// Promotion is ours: two buttons, 成る (answered Yes) and 成らない (answered No); a box closed
// without either is answered Cancel.
enum class Buttons { OK, YesNo, Promotion };
enum class Icon { None, Warning };
enum class Answer { OK, Yes, No, Cancel };

// Modal message boxes. The call returns when the user has closed the box.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual Answer messageBox(std::string_view prompt, std::string_view title, Buttons buttons,
                              Icon icon = Icon::None) = 0;
};

// Check marks and enabled states of the menu items.
class Menu {
public:
    virtual ~Menu() = default;
    virtual void setChecked(MenuItem item, bool checked) = 0;
    virtual bool isChecked(MenuItem item) const = 0;
    virtual void setEnabled(MenuItem item, bool enabled) = 0;
};

// The clock timer Timer1, which calls the game's tick handler every 50 ms while enabled.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;
};

// The time of day in seconds since midnight, with sub-second resolution.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double secondsSinceMidnight() = 0;
    // Lets about that many seconds pass (the game's only wait).
    virtual void sleepFor(double seconds) = 0;
};

// The sound library: the seven operations the game uses. Handles are 32-bit integers;
// 0 is "none" and must be accepted by every operation.
class SoundLibrary {
public:
    virtual ~SoundLibrary() = default;
    virtual std::int32_t dsInitialize(std::intptr_t windowHandle) = 0;
    virtual std::int32_t dsCreateDSB(std::int32_t device, const std::vector<std::uint8_t>& wave,
                                     std::int32_t flag) = 0;
    virtual void dsPlay(std::int32_t buffer) = 0;
    virtual void dsPlayLooping(std::int32_t buffer) = 0;
    virtual void dsStop(std::int32_t buffer) = 0;
    virtual void dsFree(std::int32_t buffer) = 0;
    virtual void dsTerminate(std::int32_t device) = 0;
};

// The game-record panel: drive, folder and file lists, four text fields with their captions
// and the RETURN button. Text fields are numbered as the game names them: 1 file name,
// 2 game name, 3 first player, 4 second player.
class RecordPanel {
public:
    virtual ~RecordPanel() = default;
    virtual void setListsVisible(bool drive, bool folder, bool file) = 0;
    virtual void setFieldsVisible(bool visible) = 0;
    virtual void setFieldText(int field, std::string_view text) = 0;
    virtual std::string fieldText(int field) const = 0;
    // The folder the folder list shows, and moving it (to a drive, or the default folder).
    virtual std::string folder() const = 0;
    virtual void showFolder(const std::string& path) = 0;
    // The file list shows the "*.棋譜" files of this folder.
    virtual void setFileFolder(const std::string& path) = 0;
    virtual void refreshFiles() = 0;
};

// The main window itself.
class Window {
public:
    virtual ~Window() = default;
    virtual std::intptr_t handle() const = 0;
    virtual int top() const = 0;
    virtual void place(int left, int top, int width, int height) = 0;
    // End the program at once; the handler that asked returns without further effect.
    virtual void quit() = 0;
};

// A short line of text of ours beside the board that goes away by itself: a notice or a
// confirmation that needs no answer (the game's own boxes stay boxes). Screen readers read it.
class StatusLine {
public:
    virtual ~StatusLine() = default;
    virtual void show(std::string_view text) = 0;
};

// The way back to the window's thread. A worker (the computer's search at levels 4 and 5)
// hands its result to post(); the continuation runs later on the window's thread, between two
// events and in the order posted: never inside post() itself, and never while a message box
// waits for an answer. A continuation still waiting when the window closes is dropped.
class Dispatcher {
public:
    virtual ~Dispatcher() = default;
    virtual void post(std::function<void()> continuation) = 0; // safe from any thread
};

// The language of the texts the game makes for the player. The game's texts are Japanese, its
// source language; a program that shows another language installs a translator once, before
// the game starts (platform/Translate.h), and every text passes it on its way to the player.
// `context` and `source` are the marked texts as the translation tools read them.
class Translator {
public:
    virtual ~Translator() = default;
    virtual std::string translate(const char* context, const char* source) const = 0;
};

// Everything the game reaches outside itself, handed to it at construction.
struct Platform {
    Canvas& canvas;
    Dialogs& dialogs;
    Menu& menu;
    Timer& timer;
    Clock& clock;
    SoundLibrary& sound;
    RecordPanel& panel;
    Window& window;
    Dispatcher& dispatcher;
    StatusLine& status;
};

} // namespace kelvore
