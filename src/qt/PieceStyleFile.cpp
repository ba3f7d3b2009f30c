#include "PieceStyleFile.h"

#include <QFileInfo>
#include <QSettings>

namespace kelvore::qt {

namespace {

constexpr qint64 kMaxFileSize = 64 * 1024;
const char* const kKey = "view/pieces";

} // namespace

pieces::Style readPieceStyle(const QString& path) {
    const QFileInfo info(path);
    // A pipe or a device would block or never end; a huge file is not ours.
    if (!info.exists() || !info.isFile() || info.size() > kMaxFileSize) return {};
    QSettings ini(path, QSettings::IniFormat);
    if (ini.status() != QSettings::NoError) return {};
    return pieces::styleOfKey(ini.value(QLatin1String(kKey)).toString().trimmed().toStdString());
}

bool writePieceStyle(const QString& path, pieces::Style style) {
    const QFileInfo info(path);
    if (info.exists() && (!info.isFile() || info.size() > kMaxFileSize)) return false;
    QSettings ini(path, QSettings::IniFormat);
    const std::string_view key = pieces::keyOf(style);
    ini.setValue(QLatin1String(kKey), QString::fromLatin1(key.data(), qsizetype(key.size())));
    ini.sync();
    return ini.status() == QSettings::NoError;
}

} // namespace kelvore::qt
