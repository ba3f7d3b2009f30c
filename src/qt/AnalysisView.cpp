#include "AnalysisView.h"

#include "EvaluationGraph.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace kelvore::qt {

namespace {

QLabel* textLabel(QWidget* parent, const QString& accessibleName) {
    auto* l = new QLabel(parent);
    l->setWordWrap(true);
    l->setTextFormat(Qt::PlainText);
    l->setAccessibleName(accessibleName);
    return l;
}

} // namespace

AnalysisView::AnalysisView(AnalysisController& controller, QWidget* parent)
    : QWidget(parent), controller_(controller) {
    setAccessibleName(QCoreApplication::translate("AnalysisView", "解析"));
    graph_ = new EvaluationGraph(this);
    progress_ = new QProgressBar(this);
    progress_->setAccessibleName(QCoreApplication::translate("AnalysisView", "解析の進み具合"));
    progress_->setFormat(QCoreApplication::translate("AnalysisView", "%v / %m 局面"));
    progress_->setRange(0, 1);
    progress_->setValue(0);
    cancel_ = new QPushButton(QCoreApplication::translate("AnalysisView", "中止"), this);
    cancel_->setAccessibleName(QCoreApplication::translate("AnalysisView", "解析を中止"));
    cancel_->setEnabled(false);
    // Never the keyboard's: Esc, F1 and F2 stay the window's.
    cancel_->setFocusPolicy(Qt::NoFocus);
    status_ = textLabel(this, QCoreApplication::translate("AnalysisView", "解析の状態"));
    title_ = textLabel(this, QCoreApplication::translate("AnalysisView", "選んだ手"));
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    score_ = textLabel(this, QCoreApplication::translate("AnalysisView", "評価値"));
    best_ = textLabel(this, QCoreApplication::translate("AnalysisView", "最善手"));
    line_ = textLabel(this, QCoreApplication::translate("AnalysisView", "読み筋"));
    reason_ = textLabel(this, QCoreApplication::translate("AnalysisView", "理由"));
    candidates_ = textLabel(this, QCoreApplication::translate("AnalysisView", "候補手"));
    // Each move of a line is a link: a click shows the position after it on the board.
    for (QLabel* l : {line_, candidates_}) {
        l->setTextFormat(Qt::RichText);
        l->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
        connect(l, &QLabel::linkActivated, this, [this](const QString& link) {
            const QStringList parts = link.split(QLatin1Char(':'));
            if (parts.size() == 2) controller_.chooseLineMove(parts[0].toInt(), parts[1].toInt());
        });
    }
    variation_ = textLabel(this, tr("盤上の変化"));
    return_ = new QPushButton(tr("対局に戻る"), this);
    return_->setAccessibleName(tr("対局に戻る"));
    return_->setFocusPolicy(Qt::NoFocus);
    variation_->hide();
    return_->hide();
    // In red, as the marks in the move list; a palette, not a style sheet, so that the font the
    // panel gives its children reaches it too.
    QPalette red = reason_->palette();
    red.setColor(QPalette::WindowText, QColor(176, 24, 24));
    reason_->setPalette(red);
    firstSummary_ = textLabel(this, QCoreApplication::translate("AnalysisView", "先手のまとめ"));
    secondSummary_ = textLabel(this, QCoreApplication::translate("AnalysisView", "後手のまとめ"));

    // The texts scroll when the panel is short; the graph keeps room for its scale.
    auto* details = new QWidget;
    auto* detailsLayout = new QVBoxLayout(details);
    detailsLayout->setContentsMargins(0, 0, 0, 0);
    for (QLabel* l : {status_, title_, reason_, score_, best_, line_, candidates_, firstSummary_,
                      secondSummary_})
        detailsLayout->addWidget(l);
    detailsLayout->addStretch(1);
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(details);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setFocusPolicy(Qt::NoFocus);

    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(progress_, 1);
    progressRow->addWidget(cancel_);
    auto* variationRow = new QHBoxLayout;
    variationRow->addWidget(variation_, 1);
    variationRow->addWidget(return_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(graph_, 1);
    layout->addLayout(progressRow);
    layout->addLayout(variationRow);
    layout->addWidget(scroll, 3);

    connect(cancel_, &QPushButton::clicked, &controller_, &AnalysisController::cancel);
    connect(return_, &QPushButton::clicked, &controller_, &AnalysisController::returnToGame);
    connect(&controller_, &AnalysisController::variationChanged, this, [this](const QString& t) {
        variation_->setText(t);
        variation_->setVisible(!t.isEmpty());
        return_->setVisible(!t.isEmpty());
    });
    connect(graph_, &EvaluationGraph::plyClicked, &controller_, &AnalysisController::choosePly);
    connect(&controller_, &AnalysisController::changed, this, &AnalysisView::refresh);
    connect(&controller_, &AnalysisController::currentPlyChanged, this, [this](int ply) {
        graph_->setCurrentPly(ply);
        showDetails();
    });
    connect(&controller_, &AnalysisController::progressed, this, [this](int done, int all) {
        progress_->setRange(0, std::max(1, all));
        progress_->setValue(done);
        setStatus(QCoreApplication::translate("AnalysisView", "解析中（%1 / %2 局面）")
                      .arg(done)
                      .arg(all));
    });
    connect(&controller_, &AnalysisController::started, this,
            [this] { cancel_->setEnabled(true); });
    connect(&controller_, &AnalysisController::finished, this, [this] {
        cancel_->setEnabled(false);
        setStatus(QCoreApplication::translate("AnalysisView", "解析が終わりました"));
        showDetails();
    });
    connect(&controller_, &AnalysisController::cancelled, this, [this] {
        cancel_->setEnabled(false);
        setStatus(QCoreApplication::translate("AnalysisView", "解析を中止しました（%1 / %2 局面）")
                      .arg(controller_.searched())
                      .arg(controller_.positions()));
    });
    connect(&controller_, &AnalysisController::loaded, this, [this] {
        cancel_->setEnabled(false);
        progress_->setRange(0, std::max(1, controller_.positions()));
        progress_->setValue(controller_.searched());
        setStatus(
            QCoreApplication::translate("AnalysisView", "棋譜に残された解析です（%1 / %2 局面）")
                .arg(controller_.searched())
                .arg(controller_.positions()));
    });
    connect(&controller_, &AnalysisController::cleared, this, [this] {
        progress_->setRange(0, 1);
        progress_->setValue(0);
        cancel_->setEnabled(false);
        setStatus(QString());
    });
    refresh();
}

void AnalysisView::setStatus(const QString& text) {
    status_->setText(text);
    status_->setVisible(!text.isEmpty());
}

void AnalysisView::refresh() {
    graph_->setPoints(controller_.graphPoints(), analysis::kGraphClip);
    graph_->setCurrentPly(controller_.analysis() ? controller_.currentPly() : -1);
    firstSummary_->setText(controller_.summaryText(notation::Mark::Sente));
    secondSummary_->setText(controller_.summaryText(notation::Mark::Gote));
    if (!controller_.analysis())
        setStatus(QCoreApplication::translate("AnalysisView", "棋譜の解析はまだありません"));
    showDetails();
}

void AnalysisView::showDetails() {
    const MoveDetails d = controller_.detailsOf(controller_.currentPly());
    const std::pair<QLabel*, QString> parts[] = {
        {title_, d.title},    {score_, d.score},   {best_, d.best},
        {line_, d.lineLinks}, {reason_, d.reason}, {candidates_, d.candidateLinks}};
    for (const auto& [label, text] : parts) {
        label->setText(label->textFormat() == Qt::RichText ? keptBlanks(text) : text);
        label->setVisible(!text.isEmpty());
    }
}

} // namespace kelvore::qt
