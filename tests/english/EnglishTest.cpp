// The program in English: the translation sources hold every text with a finished translation,
// and a window started in English shows no Japanese script in its menus, boxes, dialogues,
// panels or pictures through a short game and every command of its menu tree.
#include "Language.h"
#include "MainWindow.h"
#include "MoveListPanel.h"
#include "Pictures.h"

#include "../qt/Boxes.h"
#include "../qt/RealWindow.h"
#include "screen/MenuTree.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QXmlStreamReader>
#include <QtTest/QtTest>

using namespace kelvore;

namespace {

// Kana (full and half width) and kanji. A caption of ours in both scripts ("言語 / Language"),
// there so that either reader finds it, and a language's name in its own script (日本語) are
// the exceptions.
bool hasJapanese(QString text) {
    static const QRegularExpression bilingual(QStringLiteral("[^\\s/]+ / [A-Za-z]+"));
    text.remove(bilingual);
    text.remove(QString::fromUtf8("日本語"));
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3040 && u <= 0x30FF) || (u >= 0x31F0 && u <= 0x31FF) ||
            (u >= 0xFF66 && u <= 0xFF9F) || (u >= 0x3400 && u <= 0x4DBF) ||
            (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0xF900 && u <= 0xFAFF))
            return true;
    }
    return false;
}

// Everything a reader of `top` and the widgets in it can see or hear: titles, captions,
// accessible names and descriptions, tool tips, list items and headers. What the player typed
// and the files of the record panel's lists are the player's own, not ours.
void textsOf(QWidget* top, const std::function<bool(QWidget*)>& skip, QStringList& out) {
    QList<QWidget*> widgets = top->findChildren<QWidget*>();
    widgets.prepend(top);
    for (QWidget* w : widgets) {
        if (skip && skip(w)) continue;
        const QString where = QString::fromLatin1(w->metaObject()->className()) + ": ";
        for (const QString& t :
             {w->windowTitle(), w->accessibleName(), w->accessibleDescription(), w->toolTip()})
            if (!t.isEmpty()) out << where + t;
        if (auto* l = qobject_cast<QLabel*>(w)) out << where + l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(w)) out << where + b->text();
        if (auto* g = qobject_cast<QGroupBox*>(w)) out << where + g->title();
        if (auto* s = qobject_cast<QSpinBox*>(w)) out << where + s->suffix();
        if (auto* p = qobject_cast<QProgressBar*>(w)) out << where + p->format();
        if (auto* m = qobject_cast<QMessageBox*>(w)) out << where + m->text();
        if (auto* c = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i) out << where + c->itemText(i);
        if (auto* v = qobject_cast<QAbstractItemView*>(w); v && v->model()) {
            const QAbstractItemModel* m = v->model();
            for (int c = 0; c < m->columnCount(); ++c)
                out << where + m->headerData(c, Qt::Horizontal).toString();
            for (int r = 0; r < m->rowCount(); ++r)
                for (int c = 0; c < m->columnCount(); ++c)
                    for (int role :
                         {int(Qt::DisplayRole), int(Qt::ToolTipRole), int(Qt::AccessibleTextRole)})
                        out << where + m->index(r, c).data(role).toString();
        }
    }
}

void menuTexts(const QList<QAction*>& actions, QStringList& out) {
    for (QAction* a : actions) {
        if (a->isSeparator()) continue;
        out << QStringLiteral("menu: ") + a->text();
        if (a->menu()) menuTexts(a->menu()->actions(), out);
    }
}

// The messages of the translation source: context, source and translation, the carriage
// returns lupdate writes as <byte value="xd"/> put back.
struct Message {
    QString context, source, translation;
    bool finished = true;
};

