#include "MainWindow.h"

#include "AnalysisSettings.h"
#include "GameKeys.h"
#include "Language.h"
#include "MatchDialog.h"
#include "MatchSettingsFile.h"
#include "MoveListPanel.h"
#include "Pictures.h"
#include "PieceStyleFile.h"
#include "WindowGeometry.h"
#include "kept/GameKeeper.h"
#include "match/Match.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

namespace kelvore::qt {

namespace {

QString q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

MainWindow::MainWindow(const QString& workFolder, QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Kelvore"));
    view_ = new BoardView(this);
    setCentralWidget(view_);
    menu_ = new QtMenu(*menuBar(), this);
    // While a line of the analysis is on the board, 戻 and 進 step within it, a click on the
    // board returns to the game, and every other command returns first.
    connect(menu_, &QtMenu::chosen, this, [this](MenuItem item) {
        analysis::Variation& v = moveList_->variation();
        if (v.shown() && item == MenuItem::REPLAY) return void(v.back());
        if (v.shown() && item == MenuItem::AFTER) return void(v.forward());
        v.leave();
        form_->onMenu(item);
    });
    connect(view_, &BoardView::pressed, this, [this](int button, int shift, double x, double y) {
        if (moveList_->variation().shown()) return moveList_->variation().leave();
        form_->Form_MouseDown(button, shift, x, y);
    });
    recordPanel_ = new QtRecordPanel(*view_);
    connect(view_, &BoardView::scaled, recordPanel_, &QtRecordPanel::layout);
    connect(recordPanel_, &QtRecordPanel::driveChanged, this,
            [this](const QString& path) { form_->Drive1_Change(path.toStdString()); });
    connect(recordPanel_, &QtRecordPanel::folderChanged, this, [this] { form_->Dir1_Change(); });
    connect(recordPanel_, &QtRecordPanel::fileClicked, this,
            [this](const QString& path) { form_->File1_Click(path.toStdString()); });
    connect(recordPanel_, &QtRecordPanel::returnClicked, this, [this] { form_->Command1_Click(); });

    // Our notices stand below the board, under its nine files, a row clear of it.
    status_ = new QtStatusLine(view_, [this] {
        return view_->fromTwips(BoardView::cell(1, 11).united(BoardView::cell(9, 11)));
    });
    platform_ = std::make_unique<Platform>(Platform{view_->canvas(), *this, *menu_, timer_, clock_,
                                                    sound_, *recordPanel_, *this, *this, *status_});
    form_ = std::make_unique<Form1>(*platform_);
    // KIF書出 writes the judgement of the game it writes, and KIF読込 shows the one it reads.
    sharing_ = std::make_unique<Sharing>(
        *form_, *this, [this](kif::KifGame& k) { moveList_->analysis().annotate(k); },
        [this](const kif::KifGame& k) { moveList_->analysis().showJudgement(k); });
    // The margins around the game's window show the game's current background.
    view_->canvas().background = [this] { return form_->CurrentBackground; };
    keeper_ = std::make_unique<kept::GameKeeper>(*form_);
    moveList_ = new MoveListPanel(*form_, view_);
    view_->setSidePanel(moveList_, [this](int height) { return moveList_->widthFor(height); });
    connect(moveList_, &MoveListPanel::hintChanged, this,
            [this] { view_->setMarkedCells(moveList_->hintCells()); });
    connect(moveList_, &MoveListPanel::widthChanged, view_, &BoardView::relayout);
    form_->setOwnCommand(MenuItem::MOVE_LIST,
                         [this] { showMoveList(!menu_->isChecked(MenuItem::MOVE_LIST)); });
    QDir().mkpath(workFolder);
    workFolder_ = QDir(workFolder).absolutePath();
    form_->WorkFolder = workFolder_.toStdString();
    form_->SoundFolder = soundFolder().toStdString();
    // Records are written to and read from the work folder until another one is chosen.
    recordPanel_->showFolder(form_->WorkFolder);
    // The pieces as the player last chose to see them.
    setPieceStyle(readPieceStyle(geometryFile()));
    pieceStyles_ = std::make_unique<pieces::StyleMenu>(
        *form_, pieceStyle(), [this](pieces::Style style) { showPieces(style); });
    // The move list is shown unless the player has hidden it.
    const bool listShown = readMoveListShown(geometryFile()).value_or(true);
    if (const auto nodes = readNodesPerPosition(geometryFile()))
        moveList_->analysis().setNodesPerPosition(*nodes);
    moveList_->analysis().setMsPerPosition(readMsPerPosition(geometryFile()));
    moveList_->setVisible(listShown);
    menu_->setChecked(MenuItem::MOVE_LIST, listShown);
    resize(kBaseWidth, kBaseHeight + menuBar()->sizeHint().height());
    view_->canvas().resize(kBaseWidth, kBaseHeight);
    // Esc, F1 and F2 wherever the focus is in the window; every other key does nothing.
    new GameKeys(*this, [this](Form1::Key key) {
        moveList_->variation().leave();
        form_->Form_KeyDown(key);
    });
    // The match room: 対局設定… opens its dialogue; what is set there and the level chosen in
    // the menu are kept in window.ini and found again at the next start.
    match_ = std::make_unique<match::Match>(
        *form_, match::Outside{
                    [this](const match::MatchSettings& now) -> std::optional<match::MatchSettings> {
                        MatchDialog dialog(now, this);
                        if (execModal(dialog) != QDialog::Accepted) return std::nullopt;
                        return dialog.settings();
                    },
                    [this](const match::MatchSettings& chosen) {
                        writeMatchSettings(geometryFile(), chosen);
                    }});
    offerLanguages(*form_, geometryFile());
    form_->Form_Load();
    match_->restore(readMatchSettings(geometryFile()));
}

MainWindow::~MainWindow() {
    pieceStyles_.reset();
    view_->setSidePanel(nullptr, {});
    delete moveList_;
    moveList_ = nullptr;
    keeper_.reset();
    match_.reset();
}

QString MainWindow::soundFolder() {
    const QString exe = QCoreApplication::applicationDirPath();
    const QString candidates[] = {
        exe + QStringLiteral("/assets"), exe + QStringLiteral("/../share/kelvore"),
        QStringLiteral(KELVORE_DATADIR), QStringLiteral(KELVORE_BUILD_ASSETS)};
    for (const QString& dir : candidates)
        if (QFile::exists(dir + QString::fromUtf8("/駒打音.wav"))) return QDir(dir).absolutePath();
    return exe;
}

// ---------------------------------------------------------------- Dialogs

Answer MainWindow::messageBox(std::string_view prompt, std::string_view title, Buttons buttons,
                              Icon icon) {
    QMessageBox box(this);
    box.setWindowTitle(q(title));
    const QString text = q(prompt).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box.setText(text);
    // A long text (the version message's how-to) gets a box wide enough for its lines.
    if (text.count(QLatin1Char('\n')) > 6)
        box.setStyleSheet(QStringLiteral("QLabel { min-width: 36em; }"));
    box.setIcon(icon == Icon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon);
    QPushButton* promote = nullptr;
    QPushButton* keep = nullptr;
    if (buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else if (buttons == Buttons::Promotion) {
        // Neither is an escape button: a stray Esc decides nothing, one of the two must be
        // chosen. A box closed otherwise answers Cancel, and the piece stays held.
        promote = box.addButton(tr("成る"), QMessageBox::ActionRole);
        keep = box.addButton(tr("成らない"), QMessageBox::ActionRole);
        box.setDefaultButton(promote);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int result = execModal(box);
    if (buttons == Buttons::OK) return Answer::OK;
    if (buttons == Buttons::Promotion)
        return box.clickedButton() == promote ? Answer::Yes
               : box.clickedButton() == keep  ? Answer::No
                                              : Answer::Cancel;
    return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

int MainWindow::execModal(QDialog& dialog) {
    ++openBoxes_;
    const int result = dialog.exec();
    --openBoxes_;
    if (openBoxes_ == 0 && !heldBack_.empty()) {
        // What arrived while the box was open runs once the handler that showed it is done.
        QMetaObject::invokeMethod(
            this,
            [this] {
                std::vector<std::function<void()>> held;
                held.swap(heldBack_);
                for (const auto& c : held) runPosted(c);
            },
            Qt::QueuedConnection);
    }
    return result;
}

// ---------------------------------------------------------------- Window

std::intptr_t MainWindow::handle() const {
    return static_cast<std::intptr_t>(winId());
}

int MainWindow::top() const {
    return geometry().top() * kTwipsPerPixel;
}

QString MainWindow::geometryFile() const {
    return workFolder_ + QStringLiteral("/window.ini");
}

// The first start opens the window centred with the board at about 85 % of the screen's
// height; later starts open it where it was, shrunk and moved onto the screen if the screen
// has become smaller.
void MainWindow::place(int /*left*/, int /*top*/, int /*width*/, int /*height*/) {
    const int menuHeight = menuBar()->sizeHint().height();
    const std::optional<SavedGeometry> saved = readGeometry(geometryFile());
    QScreen* screen = nullptr;
    if (saved) screen = QGuiApplication::screenAt(saved->rect.center());
    if (screen == nullptr) screen = this->screen();
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect available = screen->availableGeometry();
    std::function<int(int)> side;
    if (moveList_ && !moveList_->isHidden())
        side = [this](int height) { return moveList_->widthFor(height); };
    QRect rect = saved ? saved->rect : firstGeometry(available, menuHeight, side);
    // A size remembered before there was a move list makes room for it beside the board.
    if (saved && side && !readMoveListShown(geometryFile()))
        rect.setWidth(rect.width() + side(rect.height() - menuHeight));
    setGeometry(saved ? fitGeometry(rect, available) : rect);
    if (saved && saved->maximized) setWindowState(windowState() | Qt::WindowMaximized);
}

void MainWindow::rememberGeometry() {
    SavedGeometry g;
    g.maximized = isMaximized() || isFullScreen();
    g.rect = g.maximized ? normalGeometry() : geometry();
    if (g.rect.isValid()) writeGeometry(geometryFile(), g);
    if (moveList_) writeMoveListShown(geometryFile(), !moveList_->isHidden());
}

void MainWindow::showMoveList(bool shown) {
    menu_->setChecked(MenuItem::MOVE_LIST, shown);
    writeMoveListShown(geometryFile(), shown);
    if (shown == !moveList_->isHidden()) return;
    const int side = moveList_->widthFor(view_->height());
    moveList_->setVisible(shown);
    if (isVisible() && !isMaximized() && !isFullScreen()) {
        QRect g = geometry();
        g.setWidth(std::max(minimumWidth(), g.width() + (shown ? side : -side)));
        if (const QScreen* s = screen()) g = fitGeometry(g, s->availableGeometry());
        setGeometry(g);
    }
    view_->relayout();
}

void MainWindow::showPieces(pieces::Style style) {
    setPieceStyle(style);
    writePieceStyle(geometryFile(), style);
    // The canvas keeps what was drawn as picture codes: painted again, they take the new faces.
    QtCanvas& canvas = view_->canvas();
    canvas.resize(canvas.image().width(), canvas.image().height(), canvas.reservedRight());
    view_->update();
}

void MainWindow::quit() {
    if (!quitting_ && isVisible()) rememberGeometry();
    quitting_ = true;
    timer_.setEnabled(false);
    hide();
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

// ---------------------------------------------------------------- Dispatcher

void MainWindow::post(std::function<void()> continuation) {
    // Delivered on this window's thread; Qt drops it if the window is gone by then.
    QMetaObject::invokeMethod(
        this, [this, c = std::move(continuation)] { runPosted(c); }, Qt::QueuedConnection);
}

// A continuation runs only between events of the top-level loop: a message box runs an event
// loop of its own, and the handler that opened it must not find the game changed under it.
void MainWindow::runPosted(const std::function<void()>& continuation) {
    if (quitting_) return;
    if (openBoxes_ > 0) {
        heldBack_.push_back(continuation);
        return;
    }
    continuation();
}

// ---------------------------------------------------------------- closing

void MainWindow::closeEvent(QCloseEvent* event) {
    if (moveList_) moveList_->variation().leave();
    if (!quitting_) form_->Form_Unload();
    event->accept();
}

} // namespace kelvore::qt
