#include "Language.h"

#include "notation/NotationStyle.h"
#include "platform/Translate.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>

namespace kelvore::qt {

namespace {

constexpr qint64 kMaxFileSize = 64 * 1024;
const char* const kKey = "view/language";

Language inUse = Language::Japanese;

// The game's texts, translated as the window's are.
class GameTranslator : public Translator {
public:
    std::string translate(const char* context, const char* source) const override {
        return QCoreApplication::translate(context, source).toStdString();
    }
};

} // namespace

std::optional<Language> languageFromCode(const QString& code) {
    const QString c = code.trimmed().toLower();
    if (c == QLatin1String("ja")) return Language::Japanese;
    if (c == QLatin1String("en")) return Language::English;
    return std::nullopt;
}

QString languageCode(Language language) {
    return language == Language::English ? QStringLiteral("en") : QStringLiteral("ja");
}

std::optional<Language> readLanguage(const QString& path) {
    const QFileInfo info(path);
    // A pipe or a device would block or never end; a huge file is not ours.
    if (!info.exists() || !info.isFile() || info.size() > kMaxFileSize) return std::nullopt;
    QSettings ini(path, QSettings::IniFormat);
    const QVariant v = ini.value(QLatin1String(kKey));
    if (ini.status() != QSettings::NoError || !v.isValid()) return std::nullopt;
    return languageFromCode(v.toString());
}

bool writeLanguage(const QString& path, Language language) {
    const QFileInfo info(path);
    if (info.exists() && (!info.isFile() || info.size() > kMaxFileSize)) return false;
    QSettings ini(path, QSettings::IniFormat);
    ini.setValue(QLatin1String(kKey), languageCode(language));
    ini.sync();
    return ini.status() == QSettings::NoError;
}

void useLanguage(Language language) {
    inUse = language;
    auto* app = QCoreApplication::instance();
    auto* qtTexts = new QTranslator(app);
    if (language == Language::Japanese) {
        // Qt's own button texts in Japanese (はい/いいえ); the game's texts are Japanese already.
        if (qtTexts->load(QStringLiteral("qtbase_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(qtTexts);
        setTranslator(nullptr);
    } else {
        // Qt's own texts are English; ours come from the resource compiled into the program.
        auto* ours = new QTranslator(app);
        if (ours->load(QStringLiteral(":/i18n/kelvore_en.qm")))
            QCoreApplication::installTranslator(ours);
        static const GameTranslator game;
        setTranslator(&game);
    }
    // English moves are written in Western notation (P-7f), Japanese ones as ever (▲７六歩).
    notation::setStyle(language == Language::English ? notation::Style::Western
                                                     : notation::Style::Japanese);
}

Language languageInUse() {
    return inUse;
}

void offerLanguages(Form1& form, const QString& iniPath) {
    Menu& menu = form.platform().menu;
    const Language chosen = readLanguage(iniPath).value_or(inUse);
    menu.setChecked(MenuItem::LANGUAGE_JA, chosen == Language::Japanese);
    menu.setChecked(MenuItem::LANGUAGE_EN, chosen == Language::English);
    auto choose = [&form, iniPath](Language language) {
        Menu& m = form.platform().menu;
        m.setChecked(MenuItem::LANGUAGE_JA, language == Language::Japanese);
        m.setChecked(MenuItem::LANGUAGE_EN, language == Language::English);
        // Said in both languages: the reader of either finds what happened.
        const char* text =
            !writeLanguage(iniPath, language) ? "言語を保存できませんでした / The language could "
                                                "not be saved"
            : language == inUse
                ? (language == Language::English ? "英語で表示しています / English is in use"
                                                 : "日本語で表示しています / Japanese is in use")
            : language == Language::English
                ? "次の起動から英語になります / English from the next start"
                : "次の起動から日本語になります / Japanese from the next start";
        form.platform().status.show(text);
    };
    form.setOwnCommand(MenuItem::LANGUAGE_JA, [choose] { choose(Language::Japanese); });
    form.setOwnCommand(MenuItem::LANGUAGE_EN, [choose] { choose(Language::English); });
}

} // namespace kelvore::qt
