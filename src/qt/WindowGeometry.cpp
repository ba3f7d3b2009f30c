#include "WindowGeometry.h"

#include <QFileInfo>
#include <QSettings>

#include <algorithm>
#include <cmath>

namespace kelvore::qt {

namespace {

// The game's window, width over height.
constexpr double kAspect = double(screen::kWindowWidth) / screen::kWindowHeight;
constexpr qint64 kMaxFileSize = 64 * 1024;
constexpr int kMaxSide = 100000;

} // namespace

QRect firstGeometry(const QRect& available, int menuHeight,
                    const std::function<int(int)>& sideWidth) {
    const int maxW = available.width();
    const int maxH = available.height() - menuHeight - kTitleBarAllowance;
    const auto side = [&sideWidth](int height) { return sideWidth ? sideWidth(height) : 0; };
    int h = std::max(kBaseHeight, static_cast<int>(std::lround(available.height() * 0.85)));
    int w = static_cast<int>(std::lround(h * kAspect));
    if (h > maxH) {
        h = maxH;
        w = static_cast<int>(std::lround(h * kAspect));
    }
    // The board and the panel beside it fit the width: the board gives way (the panel's width
    // shrinks with it, so a few rounds settle).
    for (int round = 0; round < 4 && w + side(h) > maxW; ++round) {
        w = std::max(1, maxW - side(h));
        h = static_cast<int>(std::lround(w / kAspect));
    }
    if (w + side(h) > maxW) {
        w = std::max(1, maxW - side(h));
        h = static_cast<int>(std::lround(w / kAspect));
    }
    w = std::max(w, 1);
    h = std::max(h, 1);
    w = std::min(maxW, w + side(h));
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
    // Only the window's own group: the move list's and the analysis's settings stay.
    ini.remove(QStringLiteral("window"));
    ini.setValue(QStringLiteral("window/x"), g.rect.left());
    ini.setValue(QStringLiteral("window/y"), g.rect.top());
    ini.setValue(QStringLiteral("window/width"), g.rect.width());
    ini.setValue(QStringLiteral("window/height"), g.rect.height());
    ini.setValue(QStringLiteral("window/maximized"), g.maximized);
    ini.sync();
    return ini.status() == QSettings::NoError;
}

std::optional<bool> readMoveListShown(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile() || info.size() > kMaxFileSize) return std::nullopt;
    QSettings ini(path, QSettings::IniFormat);
    const QVariant v = ini.value(QStringLiteral("panel/moveList"));
    if (ini.status() != QSettings::NoError || !v.isValid()) return std::nullopt;
    const QString text = v.toString().trimmed().toLower();
    if (text == QLatin1String("true")) return true;
    if (text == QLatin1String("false")) return false;
    return std::nullopt;
}

bool writeMoveListShown(const QString& path, bool shown) {
    const QFileInfo info(path);
    if (info.exists() && (!info.isFile() || info.size() > kMaxFileSize)) return false;
    QSettings ini(path, QSettings::IniFormat);
    ini.setValue(QStringLiteral("panel/moveList"), shown);
    ini.sync();
    return ini.status() == QSettings::NoError;
}

} // namespace kelvore::qt
