// The Qt main window: the menu bar built from the game's menu tree, the board view, message
// boxes, the clock timer and the record panel, all handed to the game as its platform.
#pragma once

#include "Form1.h"
#include "QtCanvas.h"
#include "QtSound.h"
#include "QtStatusLine.h"
#include "RecordPlaces.h"
#include "Sharing.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <QVector>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;

namespace kelvore::kept {
class GameKeeper;
}

namespace kelvore::qt {

class MoveListPanel;

class MainWindow;

// The area the game draws on: the retained canvas image. The game's window keeps its aspect in
// the middle; the margins around it continue the background, and clicks there do nothing.
class BoardView : public QWidget {
    Q_OBJECT
public:
    explicit BoardView(MainWindow& window);
    QtCanvas& canvas() { return canvas_; }
    const QtCanvas& canvas() const { return canvas_; }
    // Maps a widget position to window units (twips) of the game.
    QPointF toTwips(QPointF widgetPos) const;
    // Maps a rectangle in twips to widget coordinates.
    QRect fromTwips(const QRectF& twips) const;
    // Logical pixels per twip.
    double scale() const;

    // A panel laid over the right of the view, beside the board: the board keeps to the area
    // left of it while it is shown. `widthFor` gives its width for the view's height.
    void setSidePanel(QWidget* panel, std::function<int(int)> widthFor);
    // Lays the board and the side panel out again (after the panel is shown or hidden).
    void relayout();
    // Cells (in twips) outlined over the board in a colour of their own: the hint's move.
    void setMarkedCells(const QVector<QRectF>& cells);
    const QVector<QRectF>& markedCells() const { return marked_; }
    static QColor markColour();

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // Rebuilds the canvas image when the size in device pixels has changed (a resize, or a
    // move to a screen of another pixel ratio).
    void fitCanvas();
    // The side panel's width in logical pixels at the current size (0 when hidden).
    int sideWidth() const;
    MainWindow& window_;
    QtCanvas canvas_;
    QPointer<QWidget> side_;
    std::function<int(int)> sideWidthFor_;
    int reserveAsked_ = -1; // the strip last asked of the canvas, in device pixels
    QVector<QRectF> marked_;
};

class SystemClock : public Clock {
public:
    double secondsSinceMidnight() override;
    void sleepFor(double seconds) override;
};

class MainWindow : public QMainWindow,
                   public Menu,
                   public Dialogs,
                   public Timer,
                   public Window,
                   public RecordPanel,
                   public Dispatcher {
    Q_OBJECT
public:
    // `workFolder` holds the settings file and the default record folder.
    // The folder the wave files are found in: beside the program in the build tree, or where
    // the program was installed.
    static QString soundFolder();
    explicit MainWindow(const QString& workFolder, QWidget* parent = nullptr);
    ~MainWindow() override;

    Form1& form() { return *form_; }
    sharing::Interchange& sharing() { return sharing_->room(); }
    QAction* action(MenuItem item) const { return actions_[static_cast<int>(item)]; }
    BoardView& view() { return *view_; }

    // Menu
    void setChecked(MenuItem item, bool checked) override;
    bool isChecked(MenuItem item) const override;
    void setEnabled(MenuItem item, bool enabled) override;
    // Dialogs
    Answer messageBox(std::string_view prompt, std::string_view title, Buttons buttons,
                      Icon icon) override;
    // Timer
    void setEnabled(bool enabled) override;
    bool isEnabled() const override;
    // Window
    std::intptr_t handle() const override;
    int top() const override;
    void place(int left, int top, int width, int height) override;
    void quit() override;
    // RecordPanel
    void setListsVisible(bool drive, bool folder, bool file) override;
    void setFieldsVisible(bool visible) override;
    void setFieldText(int field, std::string_view text) override;
    std::string fieldText(int field) const override;
    std::string folder() const override;
    void showFolder(const std::string& path) override;
    void setFileFolder(const std::string& path) override;
    void refreshFiles() override;
    // Dispatcher: a queued invocation on this window's thread, held back while a box is open.
    void post(std::function<void()> continuation) override;

    // Lays the record panel's controls out over the board view at the current scale.
    void layoutPanel();

    // The record panel as the player uses it: choosing a place of the drive list, or a folder
    // of the folder list, as a click does.
    void chooseDrive(int index);
    void chooseFolder(const QString& path);
    QComboBox* driveList() const { return drive_; }
    QTreeWidget* folderList() const { return folder_; }
    QListWidget* fileList() const { return file_; }
    QLabel* pathLabel() const { return path_; }

    // The file that remembers the window's size and place, and remembering them now.
    QString geometryFile() const;
    void rememberGeometry();

    // The move list beside the board, shown or hidden by ｵﾌﾟｼｮﾝ → 指し手一覧; the choice is
    // kept in the geometry file. Showing it widens the window by its width where the screen
    // has room, hiding it narrows the window again, so that the board keeps its size.
    MoveListPanel& moveList() { return *moveList_; }
    void showMoveList(bool shown);
    kept::GameKeeper& keeper() { return *keeper_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildPanel();
    void runPosted(const std::function<void()>& continuation);
    void fillPlaces();
    void fillFolders();
    void fillFiles();
    void showPath();

    BoardView* view_ = nullptr;
    QtStatusLine* status_ = nullptr;
    std::array<QAction*, static_cast<int>(MenuItem::Count)> actions_{};
    QTimer timer_;
    SystemClock clock_;
    QtSound sound_;
    std::unique_ptr<Platform> platform_;
    std::unique_ptr<Form1> form_;
    // The rooms beside the game: they leave it before it goes.
    std::unique_ptr<kept::GameKeeper> keeper_;
    MoveListPanel* moveList_ = nullptr;
    std::unique_ptr<Sharing> sharing_; // KIF and SFEN
    bool quitting_ = false;
    int openBoxes_ = 0;                           // message boxes waiting for an answer
    std::vector<std::function<void()>> heldBack_; // posted while a box was open

    QString workFolder_;
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
