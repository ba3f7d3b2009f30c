#include "MoveListModel.h"

#include <QColor>
#include <QCoreApplication>

namespace kelvore::qt {

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

bool sameRow(const review::MoveRow& a, const review::MoveRow& b) {
    return a.number == b.number && a.text == b.text && a.seconds == b.seconds;
}

} // namespace

MoveListModel::MoveListModel(QObject* parent) : QAbstractTableModel(parent) {}

int MoveListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || rows_.empty()) return 0;
    return static_cast<int>(rows_.size()) + 1;
}

int MoveListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant MoveListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const int ply = index.row();
    const review::MoveRow* row = ply > 0 ? &rows_[ply - 1] : nullptr;
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case Number: return row ? QString::number(row->number) : QString();
        case Move:
            return row ? q(row->text) : QCoreApplication::translate("MoveListModel", "開始局面");
        case Time: return row ? q(review::timeText(row->seconds)) : QString();
        case Mark: return mark(ply);
        }
        break;
    case Qt::AccessibleTextRole:
        // A whole move read out at once: "7手目 ▲７六歩(77) 0:05".
        if (index.column() == Move && row)
            return QCoreApplication::translate("MoveListModel", "%1手目 %2 %3 %4")
                .arg(row->number)
                .arg(q(row->text), q(review::timeText(row->seconds)), mark(ply))
                .trimmed();
        break;
    case Qt::TextAlignmentRole:
        if (index.column() == Number || index.column() == Time)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::ForegroundRole:
        if (index.column() == Mark && !mark(ply).isEmpty()) return QColor(176, 0, 0);
        break;
    default: break;
    }
    return {};
}

QVariant MoveListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
    case Number: return QCoreApplication::translate("MoveListModel", "手数");
    case Move: return QCoreApplication::translate("MoveListModel", "指し手");
    case Time: return QCoreApplication::translate("MoveListModel", "時間");
    case Mark: return QCoreApplication::translate("MoveListModel", "判定");
    }
    return {};
}

void MoveListModel::setRows(const std::vector<review::MoveRow>& rows) {
    const bool extends = rows.size() >= rows_.size() && !rows_.empty() &&
                         std::equal(rows_.begin(), rows_.end(), rows.begin(), sameRow);
    if (extends) {
        if (rows.size() == rows_.size()) return;
        // The start's row comes with the first move.
        beginInsertRows({}, rowCount(), static_cast<int>(rows.size()));
        rows_ = rows;
        endInsertRows();
        while (marks_.size() < static_cast<qsizetype>(rows_.size())) marks_ << QString();
        return;
    }
    if (rows.empty() && rows_.empty()) return;
    const bool hadMarks = hasMarks();
    beginResetModel();
    rows_ = rows;
    marks_ = QStringList();
    for (std::size_t i = 0; i < rows_.size(); ++i) marks_ << QString();
    endResetModel();
    emit gameReplaced();
    if (hadMarks) emit marksChanged();
}

void MoveListModel::setMark(int ply, const QString& text) {
    if (ply < 1 || ply > moveCount() || marks_[ply - 1] == text) return;
    marks_[ply - 1] = text;
    const QModelIndex i = index(ply, Mark);
    emit dataChanged(i, i.siblingAtColumn(Mark));
    emit dataChanged(index(ply, Move), index(ply, Move), {Qt::AccessibleTextRole});
    emit marksChanged();
}

QString MoveListModel::mark(int ply) const {
    return ply >= 1 && ply <= marks_.size() ? marks_[ply - 1] : QString();
}

void MoveListModel::clearMarks() {
    if (!hasMarks()) return;
    for (QString& m : marks_) m.clear();
    emit dataChanged(index(1, Mark), index(moveCount(), Mark));
    emit marksChanged();
}

bool MoveListModel::hasMarks() const {
    return std::any_of(marks_.begin(), marks_.end(), [](const QString& m) { return !m.isEmpty(); });
}

} // namespace kelvore::qt
