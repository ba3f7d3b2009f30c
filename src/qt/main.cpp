// The Kelvore program: the game in a Qt window.
#include "MainWindow.h"
#include "Pictures.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLibraryInfo>
#include <QPainter>
#include <QStandardPaths>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void printHelp() {
    std::puts("使い方: kelvore [--workdir <フォルダ>] [--help]\n"
              "  --workdir <フォルダ>  設定ファイルと棋譜の既定フォルダを置く場所\n"
              "  --help                この説明を表示して終了します");
}

bool hasDisplay() {
    const char* x = std::getenv("DISPLAY");
    const char* w = std::getenv("WAYLAND_DISPLAY");
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    return (x && *x) || (w && *w) || (platform && std::strcmp(platform, "offscreen") == 0);
}

int exportIcon(const char* path) {
    QImage icon(256, 256, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    kelvore::qt::paintIcon(p, QRectF(28, 8, 200, 240));
    p.end();
    return icon.save(QString::fromLocal8Bit(path)) ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    std::string workdir;
    const char* iconPath = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            printHelp();
            return 0;
        }
        if (arg == "--workdir" && i + 1 < argc) {
            workdir = argv[++i];
        } else if (arg == "--export-icon" && i + 1 < argc) {
            iconPath = argv[++i];
        } else {
            std::fprintf(stderr, "kelvore: 不明な引数です: %s (--help で使い方を表示します)\n",
                         arg.c_str());
            return 2;
        }
    }

    if (!hasDisplay()) {
        std::fprintf(stderr, "kelvore: 画面が必要です (DISPLAY も WAYLAND_DISPLAY もありません)。"
                             "画面のない所では xvfb-run build/kelvore で動かして下さい。\n");
        return 2;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kelvore"));
    if (iconPath != nullptr) return exportIcon(iconPath);

    // Qt's own button texts in Japanese, whatever the user's locale.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);
    QApplication::setFont(kelvore::qt::japaneseFont());

    // The settings live in the user's configuration folder unless --workdir says otherwise.
    const QString workFolder =
        workdir.empty() ? QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
                        : QString::fromLocal8Bit(workdir.c_str());

    kelvore::qt::MainWindow window(workFolder);
    window.show();
    return QApplication::exec();
}
