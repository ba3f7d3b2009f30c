#include "AnalysisSettings.h"

#include <QFileInfo>
#include <QSettings>

#include <algorithm>

namespace kelvore::qt {

namespace {

constexpr qint64 kMaxFileSize = 64 * 1024;
const char* const kNodesKey = "analysis/nodesPerPosition";
const char* const kMsKey = "analysis/msPerPosition";

std::optional<qint64> readNumber(const QString& path, const char* key, qint64 least, qint64 most) {
    const QFileInfo info(path);
    // A pipe or a device would block or never end; a huge file is not ours.
    if (!info.exists() || !info.isFile() || info.size() > kMaxFileSize) return std::nullopt;
    QSettings ini(path, QSettings::IniFormat);
    bool ok = false;
    const qlonglong value = ini.value(QLatin1String(key)).toLongLong(&ok);
    if (ini.status() != QSettings::NoError || !ok) return std::nullopt;
    return std::clamp<qint64>(value, least, most);
}

bool writeNumber(const QString& path, const char* key, qint64 value) {
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) return false;
    QSettings ini(path, QSettings::IniFormat);
    ini.setValue(QLatin1String(key), value);
    ini.sync();
    return ini.status() == QSettings::NoError;
}

} // namespace

std::optional<std::int64_t> readNodesPerPosition(const QString& path) {
    return readNumber(path, kNodesKey, kFewestNodesPerPosition, kMostNodesPerPosition);
}

std::optional<int> readMsPerPosition(const QString& path) {
    const auto ms = readNumber(path, kMsKey, kFewestMsPerPosition, kMostMsPerPosition);
    if (!ms) return std::nullopt;
    return static_cast<int>(*ms);
}

bool writeNodesPerPosition(const QString& path, std::int64_t nodes) {
    return writeNumber(path, kNodesKey,
                       std::clamp(nodes, kFewestNodesPerPosition, kMostNodesPerPosition));
}

bool writeMsPerPosition(const QString& path, int ms) {
    return writeNumber(path, kMsKey, std::clamp(ms, kFewestMsPerPosition, kMostMsPerPosition));
}

} // namespace kelvore::qt
