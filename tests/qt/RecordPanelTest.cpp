// The record panel's lists and the file that remembers the window: what they offer, what they
// refuse, and how the real window uses them.
#include "MainWindow.h"
#include "RecordPlaces.h"
#include "WindowGeometry.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest/QtTest>

// Apart from the window's own headers: it brings Qt in, and Qt must not come before Form1.h,
// which has a member named "slots".
#include "Boxes.h"

#include <sys/stat.h>

using namespace kelvore;

namespace {

void touch(const QString& path) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("x\r\ny\r\nz\r\n");
}

QStringList names(const QStringList& paths) {
    QStringList out;
    for (const QString& p : paths) out << QFileInfo(p).fileName();
    return out;
}

QStringList fileListNames(const qt::QtRecordPanel& panel) {
    QStringList out;
    for (int i = 0; i < panel.fileList()->count(); ++i) out << panel.fileList()->item(i)->text();
    return out;
}

} // namespace

class RecordPanelTest : public QObject {
    Q_OBJECT
    QTimer boxes;
private slots:
    void initTestCase() { kelvore::qt::test::answerEveryBox(boxes); }

    // Only regular record files, or links to them, are listed: never a folder, a pipe or a
    // broken link, whatever its name.
    void theFileListHoldsOnlyRecordFiles() {
        QTemporaryDir dir;
        const QString d = dir.path();
        touch(d + QString::fromUtf8("/b.棋譜"));
        touch(d + QString::fromUtf8("/a対局.棋譜"));
        touch(d + QStringLiteral("/note.txt"));
        QVERIFY(QDir(d).mkdir(QString::fromUtf8("folder.棋譜")));
        QVERIFY(::mkfifo(QFile::encodeName(d + QString::fromUtf8("/pipe.棋譜")).constData(),
                         0600) == 0);
        QVERIFY(QFile::link(d + QString::fromUtf8("/folder.棋譜"),
                            d + QString::fromUtf8("/dirlink.棋譜")));
        QVERIFY(QFile::link(d + QString::fromUtf8("/gone"), d + QString::fromUtf8("/broken.棋譜")));
        QVERIFY(QFile::link(d + QString::fromUtf8("/b.棋譜"), d + QString::fromUtf8("/c.棋譜")));
        QCOMPARE(names(qt::recordFiles(d)),
                 QStringList({QString::fromUtf8("a対局.棋譜"), QString::fromUtf8("b.棋譜"),
                              QString::fromUtf8("c.棋譜")}));
        QVERIFY(qt::recordFiles(d + QStringLiteral("/missing")).isEmpty());
    }

    // The window's file list, after choosing the root in the drive list: the fault was a
    // folder "tmp" listed there that could not be opened.
    void theFileListHoldsNoFolderEvenAtTheRoot() {
        QTemporaryDir dir;
        const QString d = dir.path();
        touch(d + QString::fromUtf8("/game.棋譜"));
        QVERIFY(QDir(d).mkdir(QString::fromUtf8("old.棋譜")));
        qt::MainWindow w(d);
        qt::QtRecordPanel& panel = w.recordPanel();
        w.action(MenuItem::KIFU_READ)->trigger();
        QCOMPARE(fileListNames(panel), QStringList{QString::fromUtf8("game.棋譜")});
        QCOMPARE(panel.pathLabel()->toolTip(), QDir(d).absolutePath());

        int root = -1;
        for (int i = 0; i < panel.driveList()->count(); ++i)
            if (panel.driveList()->itemData(i).toString() == QLatin1String("/")) root = i;
        QVERIFY(root >= 0);
        panel.chooseDrive(root);
        QCOMPARE(QString::fromStdString(panel.folder()), QStringLiteral("/"));
        QCOMPARE(panel.pathLabel()->toolTip(), QStringLiteral("/"));
        QCOMPARE(panel.driveList()->currentIndex(), root);
        for (int i = 0; i < panel.fileList()->count(); ++i) {
            const QFileInfo fi(panel.fileList()->item(i)->data(Qt::UserRole).toString());
            QVERIFY2(fi.isFile() && !fi.isDir(), qPrintable(fi.filePath()));
        }
        QCOMPARE(panel.folderList()->topLevelItemCount(), 1);
        QCOMPARE(panel.folderList()->topLevelItem(0)->text(0), QStringLiteral("/"));
    }

    // The folder list runs from the root down to the work folder, so its parents can be
    // chosen; choosing one shows its records.
    void theFolderListClimbsAboveTheWorkFolder() {
        QTemporaryDir dir;
        const QString parent = dir.path();
        const QString work = parent + QStringLiteral("/work");
        touch(parent + QString::fromUtf8("/up.棋譜"));
        qt::MainWindow w(work);
        qt::QtRecordPanel& panel = w.recordPanel();
        QCOMPARE(
            qt::folderChain(QStringLiteral("/home/u/.config/kelvore")),
            QStringList({"/", "/home", "/home/u", "/home/u/.config", "/home/u/.config/kelvore"}));
        QCOMPARE(qt::folderChain(QStringLiteral("/")), QStringList{"/"});
        // The tree holds the chain, the work folder deepest and current.
        QTreeWidgetItem* item = panel.folderList()->topLevelItem(0);
        QStringList chain;
        while (item) {
            chain << item->data(0, Qt::UserRole).toString();
            item = item->childCount() ? item->child(0) : nullptr;
        }
        QCOMPARE(chain, qt::folderChain(QDir(work).absolutePath()));
        QCOMPARE(panel.folderList()->currentItem()->data(0, Qt::UserRole).toString(),
                 QDir(work).absolutePath());

        w.action(MenuItem::KIFU_READ)->trigger();
        QVERIFY(fileListNames(panel).isEmpty());
        panel.chooseFolder(QDir(parent).absolutePath());
        QCOMPARE(QString::fromStdString(panel.folder()), QDir(parent).absolutePath());
        QCOMPARE(fileListNames(panel), QStringList{QString::fromUtf8("up.棋譜")});
        // The work folder is now one of the parent's subfolders.
        bool listed = false;
        for (QTreeWidgetItemIterator it(panel.folderList()); *it; ++it)
            listed |= (*it)->data(0, Qt::UserRole).toString() == QDir(work).absolutePath();
        QVERIFY(listed);
    }

