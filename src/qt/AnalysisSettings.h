// The analysis's own settings, kept in "window.ini" beside the window's size and place: how much
// the engine looks at each position of a game. The count of nodes is the default, and gives the
// same verdicts on every run; a time, when one is kept, is used instead.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace kelvore::qt {

// The nodes of each position's search: from a thousand to a thousand million.
inline constexpr std::int64_t kFewestNodesPerPosition = 1000;
inline constexpr std::int64_t kMostNodesPerPosition = 1000 * 1000 * 1000;
// The time of each position's search: from 50 ms to a minute.
inline constexpr int kFewestMsPerPosition = 50;
inline constexpr int kMostMsPerPosition = 60 * 1000;

// The count kept in the file ("analysis/nodesPerPosition"); nothing when the file is missing,
// is not a regular file, or holds no usable number. A number out of range is brought into it.
std::optional<std::int64_t> readNodesPerPosition(const QString& path);
// The time kept in the file ("analysis/msPerPosition"), read as the count is.
std::optional<int> readMsPerPosition(const QString& path);

// Keep the count or the time in the file, leaving its other settings alone; a path that exists
// and is not a regular file is left alone.
bool writeNodesPerPosition(const QString& path, std::int64_t nodes);
bool writeMsPerPosition(const QString& path, int ms);

} // namespace kelvore::qt
