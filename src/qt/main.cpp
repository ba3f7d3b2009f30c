// The Kelvore program: the game in a Qt window.
#include "MainWindow.h"
#include "Pictures.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The settings live in the user's configuration folder unless --workdir says otherwise.
QString workFolderFor(const std::string& workdir) {
    return workdir.empty() ? QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
                           : QString::fromLocal8Bit(workdir.c_str());
}

// The usage, then the places this run would use: the help needs no display.
void printHelp(const std::string& workdir) {
    std::puts("使い方: kelvore [--workdir <フォルダ>] [--help]\n"
              "  --workdir <フォルダ>  設定ファイルと棋譜の既定フォルダを置く場所\n"
              "  --help                この説明を表示して終了します");
    const QString settings =
        QDir(workFolderFor(workdir)).absoluteFilePath(QStringLiteral("Kelvore.ini"));
    std::printf("設定ファイル: %s\n効果音とBGM: %s\n", settings.toLocal8Bit().constData(),
                kelvore::qt::MainWindow::soundFolder().toLocal8Bit().constData());
}

bool hasDisplay() {
    const char* x = std::getenv("DISPLAY");
    const char* w = std::getenv("WAYLAND_DISPLAY");
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    return (x && *x) || (w && *w) || (platform && std::strcmp(platform, "offscreen") == 0);
}

} // namespace

int main(int argc, char* argv[]) {
    std::string workdir;
    bool help = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            help = true;
        } else if (arg == "--workdir" && i + 1 < argc) {
            workdir = argv[++i];
        } else {
            std::fprintf(stderr, "kelvore: 不明な引数です: %s (--help で使い方を表示します)\n",
                         arg.c_str());
            return 2;
        }
    }
    if (help) {
        QCoreApplication core(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("kelvore"));
        printHelp(workdir);
        return 0;
    }

    if (!hasDisplay()) {
        std::fprintf(stderr, "kelvore: 画面が必要です (DISPLAY も WAYLAND_DISPLAY もありません)。"
                             "画面のない所では xvfb-run build/kelvore で動かして下さい。\n");
        return 2;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kelvore"));

    // Qt's own button texts in Japanese, whatever the user's locale.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);
    QApplication::setFont(kelvore::qt::japaneseFont());

    kelvore::qt::MainWindow window(workFolderFor(workdir));
    window.show();
    return QApplication::exec();
}
