// The report grid's contents as a Qt table model: the rows plus the notifications that keep a
// view (selection, current row, scroll range) in step when rows change, appear or drop off.
#pragma once

#include <QAbstractTableModel>
#include <string>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "ReportRow.h"
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

    // The records of the points that keep their inputs (PointRecord.h text), by point name: the
    // names of a report's points are unique, so a record goes wherever its row is moved. A record
    // of a deleted row is kept until the report is replaced, so that a row brought back finds it.
    const std::string* Record(const std::string& name) const;
    void SetRecord(const std::string& name, std::string record) { records_[name] = std::move(record); }
    void ClearRecords() { records_.clear(); }
    // Each row's record text (empty when it has none), in row order.
    std::vector<std::string> RecordsOfRows() const;

private:
    void Publish();

    std::unordered_map<std::string, std::string> records_;

    ReportRows rows_;
    // The row count the views know; differs from rows_.size() only inside Publish().
    int shownRows_ = 0;
};
