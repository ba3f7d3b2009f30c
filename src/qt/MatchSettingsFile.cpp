#include "MatchSettingsFile.h"

#include <QFileInfo>
#include <QSettings>

namespace kelvore::qt {

namespace {

constexpr qint64 kMaxFileSize = 64 * 1024;

QString q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString groupKey(std::string_view key) {
    return q(match::kGroup) + QLatin1Char('/') + q(key);
}

} // namespace

match::MatchSettings readMatchSettings(const QString& path) {
    const QFileInfo info(path);
    // A pipe or a device would block or never end; a huge file is not ours.
    if (!info.exists() || !info.isFile() || info.size() > kMaxFileSize) return {};
    QSettings ini(path, QSettings::IniFormat);
    if (ini.status() != QSettings::NoError) return {};
    return match::readSettings([&ini](std::string_view key) -> std::optional<std::string> {
        const QVariant v = ini.value(groupKey(key));
        if (!v.isValid()) return std::nullopt;
        return v.toString().toStdString();
    });
}

bool writeMatchSettings(const QString& path, const match::MatchSettings& settings) {
    const QFileInfo info(path);
    if (info.exists() && (!info.isFile() || info.size() > kMaxFileSize)) return false;
    QSettings ini(path, QSettings::IniFormat);
    ini.remove(q(match::kGroup));
    for (const auto& [key, value] : match::settingsKeys(settings))
        ini.setValue(groupKey(key), QString::fromStdString(value));
    ini.sync();
    return ini.status() == QSettings::NoError;
}

} // namespace kelvore::qt
