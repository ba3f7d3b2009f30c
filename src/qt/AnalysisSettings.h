// The analysis's own setting, kept in "window.ini" beside the window's size and place: how long
// the engine looks at each position of a game.
#pragma once

#include <QString>

#include <optional>

namespace kelvore::qt {

// The time of each position's search: from 50 ms to a minute.
inline constexpr int kFewestMsPerPosition = 50;
inline constexpr int kMostMsPerPosition = 60 * 1000;

// The time kept in the file; nothing when the file is missing, is not a regular file, or holds
// no usable number. A number out of range is brought into it.
std::optional<int> readMsPerPosition(const QString& path);

// Keeps the time in the file, leaving its other settings alone; a path that exists and is not
// a regular file is left alone.
bool writeMsPerPosition(const QString& path, int ms);

} // namespace kelvore::qt
