// The Kelvore program: the game in a Qt window.
#include "Language.h"
#include "MainWindow.h"
#include "Pictures.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

namespace {

// The settings live in the user's configuration folder unless --workdir says otherwise.
QString workFolderFor(const std::string& workdir) {
    return workdir.empty() ? QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
                           : QString::fromLocal8Bit(workdir.c_str());
}

// The usage, then the places this run would use: the help needs no display.
void printHelp(const std::string& workdir) {
    std::puts(QCoreApplication::translate(
                  "main", "使い方: kelvore [--workdir <フォルダ>] [--language ja|en] [--help]\n"
                          "  --workdir <フォルダ>  設定ファイルと棋譜の既定フォルダを置く場所\n"
                          "  --language ja|en      日本語 (ja) か英語 (en) で表示します。"
                          "選ばなければ window.ini の [view] language、それもなければ日本語\n"
                          "  --help                この説明を表示して終了します")
                  .toLocal8Bit()
                  .constData());
    const QString settings =
        QDir(workFolderFor(workdir)).absoluteFilePath(QStringLiteral("Kelvore.ini"));
    std::printf(QCoreApplication::translate("main", "設定ファイル: %s\n効果音とBGM: %s\n")
                    .toLocal8Bit()
                    .constData(),
                settings.toLocal8Bit().constData(),
                kelvore::qt::MainWindow::soundFolder().toLocal8Bit().constData());
}

// The language of this run: --language, else the one kept in window.ini, else Japanese.
kelvore::qt::Language languageFor(const std::optional<kelvore::qt::Language>& asked,
                                  const std::string& workdir) {
    if (asked) return *asked;
    const QString ini = QDir(workFolderFor(workdir)).absoluteFilePath(QStringLiteral("window.ini"));
    return kelvore::qt::readLanguage(ini).value_or(kelvore::qt::Language::Japanese);
}

bool hasDisplay() {
    const char* x = std::getenv("DISPLAY");
    const char* w = std::getenv("WAYLAND_DISPLAY");
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    return (x && *x) || (w && *w) || (platform && std::strcmp(platform, "offscreen") == 0);
}

} // namespace

int main(int argc, char* argv[]) {
    using kelvore::qt::Language;
    std::string workdir;
    bool help = false;
    std::optional<Language> language;
    std::string unknown;
    for (int i = 1; i < argc && unknown.empty(); ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            help = true;
        } else if (arg == "--workdir" && i + 1 < argc) {
            workdir = argv[++i];
        } else if (arg == "--language" && i + 1 < argc &&
                   (language =
                        kelvore::qt::languageFromCode(QString::fromLocal8Bit(argv[i + 1])))) {
            ++i;
        } else {
            unknown = arg == "--language" && i + 1 < argc ? arg + " " + argv[i + 1] : arg;
        }
    }
    // Everything said from here on is said in the language of the run.
    QCoreApplication::setApplicationName(QStringLiteral("kelvore"));
    if (help || !unknown.empty()) {
        QCoreApplication core(argc, argv);
        kelvore::qt::useLanguage(languageFor(language, workdir));
        if (!unknown.empty()) {
            std::fprintf(stderr,
                         QCoreApplication::translate(
                             "main", "kelvore: 不明な引数です: %s (--help で使い方を表示します)\n")
                             .toLocal8Bit()
                             .constData(),
                         unknown.c_str());
            return 2;
        }
        printHelp(workdir);
        return 0;
    }

    if (!hasDisplay()) {
        QCoreApplication core(argc, argv);
        kelvore::qt::useLanguage(languageFor(language, workdir));
        std::fputs(QCoreApplication::translate(
                       "main", "kelvore: 画面が必要です (DISPLAY も WAYLAND_DISPLAY もありません)。"
                               "画面のない所では xvfb-run build/kelvore で動かして下さい。\n")
                       .toLocal8Bit()
                       .constData(),
                   stderr);
        return 2;
    }

    QApplication app(argc, argv);
    kelvore::qt::useLanguage(languageFor(language, workdir));
    QApplication::setFont(kelvore::qt::japaneseFont());

    kelvore::qt::MainWindow window(workFolderFor(workdir));
    window.show();
    return QApplication::exec();
}
