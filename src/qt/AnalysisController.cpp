#include "AnalysisController.h"

#include "analysis/Explanation.h"

#include <QCoreApplication>

#include <algorithm>

namespace kelvore::qt {

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

GraphPoint::Mark graphMark(analysis::Grade grade) {
    switch (grade) {
    case analysis::Grade::Dubious: return GraphPoint::Mark::Dubious;
    case analysis::Grade::Bad: return GraphPoint::Mark::Bad;
    case analysis::Grade::None: break;
    }
    return GraphPoint::Mark::None;
}

// A grade's name in the language in use (the names are literals, so end in a zero).
QString gradeText(analysis::Grade grade) {
    return QCoreApplication::translate("Analysis", analysis::gradeName(grade).data());
}

} // namespace

AnalysisController::AnalysisController(Dispatcher& dispatcher, QObject* parent)
    : QObject(parent), analyser_(&dispatcher) {
    // At the program's end the worker is stopped before the window (the dispatcher) goes.
    if (QCoreApplication* app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, [this] {
            analyser_.cancel();
            analyser_.wait();
        });
}

AnalysisController::~AnalysisController() {
    analyser_.cancel();
    analyser_.wait();
}

void AnalysisController::setMsPerPosition(int ms) {
    msPerPosition_ = std::clamp(ms, 50, 60 * 1000);
}

void AnalysisController::start(const GameRecord& game) {
    if (running_) cancel();
    analysis_ = std::make_unique<analysis::GameAnalysis>(game);
    engine::Limits limits;
    if (fixedLimits_)
        limits = *fixedLimits_;
    else
        limits.moveTimeMs = msPerPosition_;
    running_ = true;
    current_ = std::clamp(current_, 0, positions() - 1);
    analyser_.start(analysis_->game(), limits,
                    {[this](std::size_t i, const analysis::Verdict& v) { verdictArrived(i, v); },
                     [this] { ended(); }});
    emit started(positions());
    emit progressed(0, positions());
    emit changed();
}

void AnalysisController::cancel() {
    if (!running_) return;
    analyser_.cancel();
    running_ = false;
    emit cancelled();
}

void AnalysisController::clear() {
    cancel();
    analysis_.reset();
    current_ = 0;
    emit cleared();
    emit changed();
}

void AnalysisController::waitForWorker() {
    analyser_.wait();
}

void AnalysisController::verdictArrived(std::size_t index, const analysis::Verdict& verdict) {
    if (!analysis_) return;
    analysis_->setVerdict(index, verdict);
    emit progressed(searched(), positions());
    emit changed();
}

void AnalysisController::ended() {
    running_ = false;
    emit finished();
}

int AnalysisController::searched() const {
    return analysis_ ? static_cast<int>(analysis_->searchedCount()) : 0;
}

int AnalysisController::positions() const {
    return analysis_ ? static_cast<int>(analysis_->positions().size()) : 0;
}

void AnalysisController::setCurrentPly(int ply) {
    if (ply == current_) return;
    current_ = ply;
    emit currentPlyChanged(ply);
}

void AnalysisController::choosePly(int ply) {
    if (ply < 0 || ply >= positions()) return;
    setCurrentPly(ply);
    emit plyChosen(ply);
}

QString AnalysisController::markOf(int index) const {
    if (!analysis_ || index < 0 || std::size_t(index) >= analysis_->moveCount()) return {};
    const auto& r = analysis_->review(std::size_t(index));
    return r ? gradeText(r->grade) : QString();
}

QString AnalysisController::reasonOf(int index) const {
    if (!analysis_ || index < 0 || std::size_t(index) >= analysis_->moveCount()) return {};
    const auto& r = analysis_->review(std::size_t(index));
    return r ? q(r->reason) : QString();
}