    // Home and root first, then the user's own mounts; the kernel's file systems and the
    // system's mounts never.
    void theDriveListOffersTheUsersPlaces() {
        const QString home = QStringLiteral("/home/u");
        const QList<qt::Mount> mounts = {
            {"/", "overlay", ""},
            {"/proc", "proc", ""},
            {"/sys", "sysfs", ""},
            {"/sys/fs/cgroup", "cgroup2", ""},
            {"/dev", "devtmpfs", ""},
            {"/dev/shm", "tmpfs", ""},
            {"/run", "tmpfs", ""},
            {"/run/user/1000", "tmpfs", ""},
            {"/boot", "ext4", ""},
            {"/snap/core/1", "squashfs", ""},
            {"/etc/hosts", "ext4", ""},
            {"/media/u/USB", "vfat", "USB"},
            {"/run/media/u/CARD", "exfat", "PHOTOS"},
            {"/mnt/data", "ext4", ""},
            {"/home/u/remote", "fuse.sshfs", ""},
            {"/home/u/.cache/doc", "fuse.portal", ""},
            {"/mnt/auto", "autofs", ""},
            {"/media/u/USB", "vfat", "USB"},
        };
        const QList<qt::Place> places = qt::userPlaces(mounts, home);
        QStringList paths;
        for (const qt::Place& p : places) paths << p.path;
        QCOMPARE(paths, QStringList({"/home/u", "/", "/home/u/remote", "/media/u/USB", "/mnt/data",
                                     "/run/media/u/CARD"}));
        QVERIFY(places[0].label.contains(QStringLiteral("/home/u")));
        QVERIFY(places[5].label.contains(QStringLiteral("PHOTOS")));
        QCOMPARE(qt::placeOf(places, QStringLiteral("/home/u/.config/kelvore")), 0);
        QCOMPARE(qt::placeOf(places, QStringLiteral("/media/u/USB/games")), 3);
        QCOMPARE(qt::placeOf(places, QStringLiteral("/tmp")), 1);
        QCOMPARE(qt::placeOf(places, QStringLiteral("/media/u/USB2")), 1);
    }

    // The panel's texts grow with the board.
    void thePanelsFontsScaleWithTheWindow() {
        QTemporaryDir dir;
        qt::MainWindow w(dir.path());
        const qt::QtRecordPanel& panel = w.recordPanel();
        w.view().resize(600, 533);
        const int small = panel.fileList()->font().pixelSize();
        w.view().resize(1200, 1066);
        const int large = panel.fileList()->font().pixelSize();
        QVERIFY2(std::abs(large - 2 * small) <= 1,
                 qPrintable(QStringLiteral("%1 %2").arg(small).arg(large)));
        QCOMPARE(panel.pathLabel()->font().pixelSize(), large);
        QCOMPARE(panel.driveList()->font().pixelSize(), large);
    }

    // The geometry file is read only when it is a small regular file holding a usable size,
    // and a path that is something else is never replaced.
    void theGeometryFileIsReadOnlyWhenSound() {
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/window.ini");
        QVERIFY(!qt::readGeometry(path));
        QVERIFY(qt::writeGeometry(path, {QRect(10, 20, 700, 650), true}));
        const auto g = qt::readGeometry(path);
        QVERIFY(g);
        QCOMPARE(g->rect, QRect(10, 20, 700, 650));
        QVERIFY(g->maximized);

        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("[window]\nx=1\ny=2\nwidth=zero\nheight=5\n");
        f.close();
        QVERIFY(!qt::readGeometry(path));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("[window]\nx=1\ny=2\nwidth=-5\nheight=5\n");
        f.close();
        QVERIFY(!qt::readGeometry(path));

        // A pipe in its place would block a reader for ever; it is neither read nor replaced.
        QVERIFY(QFile::remove(path));
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        QVERIFY(!qt::readGeometry(path));
        QVERIFY(!qt::writeGeometry(path, {QRect(0, 0, 600, 560), false}));
        struct stat st {};
        QVERIFY(::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISFIFO(st.st_mode));
        // And the window still opens.
        qt::MainWindow w(dir.path());
        QVERIFY(w.width() >= 300);
    }

    // "maximized=banana" was read as true: only what our writer writes means anything.
    void aMaximizedFlagOtherThanOurWritersIsIgnored() {
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/window.ini");
        const struct {
            const char* value;
            bool maximized;
        } cases[] = {{"true", true}, {"false", false}, {"banana", false}, {"1", false},
                     {"yes", false}, {"TRUE", false},  {"", false}};
        for (const auto& c : cases) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(QByteArray("[window]\nx=1\ny=2\nwidth=700\nheight=600\nmaximized=") + c.value +
                    "\n");
            f.close();
            const auto g = qt::readGeometry(path);
            QVERIFY2(g, c.value);
            QCOMPARE(g->rect, QRect(1, 2, 700, 600));
            QVERIFY2(g->maximized == c.maximized, c.value);
        }
    }
};

int runRecordPanelTest(int argc, char** argv) {
    RecordPanelTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "RecordPanelTest.moc"
