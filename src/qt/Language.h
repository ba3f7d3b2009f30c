// The language the program speaks: Japanese, the game's own, unless English is chosen by
// `--language en` or in ｵﾌﾟｼｮﾝ → 言語 / Language. The choice is kept in window.ini as
// `[view] language=en` or `ja` and takes effect at the next start; the system's locale plays no
// part. English comes from the translations compiled into the program (translations/*.ts).
#pragma once

// Before Qt: the game has a member named "slots".
#include "Form1.h"

#include <QString>

#include <optional>

namespace kelvore::qt {

enum class Language { Japanese, English };

// "ja" and "en", the codes of the command line and of window.ini.
std::optional<Language> languageFromCode(const QString& code);
QString languageCode(Language language);

// The language kept in window.ini; nothing when the file does not say (or says something else).
std::optional<Language> readLanguage(const QString& path);
bool writeLanguage(const QString& path, Language language);

// Puts the whole run in `language` before any window or text is made: Qt's own texts (the
// buttons of the boxes), the window's texts and the game's texts (through its translator),
// and the notation of the moves. Call once, after the application object exists.
void useLanguage(Language language);
Language languageInUse();

// The items of ｵﾌﾟｼｮﾝ → 言語 / Language: the chosen language is marked, and choosing one keeps it
// in `iniPath` for the next start and says so in both languages in the status line.
void offerLanguages(Form1& form, const QString& iniPath);

} // namespace kelvore::qt
