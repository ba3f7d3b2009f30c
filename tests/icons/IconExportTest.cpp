// The icon files a desktop menu shows: every size, and the scalable copy against the pictures.
#include "IconExport.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtTest/QtTest>

using namespace kelvore;

namespace {

// Pixels of the dark character: opaque and nearly black.
int inkPixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() > 200 && c.red() < 80 && c.green() < 80 && c.blue() < 80) ++n;
        }
    return n;
}

// The mean difference of the alpha channels of two pictures of one size, from 0 to 255.
double alphaDifference(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            sum += std::abs(a.pixelColor(x, y).alpha() - b.pixelColor(x, y).alpha());
    return sum / (a.width() * a.height());
}

} // namespace

class IconExportTest : public QObject {
    Q_OBJECT
private slots:
    void everySizeIsASquarePieceOnATransparentGround() {
        QTemporaryDir dir;
        QCOMPARE(icons::exportIconTheme(dir.path()), QString());
        const QImage large = icons::renderIcon(256);
        for (int size : icons::kIconSizes) {
            const QString path =
                dir.filePath(QStringLiteral("hicolor/%1x%1/apps/kelvore.png").arg(size));
            QImage image(path);
            QVERIFY2(!image.isNull(), qPrintable(path));
            QCOMPARE(image.size(), QSize(size, size));
            image = image.convertToFormat(QImage::Format_ARGB32);
            // The corners are empty, the middle of the piece is covered, and the character shows.
            QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
            QCOMPARE(image.pixelColor(size - 1, 0).alpha(), 0);
            QCOMPARE(image.pixelColor(size / 2, size * 7 / 8).alpha(), 255);
            QVERIFY(inkPixels(image) > size * size / 40);
            // A smaller size is the large picture scaled, not a crop or a shifted copy.
            const QImage scaled =
                large.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                    .convertToFormat(QImage::Format_ARGB32);
            QVERIFY2(alphaDifference(image, scaled) < 8, qPrintable(path));
        }
    }

    void theScalableCopyDrawsTheSameShapesWithoutNeedingTheFont() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("kelvore.svg"));
        QVERIFY(icons::writeIconSvg(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray svg = file.readAll();
        // The character is an outline: a machine without the brush font shows the same icon.
        QVERIFY(!svg.contains("<text"));
        QVERIFY(svg.contains("viewBox=\"0 0 256 256\""));

        QSvgRenderer renderer(svg);
        QVERIFY(renderer.isValid());
        QImage drawn(128, 128, QImage::Format_ARGB32);
        drawn.fill(Qt::transparent);
        QPainter p(&drawn);
        p.setRenderHint(QPainter::Antialiasing);
        renderer.render(&p);
        p.end();
        const QImage painted = icons::renderIcon(128).convertToFormat(QImage::Format_ARGB32);
        QVERIFY(alphaDifference(drawn, painted) < 4);
        const int ink = inkPixels(painted);
        QVERIFY(ink > 0);
        QVERIFY(std::abs(inkPixels(drawn) - ink) < ink / 10);
    }

    void anUnwritableFolderIsNamed() {
        QTemporaryDir dir;
        // A file where the theme's first folder should be.
        QFile blocker(dir.filePath(QStringLiteral("hicolor")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString failed = icons::exportIconTheme(dir.path());
        QVERIFY(failed.endsWith(QStringLiteral("hicolor/48x48/apps/kelvore.png")));
        QVERIFY(!icons::writeIconSvg(dir.filePath(QStringLiteral("hicolor/kelvore.svg"))));
    }
};

QTEST_MAIN(IconExportTest)
#include "IconExportTest.moc"
