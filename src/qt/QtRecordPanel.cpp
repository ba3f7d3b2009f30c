#include "QtRecordPanel.h"

#include "BoardView.h"
#include "Pictures.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>

#include <cmath>

namespace kelvore::qt {

QtRecordPanel::QtRecordPanel(BoardView& view) : QObject(&view), view_(view) {
    path_ = new QLabel(&view);
    path_->setAutoFillBackground(true);
    path_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    drive_ = new QComboBox(&view);
    connect(drive_, &QComboBox::activated, this, &QtRecordPanel::chooseDrive);
    folder_ = new QTreeWidget(&view);
    folder_->setHeaderHidden(true);
    folder_->setRootIsDecorated(false);
    folder_->setItemsExpandable(false);
    // Every folder shown is open: no branch marks that would only suggest otherwise.
    folder_->setStyleSheet(
        QStringLiteral("QTreeView::branch { image: none; border-image: none; }"));
    // Clicking a folder rebuilds the list, so it is done once the click is over.
    connect(
        folder_, &QTreeWidget::itemClicked, this,
        [this](QTreeWidgetItem* item) { chooseFolder(item->data(0, Qt::UserRole).toString()); },
        Qt::QueuedConnection);
    file_ = new QListWidget(&view);
    connect(file_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        emit fileClicked(item->data(Qt::UserRole).toString());
    });
    static const char* captions[4] = {QT_TRANSLATE_NOOP("QtRecordPanel", "ﾌｧｲﾙ名 ："),
                                      QT_TRANSLATE_NOOP("QtRecordPanel", "後    手 ："),
                                      QT_TRANSLATE_NOOP("QtRecordPanel", "先    手 ："),
                                      QT_TRANSLATE_NOOP("QtRecordPanel", "対 局 名：")};
    for (int i = 0; i < 4; ++i) {
        captions_[i] = new QLabel(QCoreApplication::translate("QtRecordPanel", captions[i]), &view);
        captions_[i]->setAutoFillBackground(true);
        fields_[i] = new QLineEdit(&view);
    }
    return_ = new QPushButton(QStringLiteral("RETURN"), &view);
    connect(return_, &QPushButton::clicked, this, &QtRecordPanel::returnClicked);
    fillPlaces();
    setListsVisible(false, false, false);
    setFieldsVisible(false);
}

void QtRecordPanel::fillPlaces() {
    places_ = userPlaces(mountedFileSystems(), QDir::homePath());
    drive_->clear();
    for (const Place& p : places_) drive_->addItem(p.label, p.path);
    drive_->setCurrentIndex(placeOf(places_, folderPath_));
}

void QtRecordPanel::fillFolders() {
    folder_->clear();
    const QStyle* st = view_.style();
    QTreeWidgetItem* parent = nullptr;
    QTreeWidgetItem* current = nullptr;
    for (const QString& path : folderChain(folderPath_)) {
        const QString name = path == QLatin1String("/") ? path : path.section(QLatin1Char('/'), -1);
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(folder_);
        item->setText(0, name);
        item->setIcon(0, st->standardIcon(QStyle::SP_DirOpenIcon));
        item->setData(0, Qt::UserRole, path);
        item->setToolTip(0, path);
        parent = current = item;
    }
    for (const QString& path : subfolders(folderPath_)) {
        auto* item = new QTreeWidgetItem(parent);
        item->setText(0, path.section(QLatin1Char('/'), -1));
        item->setIcon(0, st->standardIcon(QStyle::SP_DirClosedIcon));
        item->setData(0, Qt::UserRole, path);
        item->setToolTip(0, path);
    }
    folder_->expandAll();
    if (current) {
        folder_->setCurrentItem(current);
        folder_->scrollToTop();
        folder_->scrollToItem(current, QAbstractItemView::EnsureVisible);
    }
}

void QtRecordPanel::fillFiles() {
    file_->clear();
    for (const QString& path : recordFiles(filePath_)) {
        auto* item = new QListWidgetItem(path.section(QLatin1Char('/'), -1), file_);
        item->setData(Qt::UserRole, path);
    }
}

