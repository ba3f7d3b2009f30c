// The window's side of the engine's judgement of a game: it owns the headless analysis, starts
// and cancels it, takes the verdicts on the window's thread (through the platform's
// dispatcher) and offers what the analysis view, the graph and the move list show: the
// progress, the marks, the selected move's score, best move, line and reason, and the summary
// of each side. It follows the position shown (setCurrentPly) and tells which position a click
// on the graph chose (plyChosen).
#pragma once

#include "analysis/Analyser.h"
#include "analysis/GameAnalysis.h"
#include "kif/Kif.h"

#include "EvaluationGraph.h"

#include <QObject>
#include <QString>

#include <memory>

namespace kelvore::qt {

// What the view says about one position and the move that led to it.
struct MoveDetails {
    QString title;      // "5手目 ▲５五角(88)　悪手", or "開始局面"
    QString score;      // the score from ▲'s side, and the move's before, after and loss
    QString best;       // the engine's best move in place of this one
    QString line;       // its principal line
    QString reason;     // why a marked move lost
    QString candidates; // the best moves of the position the move was played in, with lines
    // The same two as rich text, each move of a searched line a link "<line>:<move>" (line 0
    // the best line, k the k-th candidate; move 0 the first): a click shows it on the board.
    QString lineLinks;
    QString candidateLinks;
};

// `text`'s moves (one blank between moves) as rich text, each a link "<line>:<move>" (move 0
// the first) when `links`; a line read from a file, with no moves kept, stays text.
QString linkedMoves(const std::string& text, const QString& line, bool links);
// Rich text that keeps its blanks as written ("△同　角").
QString keptBlanks(const QString& richText);

class AnalysisController : public QObject {
    Q_OBJECT
public:
    // The verdicts come back through `dispatcher`, which must outlive this controller (the
    // window's own: destroy the controller before the window, or let it go at the
    // application's end, where it cancels a run by itself).
    explicit AnalysisController(Dispatcher& dispatcher, QObject* parent = nullptr);
    ~AnalysisController() override;

    // The nodes of each position's search, the default limit (clamped to the settings' range).
    void setNodesPerPosition(std::int64_t nodes);
    std::int64_t nodesPerPosition() const { return nodesPerPosition_; }
    // A time for each position's search instead of the nodes (clamped to 50 ms .. 60 s);
    // nothing returns to the nodes.
    void setMsPerPosition(std::optional<int> ms);
    std::optional<int> msPerPosition() const { return msPerPosition_; }
    // Fixed limits instead of the time (a depth gives the same verdicts every time: tests);
    // nothing returns to the time.
    void setFixedLimits(std::optional<engine::Limits> limits) { fixedLimits_ = limits; }

    // Analyses every position of `game`; an analysis running is cancelled first. The game is
    // copied: later moves of the game on the board do not change it.
    void start(const GameRecord& game);
    // Ends the running analysis; what it judged so far stays.
    void cancel();
    // Shows the judgement a KIF keeps of its game (its evaluations, lines and reasons), without
    // searching; false, and nothing changed, when it keeps none.
    bool showJudgement(const kif::KifGame& kif);
    // Puts the judgement in `kif`'s comments when it judges that very game (its start and
    // moves); otherwise leaves them alone.
    void annotate(kif::KifGame& kif) const;
    // The work folder where judgements are kept (analysis/JudgementStore.h): a run that ends
    // keeps its judgement there, and showKept finds it again. Empty: nothing is kept.
    void setWorkFolder(std::string folder) { workFolder_ = std::move(folder); }
    // Shows the judgement kept of `game`, if there is one; false otherwise.
    bool showKept(const GameRecord& game);
    // Forgets the analysis (a new game): the view, the graph and the marks go blank.
    void clear();
    bool running() const { return running_; }
    // Returns when the worker has ended (for shutting down and for tests).
    void waitForWorker();

    const analysis::GameAnalysis* analysis() const { return analysis_.get(); }
    // Positions searched and positions in the game (0, 0 without an analysis).
    int searched() const;
    int positions() const;

    // The position shown on the board: 0 the start, n after move n.
    int currentPly() const { return current_; }
    void setCurrentPly(int ply);
    // A click on the graph chose a position: it becomes the current one and plyChosen is
    // emitted for the board to show it.
    void choosePly(int ply);

    // The lines shown with position `ply`: the position they start from (the one move `ply`
    // was played in; the start for 0) and line `line` (0 the best line, k the k-th candidate);
    // null and empty when there is none searched.
    const engine::GameSnapshot* linesStart(int ply) const;
    std::vector<Move> lineOf(int ply, int line) const;
    // A click on move `index` of line `line` of the current position: lineMoveChosen is
    // emitted for the board to show it.
    void chooseLineMove(int line, int index);
    // What the board shows of a line ("変化　▲７六歩まで（2 / 8）"); empty while it shows the
    // game. The view offers the way back (returnAsked) while it is not empty.
    void setVariationText(const QString& text);
    QString variationText() const { return variationText_; }
    void returnToGame() { emit returnAsked(); }

    // For the move list: the mark of move `index` (0-based) and its reason; empty for none.
    QString markOf(int index) const;
    QString reasonOf(int index) const;

    QVector<GraphPoint> graphPoints() const;
    MoveDetails detailsOf(int ply) const;
    // "▲先手　疑問手 1　悪手 0　平均損失 120", or empty without an analysis.
    QString summaryText(notation::Mark side) const;

signals:
    void started(int positions);
    void progressed(int searched, int positions);
    // A verdict came in: marks, graph and summary may have changed.
    void changed();
    void finished();
    void cancelled();
    void cleared();
    // A judgement kept with the game is shown (showJudgement).
    void loaded();
    void currentPlyChanged(int ply);
    // The player chose this position on the graph: show it on the board.
    void plyChosen(int ply);
    // A move of a line was clicked: show the position after it on the board.
    void lineMoveChosen(int ply, int line, int index);
    void variationChanged(const QString& text);
    // The player asked for the game's position back.
    void returnAsked();

private:
    void verdictArrived(std::size_t index, const analysis::Verdict& verdict);
    void ended();

    analysis::Analyser analyser_;
    std::unique_ptr<analysis::GameAnalysis> analysis_;
    std::int64_t nodesPerPosition_ = analysis::kDefaultNodesPerPosition;
    std::optional<int> msPerPosition_;
    std::optional<engine::Limits> fixedLimits_;
    std::string workFolder_;
    bool running_ = false;
    int current_ = 0;
    QString variationText_;
};

} // namespace kelvore::qt
