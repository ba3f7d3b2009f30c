// The Qt main window: it composes what the game needs of the platform (the menu bar, the board
// view and its canvas, the record panel, the clock timer, the sound) with message boxes, its own
// size and place, and the dispatcher, hands them all to the game, and lays the move list beside
// the board.
#pragma once

// Before Qt: the game has a member named "slots".
#include "Form1.h"

#include "BoardView.h"
#include "QtMenu.h"
#include "QtRecordPanel.h"
#include "QtSound.h"
#include "QtStatusLine.h"
#include "QtTimer.h"
#include "Sharing.h"
#include "pieces/PieceStyle.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <vector>

class QAction;

class QDialog;

namespace kelvore::kept {
class GameKeeper;
}
namespace kelvore::match {
class Match;
}

namespace kelvore::qt {

class MoveListPanel;

class MainWindow : public QMainWindow, public Dialogs, public Window, public Dispatcher {
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
    QAction* action(MenuItem item) const { return menu_->action(item); }
    BoardView& view() { return *view_; }
    QtRecordPanel& recordPanel() { return *recordPanel_; }
    QtTimer& timer() { return timer_; }
    match::Match& match() { return *match_; }

    // Dialogs
    Answer messageBox(std::string_view prompt, std::string_view title, Buttons buttons,
                      Icon icon) override;
    // Window
    std::intptr_t handle() const override;
    int top() const override;
    void place(int left, int top, int width, int height) override;
    void quit() override;
    // Dispatcher: a queued invocation on this window's thread, held back while a box is open.
    void post(std::function<void()> continuation) override;

    // The file that remembers the window's size and place, and remembering them now.
    QString geometryFile() const;
    void rememberGeometry();

    // The move list beside the board, shown or hidden by ｵﾌﾟｼｮﾝ → 指し手一覧; the choice is
    // kept in the geometry file. Showing it widens the window by its width where the screen
    // has room, hiding it narrows the window again, so that the board keeps its size.
    MoveListPanel& moveList() { return *moveList_; }
    void showMoveList(bool shown);
    kept::GameKeeper& keeper() { return *keeper_; }
    // ｵﾌﾟｼｮﾝ → 駒の表示 / Pieces: the pieces drawn again in the style chosen, which is kept.
    pieces::StyleMenu& pieceStyles() { return *pieceStyles_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void runPosted(const std::function<void()>& continuation);
    void showPieces(pieces::Style style);
    // Runs a modal dialogue; what is posted meanwhile waits until it is closed.
    int execModal(QDialog& dialog);

    BoardView* view_ = nullptr;
    QtStatusLine* status_ = nullptr;
    QtMenu* menu_ = nullptr;
    QtRecordPanel* recordPanel_ = nullptr;
    QtTimer timer_{[this] { form_->Timer1_Timer(); }};
    SystemClock clock_;
    QtSound sound_;
    std::unique_ptr<Platform> platform_;
    std::unique_ptr<Form1> form_;
    // The rooms beside the game: they leave it before it goes.
    std::unique_ptr<kept::GameKeeper> keeper_;
    std::unique_ptr<match::Match> match_; // clocks, 投了, 中断 and the match settings
    std::unique_ptr<pieces::StyleMenu> pieceStyles_;
    MoveListPanel* moveList_ = nullptr;
    std::unique_ptr<Sharing> sharing_; // KIF and SFEN
    bool quitting_ = false;
    int openBoxes_ = 0;                           // message boxes waiting for an answer
    std::vector<std::function<void()>> heldBack_; // posted while a box was open

    QString workFolder_;
};

} // namespace kelvore::qt
