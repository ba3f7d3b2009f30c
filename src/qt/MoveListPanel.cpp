#include "MoveListPanel.h"

#include "AnalysisView.h"
#include "BoardView.h"
#include "Form1.h"
#include "Pictures.h"
#include "analysis/Explanation.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace kelvore::qt {

MoveListPanel::MoveListPanel(Form1& form, QWidget* parent)
    : QWidget(parent), form_(form), review_(form), hints_(form),
      analyse_(form, review_,
               [this](const GameRecord& game) {
                   analysisController_->setWorkFolder(form_.WorkFolder);
                   analysisController_->start(game);
               }),
      variation_(form) {
    setObjectName(QStringLiteral("moveListPanel"));
    setAutoFillBackground(true);
    setAccessibleName(QCoreApplication::translate("MoveListPanel", "指し手一覧"));

    title_ = new QLabel(QCoreApplication::translate("MoveListPanel", "指し手"), this);
    model_ = new MoveListModel(this);
    list_ = new QTableView(this);
    list_->setObjectName(QStringLiteral("moveList"));
    list_->setAccessibleName(QCoreApplication::translate("MoveListPanel", "指し手"));
    list_->setModel(model_);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setShowGrid(false);
    list_->setWordWrap(false);
    list_->setTabKeyNavigation(false);
    list_->verticalHeader()->hide();
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QHeaderView* header = list_->horizontalHeader();
    header->setSectionResizeMode(MoveListModel::Number, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(MoveListModel::Move, QHeaderView::Stretch);
    header->setSectionResizeMode(MoveListModel::Time, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(MoveListModel::Mark, QHeaderView::ResizeToContents);
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    list_->setColumnHidden(MoveListModel::Mark, true);
    // The current move stands out though the list never has the keyboard.
    QPalette pal = list_->palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        pal.setColor(QPalette::Inactive, role, pal.color(QPalette::Active, role));
    list_->setPalette(pal);

    hint_ = new QLabel(this);
    hint_->setObjectName(QStringLiteral("hint"));
    hint_->setAccessibleName(QCoreApplication::translate("MoveListPanel", "ヒント"));
    hint_->setWordWrap(true);
    hint_->hide();
    hintLine_ = new QLabel(this);
    hintLine_->setAccessibleName(tr("ヒントの読み筋"));
    hintLine_->setWordWrap(true);
    hintLine_->setTextFormat(Qt::RichText);
    hintLine_->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    hintLine_->hide();
    connect(hintLine_, &QLabel::linkActivated, this, [this](const QString& link) {
        const auto& shown = hints_.shown();
        if (shown && link.startsWith(QStringLiteral("h:")))
            variation_.show(shown->position, shown->line, link.mid(2).toInt());
    });

    auto* top = new QWidget(this);
    auto* topLayout = new QVBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    topLayout->addWidget(title_);
    topLayout->addWidget(list_, 1);
    topLayout->addWidget(hint_);
    topLayout->addWidget(hintLine_);
    splitter_ = new QSplitter(Qt::Vertical, this);
    splitter_->setChildrenCollapsible(false);
    splitter_->addWidget(top);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter_);

    // A click shows its move. The list never takes the keyboard: the game's keys (Esc, F1, F2)
    // stay the window's, and the highlight is always the board's current move.
    list_->setFocusPolicy(Qt::NoFocus);
    connect(list_, &QTableView::clicked, this, [this](const QModelIndex& i) { showMove(i.row()); });
    connect(model_, &MoveListModel::marksChanged, this,
            [this] { list_->setColumnHidden(MoveListModel::Mark, !model_->hasMarks()); });
    connect(model_, &MoveListModel::gameReplaced, this, &MoveListPanel::gameReplaced);

    review_.onChanged = [this] { refresh(); };
    hints_.onChanged = [this] { showHint(); };

    // The engine's judgement of the game shown: its marks in the list, its view below it, and
    // a click on its graph shows that position as a click on the list does.
    analysisController_ = new AnalysisController(form_.platform().dispatcher, this);
    setAnalysisWidget(new AnalysisView(*analysisController_));
    // The list has the greater part while the game is played, the analysis once there is one.
    connect(analysisController_, &AnalysisController::started, this,
            [this] { giveRoomToAnalysis(true); });
    connect(analysisController_, &AnalysisController::loaded, this,
            [this] { giveRoomToAnalysis(true); });
    connect(analysisController_, &AnalysisController::cleared, this,
            [this] { giveRoomToAnalysis(false); });
    connect(analysisController_, &AnalysisController::plyChosen, this, &MoveListPanel::showMove);
    connect(analysisController_, &AnalysisController::changed, this, [this] {
        for (int ply = 1; ply <= model_->moveCount(); ++ply)
            model_->setMark(ply, analysisController_->markOf(ply - 1));
    });
    connect(this, &MoveListPanel::gameReplaced, analysisController_, &AnalysisController::clear);
    // A game judged before shows its judgement again, from the work folder.
    connect(this, &MoveListPanel::gameReplaced, this, [this] {
        analysisController_->setWorkFolder(form_.WorkFolder);
        if (!review_.game().moves.empty()) analysisController_->showKept(review_.game());
    });
    // A line of the analysis on the board until the player returns, or chooses another
    // position or game.
    connect(analysisController_, &AnalysisController::lineMoveChosen, this,
            &MoveListPanel::showLine);
    connect(analysisController_, &AnalysisController::returnAsked, this,
            [this] { variation_.leave(); });
    connect(analysisController_, &AnalysisController::currentPlyChanged, this,
            [this] { variation_.leave(); });
    connect(analysisController_, &AnalysisController::cleared, this,
            [this] { variation_.leave(); });
    variation_.onChanged = [this] { analysisController_->setVariationText(variationText()); };
    connect(analysisController_, &AnalysisController::loaded, this,
            [this] { review::revealMoveList(form_); });
    connect(this, &MoveListPanel::changed, this, [this] {
        if (review_.current() >= 0) analysisController_->setCurrentPly(review_.current());
    });
    refresh();
}

// The rooms leave the game's listeners with the panel.
MoveListPanel::~MoveListPanel() {
    variation_.onChanged = nullptr;
    variation_.leave();
    review_.onChanged = nullptr;
    hints_.onChanged = nullptr;
}

void MoveListPanel::setAnalysisWidget(QWidget* widget) {
    if (analysis_ == widget) return;
    delete analysis_;
    analysis_ = widget;
    if (widget == nullptr) return;
    splitter_->addWidget(widget);
    giveRoomToAnalysis(false);
    widget->setFont(font());
}

void MoveListPanel::giveRoomToAnalysis(bool analysed) {
    if (analysis_ == nullptr) return;
    // An analysis's texts (move, mark, reason, best line, candidates) want three quarters; the
    // list of a game in play wants them before there is one.
    const int list = analysed ? 1 : 3;
    const int view = analysed ? 3 : 1;
    splitter_->setStretchFactor(0, list);
    splitter_->setStretchFactor(1, view);
    const QList<int> sizes = splitter_->sizes();
    const int total = sizes.size() == 2 ? sizes[0] + sizes[1] : 0;
    if (total > 0) splitter_->setSizes({total * list / 4, total * view / 4});
}

int MoveListPanel::textSizeFor(int viewHeight) {
    return std::clamp(static_cast<int>(std::lround(viewHeight * 0.021)), 11, 40);
}

void MoveListPanel::setWidthInCharacters(double characters) {
    if (characters == widthInCharacters_ || characters <= 0) return;
    widthInCharacters_ = characters;
    emit widthChanged();
}

int MoveListPanel::widthFor(int viewHeight) const {
    return static_cast<int>(std::lround(textSizeFor(viewHeight) * widthInCharacters_));
}

QVector<QRectF> MoveListPanel::hintCells() const {
    const auto& shown = hints_.shown();
    if (!shown) return {};
    const hint::Cells c = hint::cellsOf(shown->move);
    return {BoardView::cell(c.from.X, c.from.Y), BoardView::cell(c.to.X, c.to.Y)};
}

void MoveListPanel::showMove(int ply) {
    variation_.leave();
    review_.showMove(ply);
    // Refused or not, the highlight is the board's current move again.
    showCurrent();
}

void MoveListPanel::refresh() {
    model_->setRows(review::rowsOf(review_.game()));
    showCurrent();
    emit changed();
}

void MoveListPanel::showCurrent() {
    const int current = review_.current();
    if (current < 0 || current >= model_->rowCount()) {
        list_->clearSelection();
        list_->setCurrentIndex({});
        list_->scrollToBottom();
        return;
    }
    const QModelIndex i = model_->index(current, MoveListModel::Move);
    list_->setCurrentIndex(i);
    list_->selectionModel()->select(i, QItemSelectionModel::ClearAndSelect |
                                           QItemSelectionModel::Rows);
    list_->scrollTo(i, QAbstractItemView::EnsureVisible);
}

void MoveListPanel::showHint() {
    const auto& shown = hints_.shown();
    if (shown) {
        QString text =
            QCoreApplication::translate("MoveListPanel", "ヒント：%1　%2")
                .arg(QString::fromStdString(shown->text), QString::fromStdString(shown->scoreText));
        hint_->setText(text);
        hint_->show();
        hintLine_->setText(
            keptBlanks(QCoreApplication::translate("MoveListPanel", "読み筋　") +
                       linkedMoves(shown->lineText, QStringLiteral("h"), !shown->line.empty())));
        hintLine_->setVisible(!shown->lineText.empty());
    } else if (hints_.searching()) {
        hint_->setText(QCoreApplication::translate("MoveListPanel", "ヒント：考えています…"));
        hint_->show();
        hintLine_->hide();
    } else {
        hint_->clear();
        hint_->hide();
        hintLine_->clear();
        hintLine_->hide();
    }
    emit hintChanged();
}

// The text grows with the board beside it.
void MoveListPanel::showLine(int ply, int line, int index) {
    if (const engine::GameSnapshot* start = analysisController_->linesStart(ply))
        variation_.show(*start, analysisController_->lineOf(ply, line), index);
}

QString MoveListPanel::variationText() const {
    const analysis::GameAnalysis* a = analysisController_->analysis();
    if (!variation_.shown() || !a) return {};
    const int first = a->game().start.sideToMove;
    const QStringList moves =
        QString::fromStdString(analysis::lineText(variation_.start(), variation_.line(), {}, first))
            .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const int step = variation_.step();
    const QString last = step > 0 && step <= moves.size() ? moves[step - 1] : tr("変化の始め");
    return tr("変化　%1（%2 / %3 手）").arg(last).arg(step).arg(variation_.length());
}

void MoveListPanel::hideEvent(QHideEvent* event) {
    variation_.leave();
    QWidget::hideEvent(event);
}

void MoveListPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int px = textSizeFor(height());
    if (px == textSize_) return;
    textSize_ = px;
    QFont f = japaneseFont();
    f.setPixelSize(px);
    setFont(f);
    QFont bold = f;
    bold.setBold(true);
    title_->setFont(bold);
    list_->verticalHeader()->setDefaultSectionSize(static_cast<int>(std::lround(px * 1.6)));
    const int gap = std::max(4, px / 2);
    layout()->setContentsMargins(gap, gap, gap, gap);
    if (analysis_) analysis_->setFont(f);
    showCurrent();
}

} // namespace kelvore::qt
