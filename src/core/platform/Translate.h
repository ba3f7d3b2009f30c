// The one gate the texts the game makes for the player pass: translate("Context", "source")
// gives the source text (the game's own Japanese) unchanged until a program installs a
// translator, and that translator's words afterwards. The translation tools find the texts by
// these calls and by KELVORE_TRANSLATE_NOOP, which marks a text kept in a table and translated
// where it is shown. Nothing here knows Qt.
#pragma once

#include "platform/Platform.h"

#include <initializer_list>
#include <string>
#include <string_view>

// Marks a text for the translation tools and leaves it as it is.
#define KELVORE_TRANSLATE_NOOP(context, source) source

namespace kelvore {

// Installs the translator every later translate() asks (none: the texts stay Japanese). The
// program installs it once at start, before any text is made; it must outlive every call.
void setTranslator(const Translator* translator);
// True when a translator is installed: the texts are not the game's own Japanese.
bool translated();

// The text `source` of `context` in the chosen language.
std::string translate(const char* context, const char* source);

// `pattern` with %1, %2, ... %9 replaced by the values in order (a text made of parts keeps its
// parts' places in every language): args("%1の勝ちです", {"先手"}).
std::string args(std::string_view pattern, std::initializer_list<std::string_view> values);

} // namespace kelvore
