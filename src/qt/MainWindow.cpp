#include "MainWindow.h"

#include "Pictures.h"
#include "screen/MenuTree.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStorageInfo>
#include <QTime>
#include <QTreeView>

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
    setMinimumSize(300, 267);
    canvas_.onChanged = [this] { update(); };
}

QRectF BoardView::imageRect() const {
    const double s = std::min(width() / QtCanvas::kWidth, height() / QtCanvas::kHeight);
    const double w = QtCanvas::kWidth * s, h = QtCanvas::kHeight * s;
    return {(width() - w) / 2, (height() - h) / 2, w, h};
}

QPointF BoardView::toTwips(QPointF pos) const {
    const QRectF r = imageRect();
    const double s = r.width() / QtCanvas::kWidth;
    return {(pos.x() - r.left()) / s, (pos.y() - r.top()) / s};
}

QRect BoardView::fromTwips(const QRectF& t) const {
    const QRectF r = imageRect();
    const double s = r.width() / QtCanvas::kWidth;
    return QRectF(r.left() + t.left() * s, r.top() + t.top() * s, t.width() * s, t.height() * s)
        .toRect();
}

void BoardView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(16, 16, 16));
    const QImage& img = canvas_.image();
    if (!img.isNull()) p.drawImage(imageRect(), img);
}

void BoardView::resizeEvent(QResizeEvent*) {
    const double dpr = devicePixelRatioF();
    const QRectF r = imageRect();
    canvas_.resize(static_cast<int>(std::lround(r.width() * dpr)),
                   static_cast<int>(std::lround(r.height() * dpr)));
    window_.layoutPanel();
    update();
}

void BoardView::mousePressEvent(QMouseEvent* event) {
    int button = 0;
    if (event->button() == Qt::LeftButton) button = 1;
    if (event->button() == Qt::RightButton) button = 2;
    if (button == 0) return;
    const QPointF twips = toTwips(event->position());
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

    platform_ = std::make_unique<Platform>(
        Platform{view_->canvas(), *this, *this, *this, clock_, sound_, *this, *this, *this});
    form_ = std::make_unique<Form1>(*platform_);
    QDir().mkpath(workFolder);
    form_->WorkFolder = QDir(workFolder).absolutePath().toStdString();
    form_->SoundFolder = soundFolder().toStdString();
    // Records are written to and read from the work folder until another one is chosen.
    showFolder(form_->WorkFolder);
    resize(600, 533 + menuBar()->sizeHint().height());
    view_->canvas().resize(600, 533);
    form_->Form_Load();
}

MainWindow::~MainWindow() = default;

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
    // Drive1: the mounted file systems. Dir1: the folders below the chosen one.
    // File1: the records ("*.棋譜") in the chosen folder.
    drive_ = new QComboBox(view_);
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid()) continue;
        drive_->addItem(volume.rootPath(), volume.rootPath());
    }
    connect(drive_, &QComboBox::activated, this, [this](int index) {
        form_->Drive1_Change(drive_->itemData(index).toString().toStdString());
    });
    folderModel_ = new QFileSystemModel(this);
    folderModel_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    folderModel_->setRootPath(QStringLiteral("/"));
    folder_ = new QTreeView(view_);
    folder_->setModel(folderModel_);
    for (int c = 1; c < folderModel_->columnCount(); ++c) folder_->hideColumn(c);
    folder_->setHeaderHidden(true);
    connect(folder_, &QTreeView::clicked, this, [this](const QModelIndex& index) {
        folderPath_ = folderModel_->filePath(index);
        form_->Dir1_Change();
    });
    fileModel_ = new QFileSystemModel(this);
    fileModel_->setFilter(QDir::Files);
    fileModel_->setNameFilters({QString::fromUtf8("*.棋譜")});
    fileModel_->setNameFilterDisables(false);
    file_ = new QListView(view_);
    file_->setModel(fileModel_);
    connect(file_, &QListView::clicked, this, [this](const QModelIndex& index) {
        form_->File1_Click(fileModel_->filePath(index).toStdString());
    });
    static const char* captions[4] = {"ﾌｧｲﾙ名 ：", "後    手 ：", "先    手 ：", "対 局 名："};
    for (int i = 0; i < 4; ++i) {
        captions_[i] = new QLabel(QString::fromUtf8(captions[i]), view_);
        captions_[i]->setAutoFillBackground(true);
        fields_[i] = new QLineEdit(view_);
    }
    return_ = new QPushButton(QStringLiteral("RETURN"), view_);
    connect(return_, &QPushButton::clicked, this, [this] { form_->Command1_Click(); });
    setListsVisible(false, false, false);
    setFieldsVisible(false);
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
    const double s = view_->canvas().pixelsPerTwip() / view_->devicePixelRatioF();
    QFont f = japaneseFont();
    f.setPixelSize(std::max(8, static_cast<int>(std::lround(180 * s))));
    for (QWidget* w : std::initializer_list<QWidget*>{drive_, folder_, file_, return_})
        w->setFont(f);
    for (int i = 0; i < 4; ++i) {
        captions_[i]->setFont(f);
        fields_[i]->setFont(f);
    }
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
    box.setText(q(prompt).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    box.setIcon(icon == Icon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon);
    if (buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
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

void MainWindow::place(int /*left*/, int /*top*/, int width, int height) {
    // The desktop's window manager chooses where a new window opens; the size is ours.
    resize(static_cast<int>(width / kTwipsPerPixel),
           static_cast<int>(height / kTwipsPerPixel) + menuBar()->sizeHint().height());
}

void MainWindow::quit() {
    quitting_ = true;
    timer_.stop();
    hide();
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

// ---------------------------------------------------------------- RecordPanel

void MainWindow::setListsVisible(bool drive, bool folder, bool file) {
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
    folderPath_ = QString::fromStdString(path);
    const QModelIndex index = folderModel_->index(folderPath_);
    folder_->setRootIndex(index);
    setFileFolder(path);
}

void MainWindow::setFileFolder(const std::string& path) {
    const QString dir = QString::fromStdString(path);
    file_->setRootIndex(fileModel_->setRootPath(dir));
}

void MainWindow::refreshFiles() {
    const QString dir = fileModel_->rootPath();
    fileModel_->setRootPath(QString());
    file_->setRootIndex(fileModel_->setRootPath(dir));
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

// ---------------------------------------------------------------- keys and closing

void MainWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape: form_->Form_KeyDown(Form1::Key::Escape); break;
    case Qt::Key_F1: form_->Form_KeyDown(Form1::Key::F1); break;
    case Qt::Key_F2: form_->Form_KeyDown(Form1::Key::F2); break;
    default: QMainWindow::keyPressEvent(event); return;
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!quitting_) form_->Form_Unload();
    event->accept();
}

} // namespace kelvore::qt
