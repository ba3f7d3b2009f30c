// The record panel laid over the board view when a record is read or written: the drive list
// (Drive1: the places a user keeps files in), the folder list (Dir1: the folders from the root
// down to the chosen one, and those inside it) with the folder's path above it, the file list
// (File1: the records "*.棋譜" in the chosen folder), the four text fields of a record's header
// and the RETURN button. It keeps to the game's window units and grows with the board. What the
// player does with it goes to the game through its signals.
#pragma once

#include "RecordPlaces.h"
#include "platform/Platform.h"

#include <QObject>
#include <QString>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;

namespace kelvore::qt {

class BoardView;

class QtRecordPanel : public QObject, public RecordPanel {
    Q_OBJECT
public:
    // The controls are children of `view`, hidden until the game shows them.
    explicit QtRecordPanel(BoardView& view);

    void setListsVisible(bool drive, bool folder, bool file) override;
    void setFieldsVisible(bool visible) override;
    void setFieldText(int field, std::string_view text) override;
    std::string fieldText(int field) const override;
    std::string folder() const override;
    void showFolder(const std::string& path) override;
    void setFileFolder(const std::string& path) override;
    void refreshFiles() override;

    // Lays the controls out over the board view at its current scale.
    void layout();

    // The panel as the player uses it: choosing a place of the drive list, or a folder of the
    // folder list, as a click does.
    void chooseDrive(int index);
    void chooseFolder(const QString& path);
    QComboBox* driveList() const { return drive_; }
    QTreeWidget* folderList() const { return folder_; }
    QListWidget* fileList() const { return file_; }
    QLabel* pathLabel() const { return path_; }
    QPushButton* returnButton() const { return return_; }

signals:
    // A place of the drive list was chosen (the game's Drive1_Change).
    void driveChanged(const QString& path);
    // The folder list shows another folder (Dir1_Change).
    void folderChanged();
    // A record of the file list was clicked (File1_Click).
    void fileClicked(const QString& path);
    // RETURN was pressed (Command1_Click).
    void returnClicked();

private:
    void fillPlaces();
    void fillFolders();
    void fillFiles();
    void showPath();

    BoardView& view_;
    QLabel* path_ = nullptr;
    QComboBox* drive_ = nullptr;
    QTreeWidget* folder_ = nullptr;
    QListWidget* file_ = nullptr;
    QList<Place> places_;
    QString folderPath_; // the folder list's folder
    QString filePath_;   // the file list's folder
    std::array<QLabel*, 4> captions_{};
    std::array<QLineEdit*, 4> fields_{}; // Text1..Text4
    QPushButton* return_ = nullptr;
};

} // namespace kelvore::qt
