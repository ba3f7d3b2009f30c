// The rows of the move list as an item model, so that screen readers and tests read the moves
// as the player sees them. Row 0 is the game's start ("開始局面"), row n the position after
// move n; the columns are the move's number, the move in notation, the time it took and a mark
// set from outside (the engine's judgement of the move: "疑問手", "悪手"; empty until set).
#pragma once

#include "review/GameReview.h"

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>

#include <vector>

namespace kelvore::qt {

class MoveListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Number, Move, Time, Mark, ColumnCount };

    explicit MoveListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The moves of the game shown. Moves added after the ones shown are appended and keep the
    // marks; any other change is a new game: every row is replaced and the marks are cleared.
    void setRows(const std::vector<review::MoveRow>& rows);
    // The number of moves (the start's row aside).
    int moveCount() const { return static_cast<int>(rows_.size()); }

    // The mark of move `ply` (1-based); an empty text removes it.
    void setMark(int ply, const QString& mark);
    QString mark(int ply) const;
    void clearMarks();
    bool hasMarks() const;

signals:
    // The rows now show another game than before (the marks were cleared with it).
    void gameReplaced();
    // Some mark was set or cleared.
    void marksChanged();

private:
    std::vector<review::MoveRow> rows_;
    QStringList marks_; // index ply - 1
};

} // namespace kelvore::qt
