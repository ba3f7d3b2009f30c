// Measures the window's resident memory over a long game played with real mouse clicks: two
// people shuffle their rooks back and forth with move guidance on, so every click redraws the
// 81 square outlines and the reachable squares. Prints the resident size after the first move
// and after the last, and the number of drawing operations the canvas keeps.
//
//   xvfb-run -s "-screen 0 1920x1080x24" build/kelvore_window_memory [moves] [width height]
//
// Without a size the window opens as on a first start; with one, at that client size.
#include "MainWindow.h"
#include "WindowGeometry.h"

#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    return -1;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int moves = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    // Every message box (turn announcements, a missing sound device) is answered at once.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(top); box && box->isVisible()) box->accept();
    });
    answer.start(5);
    QTemporaryDir dir;
    if (argc > 3)
        kelvore::qt::writeGeometry(dir.path() + QStringLiteral("/window.ini"),
                                   {QRect(0, 0, std::atoi(argv[2]), std::atoi(argv[3])), false});
    kelvore::qt::MainWindow w(dir.path());
    w.show();
    if (!QTest::qWaitForWindowExposed(&w)) {
        std::fprintf(stderr, "the window was never shown\n");
        return 1;
    }
    QTest::qWait(200);

    using kelvore::MenuItem;
    if (!w.action(MenuItem::SIDOU)->isChecked()) w.action(MenuItem::SIDOU)->trigger();
    w.action(MenuItem::START)->trigger();
    auto click = [&](int x, int y) {
        const QPoint at =
            w.view().fromTwips({1050.0 + x * 495, 100.0 + y * 615, 495, 615}).center();
        QTest::mouseClick(&w.view(), Qt::LeftButton, {}, at);
    };
    // The lower rook stands at (8, 8), the upper one at (2, 2); each steps sideways and back.
    const int rookX[2] = {8, 2}, rookY[2] = {8, 2}, step[2] = {-1, 1};
    long afterFirst = 0;
    for (int i = 0; i < moves; ++i) {
        const int side = i % 2;
        const bool out = (i / 2) % 2 == 0;
        const int from = out ? rookX[side] : rookX[side] + step[side];
        const int to = out ? rookX[side] + step[side] : rookX[side];
        click(from, rookY[side]);
        click(to, rookY[side]);
        QApplication::processEvents();
        if (i == 0) afterFirst = residentKilobytes();
    }
    QTest::qWait(100);
    const long afterLast = residentKilobytes();
    std::printf("moves played:         %d (move number %d)\n", moves, w.form().MoveNumber);
    std::printf("RSS after move 1:     %.1f MB\n", afterFirst / 1024.0);
    std::printf("RSS after move %-5d  %.1f MB\n", moves, afterLast / 1024.0);
    std::printf("growth:               %.1f MB\n", (afterLast - afterFirst) / 1024.0);
    std::printf("canvas operations:    %zu\n", w.view().canvas().operationCount());
    std::printf("window size:          %d x %d\n", w.width(), w.height());
    return w.form().MoveNumber == moves ? 0 : 1;
}
