#include "ReportTableModel.h"

ReportTableModel::ReportTableModel(QObject* parent)
    : QAbstractTableModel(parent), rows_(EmptyReport()), shownRows_(static_cast<int>(rows_.size()))
{
}

int ReportTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : shownRows_; }

int ReportTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ReportColumnCount;
}

QVariant ReportTableModel::data(const QModelIndex& index, int role) const
{
    // While rows drop off, the views still ask for rows that are already gone from rows_.
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= static_cast<int>(rows_.size()))
        return {};
    return QString::fromStdString(rows_[index.row()][index.column()]);
}

Qt::ItemFlags ReportTableModel::flags(const QModelIndex& index) const
{
    // Selectable, never editable or draggable.
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void ReportTableModel::Publish()
{
    const int now = static_cast<int>(rows_.size());
    if (now < shownRows_) {
        beginRemoveRows(QModelIndex(), now, shownRows_ - 1);
        shownRows_ = now;
        endRemoveRows();
    } else if (now > shownRows_) {
        beginInsertRows(QModelIndex(), shownRows_, now - 1);
        shownRows_ = now;
        endInsertRows();
    }
    if (now > 0)
        emit dataChanged(index(0, 0), index(now - 1, ReportColumnCount - 1), {Qt::DisplayRole});
}

const std::string* ReportTableModel::Record(const std::string& name) const
{
    if (name.empty())
        return nullptr;
    const auto found = records_.find(name);
    return found == records_.end() ? nullptr : &found->second;
}

std::vector<std::string> ReportTableModel::RecordsOfRows() const
{
    std::vector<std::string> records(rows_.size());
    if (records_.empty())
        return records;
    for (std::size_t r = 0; r < rows_.size(); ++r)
        if (const std::string* record = Record(rows_[r][0]))
            records[r] = *record;
    return records;
}
