#include "MainWindow.h"

#include "AnalysisSettings.h"
#include "GameKeys.h"
#include "MoveListPanel.h"
#include "Pictures.h"
#include "WindowGeometry.h"
#include "kept/GameKeeper.h"
#include "screen/MenuTree.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTime>
#include <QTreeWidget>

#include <chrono>
#include <cmath>
#include <thread>

namespace kelvore::qt {

namespace {

QString q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

constexpr double kTwipsPerPixel = 15;

} // namespace

// ---------------------------------------------------------------- BoardView

BoardView::BoardView(MainWindow& window) : QWidget(&window), window_(window) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    // One pixel is never more than 30 twips, which the canvas's reckoning of what is hidden
    // relies on.
    setMinimumSize(300, 267);
    canvas_.onChanged = [this] { update(); };
}

double BoardView::scale() const {
    return canvas_.pixelsPerTwip() / devicePixelRatioF();
}

QPointF BoardView::toTwips(QPointF pos) const {
    return canvas_.toTwips(pos * devicePixelRatioF());
}

QRect BoardView::fromTwips(const QRectF& t) const {
    const double dpr = devicePixelRatioF();
    const QRectF d = canvas_.toDevice(t);
    return QRectF(d.topLeft() / dpr, d.size() / dpr).toRect();
}

void BoardView::fitCanvas() {
    const double dpr = devicePixelRatioF();
    const int w = static_cast<int>(std::lround(width() * dpr));
    const int h = static_cast<int>(std::lround(height() * dpr));
    const int reserve = static_cast<int>(std::lround(sideWidth() * dpr));
    if (canvas_.image().width() != w || canvas_.image().height() != h || reserve != reserveAsked_) {
        reserveAsked_ = reserve;
        canvas_.resize(w, h, reserve);
        window_.layoutPanel();
    }
    if (side_ && !side_->isHidden()) {
        // The panel stands in the strip kept free for it, framed by the background.
        const int r = static_cast<int>(std::lround(canvas_.reservedRight() / dpr));
        const int gap = std::max(3, r / 40);
        side_->setGeometry(width() - r, gap, std::max(0, r - gap), std::max(0, height() - 2 * gap));
    }
}

void BoardView::setSidePanel(QWidget* panel, std::function<int(int)> widthFor) {
    side_ = panel;
    sideWidthFor_ = std::move(widthFor);
    relayout();
}

int BoardView::sideWidth() const {
    if (!side_ || side_->isHidden() || !sideWidthFor_) return 0;
    return std::max(0, sideWidthFor_(height()));
}

// A view not shown yet is laid out by its first resize and paint.
void BoardView::relayout() {
    reserveAsked_ = -1;
    if (isVisible()) fitCanvas();
    update();
}

QColor BoardView::markColour() {
    return {0, 200, 255};
}

void BoardView::setMarkedCells(const QVector<QRectF>& cells) {
    if (cells == marked_) return;
    marked_ = cells;
    update();
}

void BoardView::paintEvent(QPaintEvent*) {
    fitCanvas();
    QPainter p(this);
    const QImage& img = canvas_.image();
    if (img.isNull()) {
        p.fillRect(rect(), paletteColor(2));
        return;
    }
    const double dpr = devicePixelRatioF();
    p.drawImage(QRectF(0, 0, img.width() / dpr, img.height() / dpr), img);
    if (marked_.isEmpty()) return;
    // Over the board and apart from the game's own drawing: gone as soon as the cells are.
    p.scale(1 / dpr, 1 / dpr);
    for (const QRectF& cell : marked_) canvas_.paintOutline(p, cell, markColour());
}

void BoardView::resizeEvent(QResizeEvent*) {
    fitCanvas();
    window_.layoutPanel();
    update();
}

void BoardView::mousePressEvent(QMouseEvent* event) {
    int button = 0;
    if (event->button() == Qt::LeftButton) button = 1;
    if (event->button() == Qt::RightButton) button = 2;
    if (button == 0) return;
    const QPointF twips = toTwips(event->position());
    // The margins around the game's window are only background.
    if (twips.x() < 0 || twips.y() < 0 || twips.x() >= QtCanvas::kWidth ||
        twips.y() >= QtCanvas::kHeight)
        return;
    int shift = 0;
    if (event->modifiers() & Qt::ShiftModifier) shift |= 1;
    if (event->modifiers() & Qt::ControlModifier) shift |= 2;
    if (event->modifiers() & Qt::AltModifier) shift |= 4;
    window_.form().Form_MouseDown(button, shift, twips.x(), twips.y());
}

