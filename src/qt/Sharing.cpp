#include "Sharing.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QTreeView>

#include <algorithm>

namespace kelvore::qt {

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

// The two filters of the save dialogue, in the language in use (made when asked: the language is
// chosen after the program's statics are made).
QString kifFilter() {
    return QCoreApplication::translate("Sharing", "KIF（Shift-JIS） (*.kif)");
}
QString kifuFilter() {
    return QCoreApplication::translate("Sharing", "KIFU（UTF-8） (*.kifu)");
}

} // namespace

QString Sharing::chooseFile(QWidget& parent, bool save, const QString& folder,
                            const QString& name) {
    QFileDialog dialog(&parent);
    dialog.setObjectName(QStringLiteral("kifFileDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setDirectory(folder);
    // Wide enough for a file name with its size and its date at every window size.
    dialog.resize(std::max(640, parent.width() * 2 / 3), std::max(420, parent.height() / 2));
    if (auto* files = dialog.findChild<QTreeView*>()) {
        files->header()->setStretchLastSection(false);
        files->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
        files->header()->setSectionResizeMode(0, QHeaderView::Stretch);
        files->setColumnHidden(2, true); // the kind of file says nothing here
    }
    if (save) {
        dialog.setWindowTitle(QCoreApplication::translate("Sharing", "KIFで書き出す"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilters({kifFilter(), kifuFilter()});
        dialog.setDefaultSuffix(QStringLiteral("kif"));
        // The name follows the kind chosen: a name typed without an ending gets its ending.
        QObject::connect(
            &dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
                const bool utf8 = filter == kifuFilter();
                dialog.setDefaultSuffix(utf8 ? QStringLiteral("kifu") : QStringLiteral("kif"));
                QString n = dialog.selectedFiles().value(0).section(u'/', -1);
                if (n.endsWith(QStringLiteral(".kifu")))
                    n.chop(5);
                else if (n.endsWith(QStringLiteral(".kif")))
                    n.chop(4);
                if (!n.isEmpty())
                    dialog.selectFile(n +
                                      (utf8 ? QStringLiteral(".kifu") : QStringLiteral(".kif")));
            });
        dialog.selectFile(name);
    } else {
        dialog.setWindowTitle(QCoreApplication::translate("Sharing", "KIFを読み込む"));
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilters({QString::fromUtf8("KIF (*.kif *.kifu)"),
                               QCoreApplication::translate("Sharing", "すべてのファイル (*)")});
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

Sharing::Sharing(Form1& form, QWidget& window, std::function<void(kif::KifGame&)> annotate,
                 std::function<void(const kif::KifGame&)> imported) {
    sharing::Outside outside;
    outside.annotate = std::move(annotate);
    outside.imported = std::move(imported);
    outside.setClipboard = [](const std::string& text) {
        QGuiApplication::clipboard()->setText(q(text));
    };
    outside.clipboard = [] { return QGuiApplication::clipboard()->text().toStdString(); };
    outside.chooseFile = [&window](bool save, const std::string& folder, const std::string& name) {
        return chooseFile(window, save, q(folder), q(name)).toStdString();
    };
    outside.now = [] {
        return QDateTime::currentDateTime()
            .toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"))
            .toStdString();
    };
    room_ = std::make_unique<sharing::Interchange>(form, std::move(outside));
}

} // namespace kelvore::qt
