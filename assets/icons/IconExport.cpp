#include "IconExport.h"

#include "Pictures.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QSvgGenerator>

namespace kelvore::icons {

namespace {

constexpr int kDesignSize = 256;

// The piece within the design square: upright, with a little room on either side.
void paintDesign(QPainter& p) {
    qt::paintIcon(p, QRectF(28, 8, 200, 240));
}

} // namespace

QImage renderIcon(int size) {
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(static_cast<double>(size) / kDesignSize, static_cast<double>(size) / kDesignSize);
    paintDesign(p);
    p.end();
    return icon;
}

bool writeIconSvg(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(QSize(kDesignSize, kDesignSize));
    svg.setViewBox(QRect(0, 0, kDesignSize, kDesignSize));
    svg.setTitle(QStringLiteral("Kelvore"));
    svg.setDescription(QString::fromUtf8("酔象の駒"));
    QPainter p;
    if (!p.begin(&svg)) return false;
    paintDesign(p);
    p.end();
    return file.error() == QFileDevice::NoError;
}

QString exportIconTheme(const QString& folder) {
    const QDir root(folder);
    for (int size : kIconSizes) {
        const QString dir = QStringLiteral("hicolor/%1x%1/apps").arg(size);
        const QString path = root.filePath(dir + QStringLiteral("/kelvore.png"));
        if (!root.mkpath(dir) || !renderIcon(size).save(path, "PNG")) return path;
    }
    const QString path = root.filePath(QStringLiteral("hicolor/scalable/apps/kelvore.svg"));
    if (!root.mkpath(QStringLiteral("hicolor/scalable/apps")) || !writeIconSvg(path)) return path;
    return {};
}

} // namespace kelvore::icons