// ---------------------------------------------------------------- clock

double SystemClock::secondsSinceMidnight() {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

void SystemClock::sleepFor(double seconds) {
    if (seconds > 0) std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

// ---------------------------------------------------------------- MainWindow

MainWindow::MainWindow(const QString& workFolder, QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Kelvore"));
    view_ = new BoardView(*this);
    setCentralWidget(view_);
    buildMenus();
    buildPanel();

    timer_.setInterval(50);
    connect(&timer_, &QTimer::timeout, this, [this] { form_->Timer1_Timer(); });

    // Our notices stand over the foot of the board, below its last row.
    status_ = new QtStatusLine(view_, [this] { return view_->fromTwips({1050, 6880, 4455, 600}); });
    platform_ = std::make_unique<Platform>(Platform{view_->canvas(), *this, *this, *this, clock_,
                                                    sound_, *this, *this, *this, *status_});
    form_ = std::make_unique<Form1>(*platform_);
    sharing_ = std::make_unique<Sharing>(*form_, *this);
    // The margins around the game's window show the game's current background.
    view_->canvas().background = [this] { return form_->CurrentBackground; };
    keeper_ = std::make_unique<kept::GameKeeper>(*form_);
    moveList_ = new MoveListPanel(*form_, view_);
    view_->setSidePanel(moveList_, [this](int height) { return moveList_->widthFor(height); });
    connect(moveList_, &MoveListPanel::hintChanged, this,
            [this] { view_->setMarkedCells(moveList_->hintCells()); });
    connect(moveList_, &MoveListPanel::widthChanged, view_, &BoardView::relayout);
    form_->setOwnCommand(MenuItem::MOVE_LIST,
                         [this] { showMoveList(!isChecked(MenuItem::MOVE_LIST)); });
    QDir().mkpath(workFolder);
    workFolder_ = QDir(workFolder).absolutePath();
    form_->WorkFolder = workFolder_.toStdString();
    form_->SoundFolder = soundFolder().toStdString();
    // Records are written to and read from the work folder until another one is chosen.
    showFolder(form_->WorkFolder);
    // The move list is shown unless the player has hidden it.
    const bool listShown = readMoveListShown(geometryFile()).value_or(true);
    if (const auto ms = readMsPerPosition(geometryFile()))
        moveList_->analysis().setMsPerPosition(*ms);
    moveList_->setVisible(listShown);
    setChecked(MenuItem::MOVE_LIST, listShown);
    resize(kBaseWidth, kBaseHeight + menuBar()->sizeHint().height());
    view_->canvas().resize(kBaseWidth, kBaseHeight);
    // Esc, F1 and F2 wherever the focus is in the window; every other key does nothing.
    new GameKeys(*this, [this](Form1::Key key) { form_->Form_KeyDown(key); });
    form_->Form_Load();
}

MainWindow::~MainWindow() {
    view_->setSidePanel(nullptr, {});
    delete moveList_;
    moveList_ = nullptr;
    keeper_.reset();
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

void MainWindow::buildMenus() {
    std::array<QMenu*, static_cast<int>(MenuItem::Count)> menus{};
    std::array<bool, static_cast<int>(MenuItem::Count)> oursBegun{};
    for (const MenuEntry& e : kMenuTree) {
        const int index = static_cast<int>(e.item);
        QMenu* parentMenu = e.parent ? menus[static_cast<int>(*e.parent)] : nullptr;
        QAction* action = nullptr;
        if (hasChildren(e.item)) {
            QMenu* menu =
                parentMenu ? parentMenu->addMenu(q(e.caption)) : menuBar()->addMenu(q(e.caption));
            menus[index] = menu;
            action = menu->menuAction();
            const MenuItem item = e.item;
            connect(menu, &QMenu::aboutToShow, this, [this, item] { form_->onMenu(item); });
        } else {
            // Our own items stand behind a separator, after the game's items of the menu.
            if (e.ours && parentMenu != nullptr && !oursBegun[static_cast<int>(*e.parent)]) {
                parentMenu->addSeparator();
                oursBegun[static_cast<int>(*e.parent)] = true;
            }
            action = parentMenu ? parentMenu->addAction(q(e.caption))
                                : menuBar()->addAction(q(e.caption));
            action->setCheckable(e.checkable);
            action->setEnabled(Form1::commandAvailable(e.item));
            const MenuItem item = e.item;
            connect(action, &QAction::triggered, this, [this, action, item](bool checked) {
                // The game owns the check marks: undo Qt's own toggle before it decides.
                if (action->isCheckable()) action->setChecked(!checked);
                form_->onMenu(item);
            });
        }
        action->setObjectName(QStringLiteral("menu_%1").arg(index));
        actions_[index] = action;
    }
}

void MainWindow::buildPanel() {
    // Above the lists, the folder they show. Drive1: the places a user keeps files in.
    // Dir1: the folders from the root down to the chosen one, and those inside it.
    // File1: the records ("*.棋譜") in the chosen folder.
    path_ = new QLabel(view_);
    path_->setAutoFillBackground(true);
    path_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    drive_ = new QComboBox(view_);
    connect(drive_, &QComboBox::activated, this, &MainWindow::chooseDrive);
    folder_ = new QTreeWidget(view_);
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
    file_ = new QListWidget(view_);
    connect(file_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        form_->File1_Click(item->data(Qt::UserRole).toString().toStdString());
    });
    static const char* captions[4] = {"ﾌｧｲﾙ名 ：", "後    手 ：", "先    手 ：", "対 局 名："};
    for (int i = 0; i < 4; ++i) {
        captions_[i] = new QLabel(QString::fromUtf8(captions[i]), view_);
        captions_[i]->setAutoFillBackground(true);
        fields_[i] = new QLineEdit(view_);
    }
    return_ = new QPushButton(QStringLiteral("RETURN"), view_);
    connect(return_, &QPushButton::clicked, this, [this] { form_->Command1_Click(); });
    fillPlaces();
    setListsVisible(false, false, false);
    setFieldsVisible(false);
}

void MainWindow::fillPlaces() {
    places_ = userPlaces(mountedFileSystems(), QDir::homePath());
    drive_->clear();
    for (const Place& p : places_) drive_->addItem(p.label, p.path);
    drive_->setCurrentIndex(placeOf(places_, folderPath_));
}

void MainWindow::fillFolders() {
    folder_->clear();
    const QStyle* st = style();
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

void MainWindow::fillFiles() {
    file_->clear();
    for (const QString& path : recordFiles(filePath_)) {
        auto* item = new QListWidgetItem(path.section(QLatin1Char('/'), -1), file_);
        item->setData(Qt::UserRole, path);
    }
}

// The full path of the folder list's folder, shortened in the middle only when it cannot fit
// above the board.
void MainWindow::showPath() {
    const QString full = QDir::toNativeSeparators(folderPath_);
    const QRect area = view_->fromTwips({240, 30, 5760, 310});
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

void MainWindow::chooseDrive(int index) {
    if (index < 0 || index >= places_.size()) return;
    form_->Drive1_Change(places_[index].path.toStdString());
    // A refused drive leaves the list on the place of the folder still shown.
    drive_->setCurrentIndex(placeOf(places_, folderPath_));
}

void MainWindow::chooseFolder(const QString& path) {
    if (path.isEmpty()) return;
    folderPath_ = QDir::cleanPath(path);
    fillFolders();
    drive_->setCurrentIndex(placeOf(places_, folderPath_));
    showPath();
    form_->Dir1_Change();
}

void MainWindow::layoutPanel() {
    if (drive_ == nullptr) return;
    drive_->setGeometry(view_->fromTwips({240, 360, 2535, 300}));
    folder_->setGeometry(view_->fromTwips({240, 600, 2535, 1710}));
    file_->setGeometry(view_->fromTwips({240, 2280, 2535, 930}));
    static const double captionRows[4] = {3120, 2880, 2640, 2400}; // Label1(0..3)
    static const double fieldRows[4] = {3120, 2400, 2640, 2880};   // Text1..Text4
    for (int i = 0; i < 4; ++i) {
        captions_[i]->setGeometry(view_->fromTwips({120, captionRows[i], 855, 255}));
        fields_[i]->setGeometry(view_->fromTwips({960, fieldRows[i], 2295, 270}));
    }
    return_->setGeometry(view_->fromTwips({3360, 3000, 855, 375}));
    // Every control's text grows with the board: 180 twips is 12 pixels at the base size.
    const double s = view_->scale();
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

// ---------------------------------------------------------------- Menu

void MainWindow::setChecked(MenuItem item, bool checked) {
    QAction* a = action(item);
    if (a == nullptr) return;
    a->setCheckable(true);
    a->setChecked(checked);
}

bool MainWindow::isChecked(MenuItem item) const {
    const QAction* a = action(item);
    return a != nullptr && a->isChecked();
}

void MainWindow::setEnabled(MenuItem item, bool enabled) {
    if (QAction* a = action(item)) a->setEnabled(enabled);
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
    QAbstractButton* promote = nullptr;
    QAbstractButton* keep = nullptr;
    if (buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else if (buttons == Buttons::Promotion) {
        // Neither is an escape button: a stray Esc decides nothing, one of the two must be
        // chosen. A box closed otherwise answers Cancel, and the piece stays held.
        promote = box.addButton(QStringLiteral("成る"), QMessageBox::ActionRole);
        keep = box.addButton(QStringLiteral("成らない"), QMessageBox::ActionRole);
        box.setDefaultButton(static_cast<QPushButton*>(promote));
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    ++openBoxes_;
    const int result = box.exec();
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
    if (buttons == Buttons::OK) return Answer::OK;
    if (buttons == Buttons::Promotion)
        return box.clickedButton() == promote ? Answer::Yes
               : box.clickedButton() == keep  ? Answer::No
                                              : Answer::Cancel;
    return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

// ---------------------------------------------------------------- Timer

void MainWindow::setEnabled(bool enabled) {
    if (enabled)
        timer_.start();
    else
        timer_.stop();
}

bool MainWindow::isEnabled() const {
    return timer_.isActive();
}

// ---------------------------------------------------------------- Window

std::intptr_t MainWindow::handle() const {
    return static_cast<std::intptr_t>(winId());
}

int MainWindow::top() const {
    return static_cast<int>(geometry().top() * kTwipsPerPixel);
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
    setChecked(MenuItem::MOVE_LIST, shown);
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

void MainWindow::quit() {
    if (!quitting_ && isVisible()) rememberGeometry();
    quitting_ = true;
    timer_.stop();
    hide();
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

// ---------------------------------------------------------------- RecordPanel

void MainWindow::setListsVisible(bool drive, bool folder, bool file) {
    // The lists are read again each time they open: media come and go, records are written.
    if (drive && !drive_->isVisible()) fillPlaces();
    if (folder && !folder_->isVisible()) fillFolders();
    if (file && !file_->isVisible()) fillFiles();
    path_->setVisible(folder);
    drive_->setVisible(drive);
    folder_->setVisible(folder);
    file_->setVisible(file);
}

void MainWindow::setFieldsVisible(bool visible) {
    for (int i = 0; i < 4; ++i) {
        captions_[i]->setVisible(visible);
        fields_[i]->setVisible(visible);
    }
    return_->setVisible(visible);
}

void MainWindow::setFieldText(int field, std::string_view text) {
    if (field >= 1 && field <= 4) fields_[field - 1]->setText(q(text));
}

std::string MainWindow::fieldText(int field) const {
    if (field < 1 || field > 4) return {};
    return fields_[field - 1]->text().toStdString();
}

std::string MainWindow::folder() const {
    return folderPath_.toStdString();
}

void MainWindow::showFolder(const std::string& path) {
    folderPath_ = QDir::cleanPath(QString::fromStdString(path));
    fillFolders();
    drive_->setCurrentIndex(placeOf(places_, folderPath_));
    showPath();
    setFileFolder(path);
}

void MainWindow::setFileFolder(const std::string& path) {
    filePath_ = QDir::cleanPath(QString::fromStdString(path));
    fillFiles();
}

void MainWindow::refreshFiles() {
    fillFiles();
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
    if (!quitting_) form_->Form_Unload();
    event->accept();
}

} // namespace kelvore::qt
