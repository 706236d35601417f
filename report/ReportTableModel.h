// The report grid's contents as a Qt table model: the rows plus the notifications that keep a
// view (selection, current row, scroll range) in step when rows change, appear or drop off.
#pragma once

#include <QAbstractTableModel>
#include <type_traits>

#include "ReportRow.h"
#include "ReportState.h"
#include "ReportTable.h"

class ReportTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ReportTableModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    const ReportRows& Rows() const { return rows_; }

    // The whole state, for undo, and putting such a state back (the views follow as after
    // any change).
    ReportState Snapshot() const;
    void Restore(ReportState state);

    // Runs one of the operations of ReportTable.h on the rows, then reports the rows that
    // dropped off or were added at the end, and the changed texts.
    template <typename Operation>
    auto Change(Operation&& operation)
    {
        if constexpr (std::is_void_v<decltype(operation(rows_))>) {
            operation(rows_);
            Publish();
        } else {
            auto outcome = operation(rows_);
            Publish();
            return outcome;
        }
    }

private:
    void Publish();

    ReportRows rows_;
    // The row count the views know; differs from rows_.size() only inside Publish().
    int shownRows_ = 0;
};