QList<Message> readTs(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QXmlStreamReader xml(&file);
    QList<Message> out;
    QString context;
    QString* into = nullptr;
    Message m;
    while (!xml.atEnd()) {
        xml.readNext();
        const QStringView name = xml.name();
        if (xml.isStartElement()) {
            if (name == u"name") context = xml.readElementText();
            if (name == u"message") m = Message{context, {}, {}, true};
            if (name == u"source") into = &m.source;
            if (name == u"translation") {
                into = &m.translation;
                m.finished = xml.attributes().value(QLatin1String("type")).isEmpty();
            }
            if (name == u"byte" && into)
                *into += QChar(
                    xml.attributes().value(QLatin1String("value")).mid(1).toUShort(nullptr, 16));
        } else if (xml.isCharacters() && into) {
            *into += xml.text();
        } else if (xml.isEndElement()) {
            if (name == u"source" || name == u"translation") into = nullptr;
            if (name == u"message") out << m;
        }
    }
    return xml.hasError() ? QList<Message>{} : out;
}

// The places %1..%9 (Qt and ours) and %s (printf) of a text, sorted.
QStringList placesOf(const QString& text) {
    QStringList out;
    for (const auto& match : QRegularExpression(QStringLiteral("%[1-9ms]|%v")).globalMatch(text))
        out << match.captured();
    out.sort();
    return out;
}

} // namespace

