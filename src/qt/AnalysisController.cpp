#include "AnalysisController.h"

#include "AnalysisSettings.h"

#include "analysis/AnalysisKif.h"
#include "analysis/Explanation.h"
#include "analysis/JudgementStore.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstring>

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

QString linkedMoves(const std::string& text, const QString& line, bool links) {
    const QStringList moves = q(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QStringList out;
    for (int i = 0; i < moves.size(); ++i)
        out << (links ? QStringLiteral("<a href=\"%1:%2\">%3</a>")
                            .arg(line)
                            .arg(i)
                            .arg(moves[i].toHtmlEscaped())
                      : moves[i].toHtmlEscaped());
    return out.join(QLatin1Char(' '));
}

QString keptBlanks(const QString& richText) {
    return richText.isEmpty()
               ? richText
               : QStringLiteral("<span style=\"white-space:pre-wrap\">%1</span>").arg(richText);
}

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

void AnalysisController::setNodesPerPosition(std::int64_t nodes) {
    nodesPerPosition_ = std::clamp(nodes, kFewestNodesPerPosition, kMostNodesPerPosition);
}

void AnalysisController::setMsPerPosition(std::optional<int> ms) {
    msPerPosition_.reset();
    if (ms) msPerPosition_ = std::clamp(*ms, kFewestMsPerPosition, kMostMsPerPosition);
}

void AnalysisController::start(const GameRecord& game) {
    if (running_) cancel();
    analysis_ = std::make_unique<analysis::GameAnalysis>(game);
    engine::Limits limits;
    if (fixedLimits_)
        limits = *fixedLimits_;
    else if (msPerPosition_)
        limits.moveTimeMs = *msPerPosition_;
    else
        limits.nodes = static_cast<std::uint64_t>(nodesPerPosition_);
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

namespace {

bool sameGame(const GameRecord& a, const GameRecord& b) {
    const engine::GameSnapshot &x = a.start, &y = b.start;
    return std::memcmp(x.board, y.board, sizeof x.board) == 0 &&
           std::memcmp(x.lowerHand, y.lowerHand, sizeof x.lowerHand) == 0 &&
           std::memcmp(x.upperHand, y.upperHand, sizeof x.upperHand) == 0 &&
           x.sideToMove == y.sideToMove && a.moves == b.moves;
}

} // namespace

bool AnalysisController::showJudgement(const kif::KifGame& kif) {
    if (!analysis::hasJudgement(kif)) return false;
    cancel();
    analysis_ = std::make_unique<analysis::GameAnalysis>(kif.game);
    analysis::readJudgement(kif, *analysis_);
    current_ = std::clamp(current_, 0, positions() - 1);
    emit changed();
    emit loaded();
    return true;
}

bool AnalysisController::showKept(const GameRecord& game) {
    const std::optional<kif::KifGame> kept = analysis::keptJudgement(workFolder_, game);
    return kept && showJudgement(*kept);
}

void AnalysisController::annotate(kif::KifGame& kif) const {
    if (analysis_ && analysis_->searchedCount() > 0 && sameGame(analysis_->game(), kif.game))
        analysis::writeJudgement(*analysis_, kif);
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
    if (analysis_) analysis::keepJudgement(workFolder_, *analysis_);
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

const engine::GameSnapshot* AnalysisController::linesStart(int ply) const {
    if (!analysis_ || ply < 0 || ply >= positions()) return nullptr;
    return &analysis_->positions()[ply == 0 ? 0 : std::size_t(ply - 1)];
}

std::vector<Move> AnalysisController::lineOf(int ply, int line) const {
    if (!linesStart(ply) || line < 0) return {};
    const analysis::Verdict& v = analysis_->verdict(ply == 0 ? 0 : std::size_t(ply - 1));
    if (line == 0) return v.line;
    if (std::size_t(line) > v.candidates.size()) return {};
    return v.candidates[std::size_t(line - 1)].line;
}

void AnalysisController::chooseLineMove(int line, int index) {
    if (int(lineOf(current_, line).size()) > index && index >= 0)
        emit lineMoveChosen(current_, line, index);
}

void AnalysisController::setVariationText(const QString& text) {
    if (text == variationText_) return;
    variationText_ = text;
    emit variationChanged(text);
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

namespace {

// The first `most` moves of a line written as text, one blank between moves.
std::string firstMoves(const std::string& line, int most) {
    std::size_t end = 0;
    for (int i = 0; i < most && end != std::string::npos; ++i)
        end = line.find(' ', end == 0 && i == 0 ? 0 : end + 1);
    return end == std::string::npos ? line : line.substr(0, end);
}

// "候補手" and one line for each best move of position `index`: its number, the move, its
// score from the mover's side and the two moves of its line after it (one line of the view);
// as text, or as rich text with each move a link.
QString candidatesOf(const analysis::GameAnalysis& a, std::size_t index, bool links) {
    const analysis::Verdict& v = a.verdict(index);
    if (v.candidates.size() < 2) return {};
    Pos previous;
    if (index > 0) previous = {a.game().moves[index - 1].ToX, a.game().moves[index - 1].ToY};
    const int first = a.game().start.sideToMove;
    const int side = a.positions()[index].sideToMove;
    QString text = QCoreApplication::translate("AnalysisController", "候補手");
    for (std::size_t k = 0; k < v.candidates.size(); ++k) {
        const analysis::Candidate& c = v.candidates[k];
        const std::string line =
            c.line.empty() ? firstMoves(c.lineText, 3)
                           : analysis::lineText(a.positions()[index], c.line, previous, first, 3);
        const QString moves =
            links ? linkedMoves(line, QString::number(k + 1), !c.line.empty()) : q(line);
        text += QStringLiteral("%1%2. %3　%4")
                    .arg(links ? QStringLiteral("<br>") : QStringLiteral("\n"))
                    .arg(k + 1)
                    .arg(q(analysis::scoreText(c.score)).toHtmlEscaped())
                    .arg(moves);
    }
    return text;
}

} // namespace

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
    d.candidates = candidatesOf(a, p == 0 ? 0 : p - 1, false);
    d.candidateLinks = candidatesOf(a, p == 0 ? 0 : p - 1, true);
    if (p == 0) {
        const analysis::Verdict& v = a.verdict(0);
        const int first = a.game().start.sideToMove;
        const std::string line =
            v.hasMove ? analysis::lineText(a.game().start, v.line, {}, first) : v.lineText;
        if (!line.empty()) {
            d.best = QCoreApplication::translate("AnalysisController", "最善手　") +
                     q(line.substr(0, line.find(' ')));
            d.line = QCoreApplication::translate("AnalysisController", "読み筋　") + q(line);
            d.lineLinks = QCoreApplication::translate("AnalysisController", "読み筋　") +
                          linkedMoves(line, QStringLiteral("0"), v.hasMove);
        }
        return d;
    }
    if (!review) return d;
    d.score += QCoreApplication::translate(
                   "AnalysisController",
                   "\n指した側の勝率 %1% → %2%（%3 ポイント減）　評価値 %4 → %5（損失 %6）")
                   .arg(review->chanceBefore, 0, 'f', 1)
                   .arg(review->chanceAfter, 0, 'f', 1)
                   .arg(review->chanceLoss, 0, 'f', 1)
                   .arg(q(analysis::scoreText(review->before)))
                   .arg(q(analysis::scoreText(review->after)))
                   .arg(review->loss);
    if (!review->bestText.empty())
        d.best =
            QCoreApplication::translate("AnalysisController", "最善手　") + q(review->bestText) +
            (review->playedBest ? QCoreApplication::translate("AnalysisController", "（指した手）")
                                : QString());
    if (!review->lineText.empty()) {
        d.line =
            QCoreApplication::translate("AnalysisController", "読み筋　") + q(review->lineText);
        d.lineLinks =
            QCoreApplication::translate("AnalysisController", "読み筋　") +
            linkedMoves(review->lineText, QStringLiteral("0"), !a.verdict(p - 1).line.empty());
    }
    d.reason = q(review->reason);
    return d;
}

QString AnalysisController::summaryText(notation::Mark side) const {
    if (!analysis_) return {};
    const analysis::SideSummary s = analysis_->summary(side);
    return QCoreApplication::translate("AnalysisController",
                                       "%1　疑問手 %2　悪手 %3　平均損失 %4（勝率 %5 ポイント）")
        .arg(side == notation::Mark::Sente
                 ? QCoreApplication::translate("AnalysisController", "▲先手")
                 : QCoreApplication::translate("AnalysisController", "△後手"))
        .arg(s.dubious)
        .arg(s.bad)
        .arg(s.averageLoss)
        .arg(s.averageChanceLoss, 0, 'f', 1);
}

} // namespace kelvore::qt