// The full path of the folder list's folder, shortened in the middle only when it cannot fit
// above the board.
void QtRecordPanel::showPath() {
    const QString full = QDir::toNativeSeparators(folderPath_);
    const QRect area = view_.fromTwips({240, 30, 5760, 310});
    const QFontMetrics fm(path_->font());
    const int pad = fm.averageCharWidth();
    const int room = std::max(1, area.width() - 2 * pad);
    path_->setText(fm.elidedText(full, Qt::ElideMiddle, room));
    path_->setToolTip(full);
    path_->setContentsMargins(pad, 0, pad, 0);
    path_->setGeometry(area.left(), area.top(),
                       std::min(area.width(), fm.horizontalAdvance(path_->text()) + 3 * pad),
                       area.height());
}

void QtRecordPanel::chooseDrive(int index) {
    if (index < 0 || index >= places_.size()) return;
    emit driveChanged(places_[index].path);
    // A refused drive leaves the list on the place of the folder still shown.
    drive_->setCurrentIndex(placeOf(places_, folderPath_));
}

void QtRecordPanel::chooseFolder(const QString& path) {
    if (path.isEmpty()) return;
    folderPath_ = QDir::cleanPath(path);
    fillFolders();
    drive_->setCurrentIndex(placeOf(places_, folderPath_));
    showPath();
    emit folderChanged();
}

void QtRecordPanel::layout() {
    drive_->setGeometry(view_.fromTwips({240, 360, 2535, 300}));
    folder_->setGeometry(view_.fromTwips({240, 600, 2535, 1710}));
    file_->setGeometry(view_.fromTwips({240, 2280, 2535, 930}));
    static const double captionRows[4] = {3120, 2880, 2640, 2400}; // Label1(0..3)
    static const double fieldRows[4] = {3120, 2400, 2640, 2880};   // Text1..Text4
    for (int i = 0; i < 4; ++i) {
        captions_[i]->setGeometry(view_.fromTwips({120, captionRows[i], 855, 255}));
        fields_[i]->setGeometry(view_.fromTwips({960, fieldRows[i], 2295, 270}));
    }
    return_->setGeometry(view_.fromTwips({3360, 3000, 855, 375}));
    // Every control's text grows with the board: 180 twips is 12 pixels at the base size.
    const double s = view_.scale();
    const int px = std::max(8, static_cast<int>(std::lround(180 * s)));
    QFont f = japaneseFont();
    f.setPixelSize(px);
    for (QWidget* w : std::initializer_list<QWidget*>{path_, drive_, folder_, file_, return_})
        w->setFont(f);
    for (int i = 0; i < 4; ++i) {
        captions_[i]->setFont(f);
        fields_[i]->setFont(f);
    }
    const QSize icon(px, px);
    folder_->setIconSize(icon);
    folder_->setIndentation(px);
    file_->setIconSize(icon);
    drive_->setIconSize(icon);
    showPath();
}

void QtRecordPanel::setListsVisible(bool drive, bool folder, bool file) {
    // The lists are read again each time they open: media come and go, records are written.
    if (drive && !drive_->isVisible()) fillPlaces();
    if (folder && !folder_->isVisible()) fillFolders();
    if (file && !file_->isVisible()) fillFiles();
    path_->setVisible(folder);
    drive_->setVisible(drive);
    folder_->setVisible(folder);
    file_->setVisible(file);
}

void QtRecordPanel::setFieldsVisible(bool visible) {
    for (int i = 0; i < 4; ++i) {
        captions_[i]->setVisible(visible);
        fields_[i]->setVisible(visible);
    }
    return_->setVisible(visible);
}

void QtRecordPanel::setFieldText(int field, std::string_view text) {
    if (field >= 1 && field <= 4)
        fields_[field - 1]->setText(
            QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

std::string QtRecordPanel::fieldText(int field) const {
    if (field < 1 || field > 4) return {};
    return fields_[field - 1]->text().toStdString();
}

std::string QtRecordPanel::folder() const {
    return folderPath_.toStdString();
}

void QtRecordPanel::showFolder(const std::string& path) {
    folderPath_ = QDir::cleanPath(QString::fromStdString(path));
    fillFolders();
    drive_->setCurrentIndex(placeOf(places_, folderPath_));
    showPath();
    setFileFolder(path);
}

void QtRecordPanel::setFileFolder(const std::string& path) {
    filePath_ = QDir::cleanPath(QString::fromStdString(path));
    fillFiles();
}

void QtRecordPanel::refreshFiles() {
    fillFiles();
}

} // namespace kelvore::qt
