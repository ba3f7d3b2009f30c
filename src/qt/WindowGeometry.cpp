#include "WindowGeometry.h"

#include <QFileInfo>
#include <QSettings>

#include <algorithm>
#include <cmath>

namespace kelvore::qt {

namespace {

constexpr double kAspect = 9000.0 / 8000.0; // the game's window, width over height
constexpr qint64 kMaxFileSize = 64 * 1024;
constexpr int kMaxSide = 100000;

} // namespace

QRect firstGeometry(const QRect& available, int menuHeight) {
    const int maxW = available.width();
    const int maxH = available.height() - menuHeight - kTitleBarAllowance;
    int h = std::max(kBaseHeight, static_cast<int>(std::lround(available.height() * 0.85)));
    int w = static_cast<int>(std::lround(h * kAspect));
    if (h > maxH) {
        h = maxH;
        w = static_cast<int>(std::lround(h * kAspect));
    }
    if (w > maxW) {
        w = maxW;
        h = static_cast<int>(std::lround(w / kAspect));
    }
    w = std::max(w, 1);
    h = std::max(h, 1);
    const int totalH = h + menuHeight;
    const int x = available.left() + (available.width() - w) / 2;
    // The frame, title bar included, centred.
    const int y = available.top() + (available.height() - totalH - kTitleBarAllowance) / 2 +
                  kTitleBarAllowance;
    return {std::max(available.left(), x), std::max(available.top(), y), w, totalH};
}

QRect fitGeometry(const QRect& remembered, const QRect& available) {
    const int top = available.top() + std::min(kTitleBarAllowance, available.height() / 4);
    const int w = std::clamp(remembered.width(), 1, std::max(1, available.width()));
    const int h = std::clamp(remembered.height(), 1, std::max(1, available.bottom() + 1 - top));
    const int x = std::clamp(remembered.left(), available.left(),
                             std::max(available.left(), available.right() + 1 - w));
    const int y = std::clamp(remembered.top(), top, std::max(top, available.bottom() + 1 - h));
    return {x, y, w, h};
}

std::optional<SavedGeometry> readGeometry(const QString& path) {
    const QFileInfo info(path);
    // A pipe or a device would block or never end; a huge file is not ours.
    if (!info.exists() || !info.isFile() || info.size() > kMaxFileSize) return std::nullopt;
    QSettings ini(path, QSettings::IniFormat);
    if (ini.status() != QSettings::NoError) return std::nullopt;
    int v[4];
    const char* keys[4] = {"window/x", "window/y", "window/width", "window/height"};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = ini.value(QLatin1String(keys[i])).toInt(&ok);
        if (!ok || std::abs(v[i]) > kMaxSide) return std::nullopt;
    }
    if (v[2] <= 0 || v[3] <= 0) return std::nullopt;
    SavedGeometry g;
    g.rect = QRect(v[0], v[1], v[2], v[3]);
    // Our writer writes true or false; anything else ("banana", 1, yes) is ignored.
    g.maximized = ini.value(QStringLiteral("window/maximized")).toString() == QLatin1String("true");
    return g;
}

bool writeGeometry(const QString& path, const SavedGeometry& g) {
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) return false;
    QSettings ini(path, QSettings::IniFormat);
    ini.clear();
    ini.setValue(QStringLiteral("window/x"), g.rect.left());
    ini.setValue(QStringLiteral("window/y"), g.rect.top());
    ini.setValue(QStringLiteral("window/width"), g.rect.width());
    ini.setValue(QStringLiteral("window/height"), g.rect.height());
    ini.setValue(QStringLiteral("window/maximized"), g.maximized);
    ini.sync();
    return ini.status() == QSettings::NoError;
}

} // namespace kelvore::qt
