// kelvore_icons <folder>: writes the icon theme files the install step copies.
#include "IconExport.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kelvore_icons <folder>\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    const QString failed = kelvore::icons::exportIconTheme(QString::fromLocal8Bit(argv[1]));
    if (failed.isEmpty()) return 0;
    std::fprintf(stderr, "kelvore_icons: cannot write %s\n", failed.toLocal8Bit().constData());
    return 1;
}
