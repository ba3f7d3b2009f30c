// Sharing games from the real window: our commands in the 棋譜 menu, the KIF file chooser, and
// the clipboard, as a player uses them.
#include "AnalysisController.h"
#include "MainWindow.h"
#include "MoveListPanel.h"
#include "RealWindow.h"
#include "engine/Snapshot.h"
#include "screen/MenuTree.h"
#include "text/ShiftJis.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest/QtTest>

using namespace kelvore;

namespace {

// Answers the next file chooser with `path`, noting its title and the file it proposed.
void answerFileChooser(const QString& path, QStringList& seen) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, path, &seen] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        seen << dialog->windowTitle() + " " + dialog->directory().absolutePath() + " " +
                    dialog->selectedFiles().value(0).section(u'/', -1);
        // selectFile leaves the name field alone while it has the keyboard (as it has once the
        // dialog is active, sooner or later after it opens): the field lets it go first.
        if (QWidget* focused = dialog->focusWidget()) focused->clearFocus();
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog::accept, through its base
        timer->stop();
        timer->deleteLater();
    });
    timer->start(10);
}

} // namespace

class SharingTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QTimer boxes;
    QStringList said; // the texts of the message boxes, in order

private slots:
    void initTestCase() {
        // Every box is answered as it opens, and what it said is kept.
        connect(&boxes, &QTimer::timeout, this, [this] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* box = qobject_cast<QMessageBox*>(top); box && box->isVisible()) {
                    said << box->text();
                    box->accept();
                }
        });
        boxes.start(10);
    }

    void ourCommandsFollowReadAndWriteBehindASeparator() {
        qt::MainWindow w(dir.path());
        QStringList items;
        for (QAction* a : w.action(MenuItem::KIFU)->menu()->actions()) {
            items << (a->isSeparator() ? QStringLiteral("-") : a->text());
            QVERIFY(a->isEnabled());
        }
        QCOMPARE(items,
                 (QStringList{"読込", "書込", "-", "解析", "KIF書出…", "KIF読込…",
                              "局面をSFENでコピー", "棋譜をUSIでコピー", "SFENの局面を貼付"}));
    }

    void aGamePlayedIsExportedImportedAndSteppedThrough() {
        qt::MainWindow w(dir.path());
        QVERIFY(qt::test::showAndWait(w));
        Form1& f = w.form();
        w.action(MenuItem::START)->trigger();
        qt::test::clickMove(w, 3, 7, 3, 6);                  // ７六歩
        qt::test::clickMove(w, 7, 3, 7, 4);                  // ３四歩
        qt::test::clickMove(w, 2, 8, 8, 2, Qt::RightButton); // ２二角成
        qt::test::clickMove(w, 7, 1, 8, 2);                  // 同銀
        QCOMPARE(f.KifuCursor, 4);
        const engine::GameSnapshot end = engine::snapshotOf(f, -1);
        // The game judged first: KIF書出 writes the judgement with it.
        qt::AnalysisController& analysis = w.moveList().analysis();
        engine::Limits depth;
        depth.depth = 3;
        analysis.setFixedLimits(depth);
        QSignalSpy finished(&analysis, &qt::AnalysisController::finished);
        w.action(MenuItem::ANALYSE)->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(finished.count() == 1, 60 * 1000);

        QStringList seen;
        const QString path = dir.path() + QStringLiteral("/window.kif");
        answerFileChooser(path, seen);
        w.action(MenuItem::KIF_EXPORT)->trigger();
        QCOMPARE(seen.size(), 1);
        QVERIFY2(seen[0].startsWith(QString::fromUtf8("KIFで書き出す ") + dir.path() +
                                    QString::fromUtf8(" 対局_")),
                 qPrintable(seen[0]));
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("statusLine"))->accessibleName(),
                 QString::fromUtf8("KIFを書き出しました：") + path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const auto text = text::fromShiftJis(file.readAll().toStdString());
        QVERIFY(text.has_value());
        QVERIFY2(text->find("   4 同　銀(31)   ( 0:") != std::string::npos, text->c_str());
        QVERIFY2(text->find("\r\n*#評価値=") != std::string::npos, text->c_str());
        QVERIFY2(text->find("\r\n*#読み筋=") != std::string::npos, text->c_str());
        // Only the KIF keeps it now, not the work folder.
        QVERIFY(QDir(dir.path() + QStringLiteral("/解析")).removeRecursively());

        // Back to the start, then the file read in and stepped through with 進.
        w.action(MenuItem::CANCEL)->trigger();
        answerFileChooser(path, seen);
        w.action(MenuItem::KIF_IMPORT)->trigger();
        QCOMPARE(seen.size(), 2);
        QVERIFY2(seen[1].startsWith(QString::fromUtf8("KIFを読み込む ")), qPrintable(seen[1]));
        QCOMPARE(f.KifuMode, 1);
        QCOMPARE(f.KifuLength, 4);
        // Its judgement is shown at once, nothing searched.
        QVERIFY(!analysis.running());
        QVERIFY(analysis.analysis() != nullptr);
        QCOMPARE(analysis.searched(), 5);
        QCOMPARE(analysis.graphPoints().size(), 5);
        for (int i = 0; i < 4; ++i) w.action(MenuItem::AFTER)->trigger();
        QVERIFY(engine::samePosition(engine::snapshotOf(f, -1), end));
    }

    void aPositionIsCopiedPastedAndRefusedThroughTheClipboard() {
        qt::MainWindow w(dir.path());
        Form1& f = w.form();
        w.action(MenuItem::SFEN_COPY)->trigger();
        QCOMPARE(
            QGuiApplication::clipboard()->text(),
            QStringLiteral("lnsgkgsnl/1r2e2b1/ppppppppp/9/9/9/PPPPPPPPP/1B2E2R1/LNSGKGSNL b - 1"));

        const QString position = QStringLiteral("4k4/9/9/9/9/9/9/4E4/4K4 w 2P 7");
        QGuiApplication::clipboard()->setText(position);
        w.action(MenuItem::SFEN_PASTE)->trigger();
        QTRY_VERIFY(
            said.value(said.size() - 1).startsWith(QString::fromUtf8("局面を貼り付けました")));
        QCOMPARE(f.Board[5][1], 950);
        QCOMPARE(f.Turn, f.ComTurn);
        QGuiApplication::clipboard()->clear();
        w.action(MenuItem::SFEN_COPY)->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), position);
        // Said in the status line over the board, which screen readers read.
        const auto* status = w.findChild<QLabel*>(QStringLiteral("statusLine"));
        QVERIFY(status != nullptr);
        QCOMPARE(status->accessibleName(),
                 QString::fromUtf8("局面をSFENでクリップボードにコピーしました：") + position);
        QVERIFY(!status->isHidden());

        // Text that is no position: said plainly, and the board stays.
        QGuiApplication::clipboard()->setText(QString::fromUtf8("将棋"));
        w.action(MenuItem::SFEN_PASTE)->trigger();
        QTRY_COMPARE(said.value(said.size() - 1),
                     QString::fromUtf8("SFENとして読めません\n（盤面と手番がありません）"));
        QCOMPARE(f.Board[5][1], 950);
    }
};

int runSharingTest(int argc, char** argv) {
    SharingTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "SharingTest.moc"
