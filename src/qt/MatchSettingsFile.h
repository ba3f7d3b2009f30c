// The match settings in the [match] group of window.ini, beside the window's size and place:
// read at start-up (a file written by hand with only some keys, or with values that make no
// sense, still gives settings: match/MatchSettings.h says how), written whenever they change.
#pragma once

#include "match/MatchSettings.h"

#include <QString>

namespace kelvore::qt {

// The settings kept; the defaults when the file is missing, not a regular file, or too large.
match::MatchSettings readMatchSettings(const QString& path);
// Rewrites the group; the file's other groups stay. False when it could not be written.
bool writeMatchSettings(const QString& path, const match::MatchSettings& settings);

} // namespace kelvore::qt
