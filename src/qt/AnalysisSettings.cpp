#include "AnalysisSettings.h"

#include <QFileInfo>
#include <QSettings>

#include <algorithm>

namespace kelvore::qt {

namespace {

constexpr qint64 kMaxFileSize = 64 * 1024;
const char* const kKey = "analysis/msPerPosition";

} // namespace

std::optional<int> readMsPerPosition(const QString& path) {
    const QFileInfo info(path);
    // A pipe or a device would block or never end; a huge file is not ours.
    if (!info.exists() || !info.isFile() || info.size() > kMaxFileSize) return std::nullopt;
    QSettings ini(path, QSettings::IniFormat);
    bool ok = false;
    const qlonglong ms = ini.value(QLatin1String(kKey)).toLongLong(&ok);
    if (ini.status() != QSettings::NoError || !ok) return std::nullopt;
    return static_cast<int>(std::clamp<qlonglong>(ms, kFewestMsPerPosition, kMostMsPerPosition));
}

bool writeMsPerPosition(const QString& path, int ms) {
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) return false;
    QSettings ini(path, QSettings::IniFormat);
    ini.setValue(QLatin1String(kKey), std::clamp(ms, kFewestMsPerPosition, kMostMsPerPosition));
    ini.sync();
    return ini.status() == QSettings::NoError;
}

} // namespace kelvore::qt
