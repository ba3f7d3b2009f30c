// The window's tests: each group of tests in its own file, run one after another.
#include "Language.h"

#include <QApplication>

int runMainWindowTest(int argc, char** argv);
int runCanvasTest(int argc, char** argv);
int runRecordPanelTest(int argc, char** argv);
int runMoveListPanelTest(int argc, char** argv);
int runAnalysisViewTest(int argc, char** argv);
int runSharingTest(int argc, char** argv);
int runMatchDialogTest(int argc, char** argv);
int runPieceStyleTest(int argc, char** argv);

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // As the program starts with no language chosen: every caption and text the tests expect is
    // the game's own Japanese.
    kelvore::qt::useLanguage(kelvore::qt::Language::Japanese);
    int failed = 0;
    failed += runMainWindowTest(argc, argv) != 0;
    failed += runCanvasTest(argc, argv) != 0;
    failed += runRecordPanelTest(argc, argv) != 0;
    failed += runMoveListPanelTest(argc, argv) != 0;
    failed += runAnalysisViewTest(argc, argv) != 0;
    failed += runSharingTest(argc, argv) != 0;
    failed += runMatchDialogTest(argc, argv) != 0;
    failed += runPieceStyleTest(argc, argv) != 0;
    return failed;
}