class EnglishTest : public QObject {
    Q_OBJECT
    QTimer boxes;
    QStringList seen; // the texts of every box and dialogue shown, in order

private slots:
    void initTestCase() {
        // Every box and dialogue is read, then answered as a player in a hurry answers it: the
        // default button of a message box, Cancel for any other dialogue (a file chooser, the
        // match settings).
        connect(&boxes, &QTimer::timeout, this, [this] {
            for (QWidget* top : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<QDialog*>(top);
                if (!dialog || !dialog->isVisible()) continue;
                textsOf(dialog, {}, seen);
                if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
                    if (box->defaultButton())
                        box->defaultButton()->click();
                    else
                        box->accept();
                } else {
                    dialog->reject();
                }
            }
        });
        boxes.start(20);
    }

    // The sources in the repository hold every text the code marks today (lupdate finds
    // nothing new), each with a finished, non-empty English translation that keeps the
    // source's places for numbers and names and has no Japanese script left in it.
    void everyTextHasAFinishedEnglishTranslation() {
        const QString committed = QStringLiteral(KELVORE_TS_FILE);
        const QList<Message> before = readTs(committed);
        QVERIFY2(before.size() > 300, "the translation source is missing or unreadable");

        QTemporaryDir dir;
        const QString copy = dir.filePath(QStringLiteral("kelvore_en.ts"));
        QVERIFY(QFile::copy(committed, copy));
        QProcess lupdate;
        lupdate.start(QStringLiteral(KELVORE_LUPDATE),
                      {QStringLiteral(KELVORE_SOURCE_DIR "/src/core"),
                       QStringLiteral(KELVORE_SOURCE_DIR "/src/qt"), QStringLiteral("-no-obsolete"),
                       QStringLiteral("-locations"), QStringLiteral("none"),
                       QStringLiteral("-tr-function-alias"),
                       QStringLiteral("QT_TRANSLATE_NOOP+=KELVORE_TRANSLATE_NOOP"),
                       QStringLiteral("-ts"), copy});
        QVERIFY(lupdate.waitForFinished(120000));
        QCOMPARE(lupdate.exitCode(), 0);
        const QList<Message> now = readTs(copy);

        QStringList faults;
        auto key = [](const Message& m) { return m.context + QStringLiteral(" | ") + m.source; };
        QStringList committedKeys;
        for (const Message& m : before) committedKeys << key(m);
        for (const Message& m : now) {
            const QString k = key(m);
            if (!committedKeys.contains(k))
                faults << QStringLiteral("not in the repository's source (run "
                                         "scripts/update-translations): ") +
                              k;
            else if (!m.finished || m.translation.isEmpty() ||
                     (m.translation.trimmed().isEmpty() && !m.source.trimmed().isEmpty()))
                faults << QStringLiteral("unfinished: ") + k;
            else if (placesOf(m.source) != placesOf(m.translation))
                faults << QStringLiteral("places differ: ") + k + QStringLiteral(" -> ") +
                              m.translation;
            else if (hasJapanese(m.translation))
                faults << QStringLiteral("Japanese left: ") + k;
        }
        QCOMPARE(now.size(), before.size());
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    // A whole window in English: a game between two people with the promotion question and a
    // resignation, a game against the computer, the how-to, then every command of the menu tree
    // in turn. Nothing the player can see or hear on the way is Japanese.
    void theEnglishWindowShowsNoJapanese() {
        QTemporaryDir dir;
        qt::MainWindow w(dir.path());
        QVERIFY(qt::test::showAndWait(w));
        Form1& f = w.form();
        QCOMPARE(w.action(MenuItem::TAIKYOKU)->text(), QStringLiteral("Game"));
        seen.clear();

        // Two players; sente's bishop takes on 2b and the question asks about promoting.
        w.action(MenuItem::START)->trigger();
        f.AskPromotion = true;
        qt::test::clickMove(w, 3, 7, 3, 6);
        qt::test::clickMove(w, 7, 3, 7, 4);
        qt::test::clickMove(w, 2, 8, 8, 2);
        QCOMPARE(f.Board[8][2], -801); // promoted, as the box's default button says
        qt::test::clickMove(w, 7, 1, 8, 2);
        w.action(MenuItem::RESIGN)->trigger();
        QVERIFY2(seen.contains(QStringLiteral("QMessageBox: Promote?")),
                 qPrintable(seen.join('\n')));
        QVERIFY(seen.contains(QStringLiteral("QPushButton: Do not promote")));
        QVERIFY(seen.contains(QStringLiteral("QMessageBox: Sente resigned\nGote won")));
        QVERIFY(seen.contains(QStringLiteral("QMessageBox: Play again?")));

        // Everything the window shows now: its widgets, but the player's own folders and files
        // in the record panel's lists, and the texts on the board.
        QStringList texts;
        const QWidget* folders = w.recordPanel().folderList();
        const QWidget* files = w.recordPanel().fileList();
        auto readWindow = [&] {
            textsOf(
                &w,
                [=](QWidget* x) {
                    return x == folders || x == files || folders->isAncestorOf(x) ||
                           files->isAncestorOf(x);
                },
                texts);
            for (const QString& t : w.view().canvas().texts())
                texts << QStringLiteral("canvas: ") + t;
        };

        // Against the computer at the first level, with a hint and the game analysed: the move
        // list, the hint and the analysis of a game in play.
        w.action(MenuItem::LEVEL1)->trigger();
        w.action(MenuItem::SENTE)->trigger();
        qt::test::clickMove(w, 3, 7, 3, 6);
        QTRY_COMPARE_WITH_TIMEOUT(f.Turn, f.ManTurn, 60000);
        QCOMPARE(f.KifuLength, 2);
        w.action(MenuItem::HINT)->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(w.moveList().hints().shown().has_value(), 600000);
        w.action(MenuItem::ANALYSE)->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(
            w.moveList().analysis().analysis() && !w.moveList().analysis().running(), 600000);
        readWindow();
        QCOMPARE(w.moveList().model().rowCount(), 3); // the start and two moves
        w.action(MenuItem::RESIGN)->trigger();
        QVERIFY(seen.contains(QStringLiteral("QMessageBox: You resigned\nThe computer won")));

        // The how-to says how to promote and names the elephant and the prince.
        w.action(MenuItem::VER)->trigger();
        const auto howTo = std::find_if(seen.begin(), seen.end(), [](const QString& s) {
            return s.startsWith(QStringLiteral("QMessageBox: Kelvore shogi"));
        });
        QVERIFY(howTo != seen.end());
        for (const char* said : {"RIGHT mouse button", "Drunk Elephant (DE", "Crown Prince (CP",
                                 "Game → Resign", "a Japanese format", "SFEN", "LEVEL4"})
            QVERIFY2(howTo->contains(QString::fromUtf8(said)), said);

        // Every command of the menu tree but quitting; what a command opens is answered.
        for (const MenuEntry& e : kMenuTree) {
            if (hasChildren(e.item) || e.item == MenuItem::OWARI) continue;
            QAction* a = w.action(e.item);
            if (a->isEnabled()) a->trigger();
            QTest::qWait(30);
            texts << QStringLiteral("status: ") +
                         w.findChild<QLabel*>(QStringLiteral("statusLine"))->text();
        }
        // The analysis the walk started has finished (slow under the sanitizers).
        QTRY_VERIFY_WITH_TIMEOUT(!w.moveList().analysis().running(), 600000);

        menuTexts(w.menuBar()->actions(), texts);
        texts << seen;
        readWindow();

        QStringList japanese;
        for (const QString& t : texts)
            if (hasJapanese(t) && !t.contains(QStringLiteral(" / The language")) &&
                !t.contains(QStringLiteral(" / English")) &&
                !t.contains(QStringLiteral(" / Japanese")))
                japanese << t;
        for (const QString& t : japanese) qWarning("Japanese: %s", qPrintable(t.left(300)));
        QVERIFY(japanese.isEmpty());
        QVERIFY(texts.size() > 200);
    }

    // ｵﾌﾟｼｮﾝ → 言語 / Language keeps the choice in window.ini for the next start and says so in
    // both languages.
    void theLanguageChosenIsKeptForTheNextStart() {
        QTemporaryDir dir;
        qt::MainWindow w(dir.path());
        QVERIFY(w.action(MenuItem::LANGUAGE_EN)->isChecked());
        QVERIFY(!w.action(MenuItem::LANGUAGE_JA)->isChecked());
        auto* status = w.findChild<QLabel*>(QStringLiteral("statusLine"));

        w.action(MenuItem::LANGUAGE_JA)->trigger();
        QCOMPARE(qt::readLanguage(w.geometryFile()), std::optional(qt::Language::Japanese));
        QVERIFY(w.action(MenuItem::LANGUAGE_JA)->isChecked());
        QVERIFY(!w.action(MenuItem::LANGUAGE_EN)->isChecked());
        QCOMPARE(status->text(), QString::fromUtf8("次の起動から日本語になります / Japanese from "
                                                   "the next start"));
        w.action(MenuItem::LANGUAGE_EN)->trigger();
        QCOMPARE(qt::readLanguage(w.geometryFile()), std::optional(qt::Language::English));
        QCOMPARE(status->text(), QString::fromUtf8("英語で表示しています / English is in use"));

        // Only ja and en are languages; anything else is no choice. (A file of its own: the
        // living window may write its window.ini again at any moment.)
        const QString other = QFileInfo(w.geometryFile()).dir().filePath(QStringLiteral("fr.ini"));
        QFile ini(other);
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[view]\nlanguage=fr\n");
        ini.close();
        QCOMPARE(qt::readLanguage(other), std::nullopt);
        QCOMPARE(qt::languageFromCode(QStringLiteral(" EN ")),
                 std::optional(qt::Language::English));
    }

    // --help names --language and speaks the language asked for; without a choice it is the
    // game's own Japanese, whatever the locale says.
    void theHelpIsInTheLanguageAskedFor() {
        QTemporaryDir dir;
        auto help = [&](QStringList extra) {
            QProcess p;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("LANG"), QStringLiteral("en_GB.UTF-8"));
            p.setProcessEnvironment(env);
            p.start(QStringLiteral(KELVORE_BINARY),
                    QStringList{QStringLiteral("--workdir"), dir.path(), QStringLiteral("--help")} +
                        extra);
            p.waitForFinished(60000);
            return QString::fromLocal8Bit(p.readAllStandardOutput());
        };
        const QString english = help({QStringLiteral("--language"), QStringLiteral("en")});
        QVERIFY2(english.startsWith(QStringLiteral("Usage: kelvore")), qPrintable(english));
        QVERIFY(english.contains(QStringLiteral("--language ja|en")));
        QVERIFY2(!hasJapanese(english), qPrintable(english));
        const QString japanese = help({});
        QVERIFY2(japanese.startsWith(QString::fromUtf8("使い方: kelvore")), qPrintable(japanese));
        QVERIFY(japanese.contains(QStringLiteral("--language ja|en")));
        QCOMPARE(help({QStringLiteral("--language"), QStringLiteral("ja")}), japanese);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // As `kelvore --language en` starts.
    qt::useLanguage(qt::Language::English);
    QApplication::setFont(qt::japaneseFont());
    EnglishTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "EnglishTest.moc"
