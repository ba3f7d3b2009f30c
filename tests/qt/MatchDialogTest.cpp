// The match in the real window: our three items of the 対局 menu, the dialogue of 対局設定…
// writing the [match] group of window.ini, and the level and the time control found again by
// the next window on the same folder.
// Before Qt: the game has a member named "slots".
#include "MainWindow.h"

#include "MatchDialog.h"
#include "RealWindow.h"
#include "match/Match.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest/QtTest>

#include "Boxes.h"

using namespace kelvore;

class MatchDialogTest : public QObject {
    Q_OBJECT
    QTimer boxes;

    // Chooses 対局設定… and lets `fill` work on the dialogue, then presses OK.
    static void setUp(qt::MainWindow& w, const std::function<void(qt::MatchDialog&)>& fill) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<qt::MatchDialog*>(QApplication::activeModalWidget());
            QVERIFY(d != nullptr);
            seen = true;
            fill(*d);
            d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        w.action(MenuItem::MATCH_SETTINGS)->trigger();
        QVERIFY(seen);
    }

private slots:
    void initTestCase() { kelvore::qt::test::answerEveryBox(boxes); }

    void ourItemsFollowTheGamesBehindASeparator() {
        QTemporaryDir dir;
        qt::MainWindow w(dir.path());
        QStringList items;
        for (QAction* a : w.action(MenuItem::TAIKYOKU)->menu()->actions())
            items << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(items, (QStringList{"対局(人間)", "対局(COM)", "COM対局ﾚﾍﾞﾙ", "終わり", "-",
                                     "対局設定…", "投了", "中断"}));
    }

    void theDialogueWritesTheMatchGroupAndTheNextStartFindsItAgain() {
        QTemporaryDir dir;
        const QString ini = dir.path() + QStringLiteral("/window.ini");
        {
            qt::MainWindow w(dir.path());
            setUp(w, [](qt::MatchDialog& d) {
                // Every field says what it is to a screen reader.
                for (QWidget* field : d.findChildren<QWidget*>())
                    if (qobject_cast<QSpinBox*>(field) || qobject_cast<QCheckBox*>(field) ||
                        qobject_cast<QComboBox*>(field) || qobject_cast<QRadioButton*>(field))
                        QVERIFY2(!field->accessibleName().isEmpty(),
                                 qPrintable(field->metaObject()->className()));
                QCOMPARE(d.presets()->currentText(), QStringLiteral("なし"));
                d.presets()->setCurrentIndex(2);
                emit d.presets()->activated(2);
                QCOMPARE(d.lower()->minutes()->value(), 10);
                QCOMPARE(d.lower()->extra()->value(), 30);
                // The computer gets five minutes of main time only: odds.
                d.separate()->setChecked(true);
                d.upper()->minutes()->setValue(5);
                d.upper()->extra()->setValue(0);
                QCOMPARE(d.presets()->currentIndex(), d.presets()->count() - 1);
                d.askPromotion()->setChecked(true);
                // The strength of LEVEL4 and LEVEL5, named by its 級 or 段: full at first.
                QCOMPARE(d.strength()->count(), 21);
                QCOMPARE(d.strength()->currentText(), QStringLiteral("六段"));
                d.strength()->setCurrentIndex(d.strength()->findText(QStringLiteral("5級")));
            });
            QCOMPARE(w.form().ComSkill, 10);
            QVERIFY(w.form().AskPromotion);
            QCOMPARE(w.form().TimeLimit.lower, (match::Allotment{600, 30, 0}));
            QCOMPARE(w.form().TimeLimit.upper, (match::Allotment{300, 0, 0}));
            w.action(MenuItem::LEVEL4)->trigger();
            w.action(MenuItem::SIDOU)->trigger(); // the game writes its own settings file
        }
        QSettings s(ini, QSettings::IniFormat);
        QCOMPARE(s.value("match/mainTimeSeconds").toInt(), 600);
        QCOMPARE(s.value("match/byoyomiSeconds").toInt(), 30);
        QCOMPARE(s.value("match/incrementSeconds").toInt(), 0);
        QCOMPARE(s.value("match/upperMainTimeSeconds").toInt(), 300);
        QCOMPARE(s.value("match/askPromotion").toString(), QStringLiteral("true"));
        QCOMPARE(s.value("match/level").toInt(), 4);
        QCOMPARE(s.value("match/skill").toInt(), 10);
        // The game's own settings file keeps its four lines: nothing of ours goes there.
        QFile settings(dir.path() + QStringLiteral("/Kelvore.ini"));
        QVERIFY(settings.open(QIODevice::ReadOnly));
        QCOMPARE(settings.readAll().count('\n'), 4);

        qt::MainWindow again(dir.path());
        QCOMPARE(again.form().ComLevel, 4);
        QCOMPARE(again.form().ComSkill, 10);
        QVERIFY(again.action(MenuItem::LEVEL4)->isChecked());
        QVERIFY(!again.action(MenuItem::LEVEL3)->isChecked());
        QVERIFY(again.form().AskPromotion);
        QCOMPARE(again.match().clocks().clockText(again.form().ManTurn), std::string("00:10:00"));
        QCOMPARE(again.match().clocks().clockText(again.form().ComTurn), std::string("00:05:00"));
    }

    void aHandWrittenGroupWithOneKeyWorks() {
        QTemporaryDir dir;
        QFile ini(dir.path() + QStringLiteral("/window.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[match]\nlevel=5\nbyoyomiSeconds=banana\n");
        ini.close();
        qt::MainWindow w(dir.path());
        QCOMPARE(w.form().ComLevel, 5);
        QCOMPARE(w.form().ComSkill, 20); // no skill key: full strength
        QVERIFY(!w.form().TimeLimit.timed());
        QVERIFY(!w.form().AskPromotion);
    }
};

int runMatchDialogTest(int argc, char** argv) {
    MatchDialogTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "MatchDialogTest.moc"