QVector<GraphPoint> AnalysisController::graphPoints() const {
    QVector<GraphPoint> points;
    if (!analysis_) return points;
    const analysis::GameAnalysis& a = *analysis_;
    for (std::size_t i = 0; i < a.positions().size(); ++i) {
        GraphPoint g;
        const auto score = a.firstMoverScore(i);
        g.known = score.has_value();
        QString text = i == 0 ? QCoreApplication::translate("AnalysisController", "開始局面")
                              : QCoreApplication::translate("AnalysisController", "%1手目 %2")
                                    .arg(i)
                                    .arg(q(moveTextOf(a.game(), i - 1, a.positions()[i - 1])));
        if (score) {
            g.value = analysis::graphValue(*score);
            text += QStringLiteral(" ") + q(analysis::scoreText(*score));
        }
        if (i > 0 && a.review(i - 1)) {
            g.mark = graphMark(a.review(i - 1)->grade);
            if (g.mark != GraphPoint::Mark::None)
                text += QStringLiteral(" ") + gradeText(a.review(i - 1)->grade);
        }
        g.text = text;
        points << g;
    }
    return points;
}

MoveDetails AnalysisController::detailsOf(int ply) const {
    MoveDetails d;
    if (!analysis_ || ply < 0 || ply >= positions()) return d;
    const analysis::GameAnalysis& a = *analysis_;
    const std::size_t p = std::size_t(ply);
    const auto& review = p > 0 ? a.review(p - 1) : std::nullopt;
    if (p == 0) {
        d.title = QCoreApplication::translate("AnalysisController", "開始局面");
    } else {
        d.title = QCoreApplication::translate("AnalysisController", "%1手目 %2")
                      .arg(ply)
                      .arg(q(moveTextOf(a.game(), p - 1, a.positions()[p - 1])));
        if (review && review->grade != analysis::Grade::None)
            d.title +=
                QCoreApplication::translate("AnalysisController", "　") + gradeText(review->grade);
    }
    const auto score = a.firstMoverScore(p);
    if (!score) {
        d.score = running_ ? QCoreApplication::translate("AnalysisController", "評価値　解析中")
                           : QCoreApplication::translate("AnalysisController", "評価値　未解析");
        return d;
    }
    d.score = QCoreApplication::translate("AnalysisController", "評価値（▲から）%1　▲の勝率 %2%")
                  .arg(q(analysis::scoreText(*score)))
                  .arg(qRound(analysis::winningPercent(*score)));
    if (p == 0) {
        const analysis::Verdict& v = a.verdict(0);
        if (v.hasMove) {
            const int first = a.game().start.sideToMove;
            const engine::GameSnapshot& start = a.game().start;
            d.best = QCoreApplication::translate("AnalysisController", "最善手　") +
                     q(analysis::lineText(start, {v.best}, {}, first));
            d.line = QCoreApplication::translate("AnalysisController", "読み筋　") +
                     q(analysis::lineText(start, v.line, {}, first));
        }
        return d;
    }
    if (!review) return d;
    d.score += QCoreApplication::translate("AnalysisController",
                                           "\n指した側から 着手前 %1 → 着手後 %2（損失 %3）")
                   .arg(q(analysis::scoreText(review->before)))
                   .arg(q(analysis::scoreText(review->after)))
                   .arg(review->loss);
    if (!review->bestText.empty())
        d.best =
            QCoreApplication::translate("AnalysisController", "最善手　") + q(review->bestText) +
            (review->playedBest ? QCoreApplication::translate("AnalysisController", "（指した手）")
                                : QString());
    if (!review->lineText.empty())
        d.line =
            QCoreApplication::translate("AnalysisController", "読み筋　") + q(review->lineText);
    d.reason = q(review->reason);
    return d;
}

QString AnalysisController::summaryText(notation::Mark side) const {
    if (!analysis_) return {};
    const analysis::SideSummary s = analysis_->summary(side);
    return QCoreApplication::translate("AnalysisController", "%1　疑問手 %2　悪手 %3　平均損失 %4")
        .arg(side == notation::Mark::Sente
                 ? QCoreApplication::translate("AnalysisController", "▲先手")
                 : QCoreApplication::translate("AnalysisController", "△後手"))
        .arg(s.dubious)
        .arg(s.bad)
        .arg(s.averageLoss);
}

} // namespace kelvore::qt
