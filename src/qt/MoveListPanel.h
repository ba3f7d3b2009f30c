// The panel beside the board: the moves of the game in standard notation with the time each
// took, the current move highlighted and kept in view; a click on a move shows that position
// on the board. Below the list, the hint asked for with 局面 → ヒント, and the engine's
// judgement of the game asked for with 棋譜 → 解析 (its marks in the list, its graph and
// lines below). The headless rooms it shows (the game followed, the hint, the analysis) and
// their commands are its own; the window lays it out beside the board and shows or hides it.
#pragma once

#include "AnalysisController.h"
#include "MoveListModel.h"
#include "analysis/AnalyseCommand.h"
#include "analysis/Variation.h"
#include "hint/HintSearch.h"
#include "review/GameReview.h"

#include <QPointer>
#include <QRectF>
#include <QVector>
#include <QWidget>

class QLabel;
class QSplitter;
class QTableView;

namespace kelvore {
class Form1;
}

namespace kelvore::qt {

class MoveListPanel : public QWidget {
    Q_OBJECT
public:
    explicit MoveListPanel(Form1& form, QWidget* parent = nullptr);
    ~MoveListPanel() override;

    MoveListModel& model() { return *model_; }
    QTableView* list() const { return list_; }
    QLabel* hintLabel() const { return hint_; }
    // The hint's line, each move a link that shows the position after it on the board.
    QLabel* hintLineLabel() const { return hintLine_; }
    review::GameReview& review() { return review_; }
    hint::HintSearch& hints() { return hints_; }
    // The engine's judgement of the game shown (棋譜 → 解析), shown below the list.
    AnalysisController& analysis() { return *analysisController_; }
    // A line of the analysis shown on the board (a click on one of its moves); the window
    // sends 戻 and 進 to it while it is shown, and leaves it before anything else.
    analysis::Variation& variation() { return variation_; }

    // A widget shown below the list (the analysis of the game); the panel takes it over. A
    // second call replaces the first widget.
    void setAnalysisWidget(QWidget* widget);
    QWidget* analysisWidget() const { return analysis_; }

    // The width the panel takes beside a board view of this height, in logical pixels; it
    // grows with the window. The width is that many times the text's size (19 by default).
    int widthFor(int viewHeight) const;
    void setWidthInCharacters(double characters);
    // The pixel size of the panel's text for a board view of this height.
    static int textSizeFor(int viewHeight);

    // The board cells the hint marks, in window units (twips); empty without a hint.
    QVector<QRectF> hintCells() const;

public slots:
    // Shows the position after move `ply` (0: the start) as 戻 and 進 would.
    void showMove(int ply);

signals:
    // The hint was asked for, found or cleared.
    void hintChanged();
    // Another game is shown (its rows and marks are new).
    void gameReplaced();
    // The game shown or its current move changed (review().game(), review().current()).
    void changed();
    // The panel wants another width beside the board (setWidthInCharacters).
    void widthChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;
    // Hiding the panel shows the game's position again.
    void hideEvent(QHideEvent* event) override;

private:
    // Shares the panel between the list and the analysis: the analysis's part grows once a
    // game is analysed (or its judgement loaded) and shrinks when it is cleared.
    void giveRoomToAnalysis(bool analysed);

    // The rows and the highlighted move from the game followed.
    void refresh();
    // Highlights the current move and keeps it in view.
    void showCurrent();
    void showHint();
    // Shows move `index` of line `line` of position `ply` on the board.
    void showLine(int ply, int line, int index);
    // What the analysis view says of the variation shown.
    QString variationText() const;

    Form1& form_;
    review::GameReview review_;
    hint::HintSearch hints_;
    analysis::AnalyseCommand analyse_; // starts analysisController_
    analysis::Variation variation_;
    MoveListModel* model_ = nullptr;
    QLabel* title_ = nullptr;
    QTableView* list_ = nullptr;
    QLabel* hint_ = nullptr;
    QLabel* hintLine_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QPointer<QWidget> analysis_;
    AnalysisController* analysisController_ = nullptr;
    // The same with an analysis below the list or without: the board keeps its place when the
    // analysis opens or closes.
    double widthInCharacters_ = 30;
    int textSize_ = 0;
};

} // namespace kelvore::qt
