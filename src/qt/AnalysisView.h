// The engine's judgement of a game as the player sees it: the evaluation graph, the progress of
// the analysis with a button that cancels it, the selected move's score, best move, principal
// line and reason, and how each side played. Everything it shows comes from an
// AnalysisController; it holds no analysis of its own. Every text is in a label, so that
// screen readers and tests read what the player reads.
#pragma once

#include "AnalysisController.h"

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace kelvore::qt {

class EvaluationGraph;

class AnalysisView : public QWidget {
    Q_OBJECT
public:
    explicit AnalysisView(AnalysisController& controller, QWidget* parent = nullptr);

    EvaluationGraph* graph() const { return graph_; }
    QProgressBar* progressBar() const { return progress_; }
    QPushButton* cancelButton() const { return cancel_; }
    QLabel* statusLabel() const { return status_; }
    QLabel* titleLabel() const { return title_; }
    QLabel* scoreLabel() const { return score_; }
    QLabel* bestLabel() const { return best_; }
    QLabel* lineLabel() const { return line_; }
    QLabel* reasonLabel() const { return reason_; }
    QLabel* candidatesLabel() const { return candidates_; }
    // While the board shows a line: what it shows, and the way back to the game.
    QLabel* variationLabel() const { return variation_; }
    QPushButton* returnButton() const { return return_; }
    QLabel* summaryLabel(notation::Mark side) const {
        return side == notation::Mark::Gote ? secondSummary_ : firstSummary_;
    }

private:
    void refresh();
    void showDetails();
    void setStatus(const QString& text);

    AnalysisController& controller_;
    EvaluationGraph* graph_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* title_ = nullptr;
    QLabel* score_ = nullptr;
    QLabel* best_ = nullptr;
    QLabel* line_ = nullptr;
    QLabel* reason_ = nullptr;
    QLabel* candidates_ = nullptr;
    QLabel* variation_ = nullptr;
    QPushButton* return_ = nullptr;
    QLabel* firstSummary_ = nullptr;
    QLabel* secondSummary_ = nullptr;
};

} // namespace kelvore::qt
