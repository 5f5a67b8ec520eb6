#include "TableModel.h"

#include "Cp1250.h"
#include "TMyTable.h"

namespace nubra::tables_qt {

TableModel::TableModel(TMyTable& table, QObject* parent) : QAbstractTableModel(parent), table_(table) {}

int TableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int TableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

const std::vector<FieldValue>& TableModel::Row(int row) const {
    // A view asks for every column and role of a row in turn: one read serves them.
    if (row != cachedRow_) {
        cached_ = table_.PeekRecord(row);
        cachedRow_ = row;
    }
    return cached_;
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !table_.Active() || index.column() >= table_.FieldCount() ||
        index.row() >= table_.RecordCount())
        return {};
    if (role == Qt::TextAlignmentRole) {
        switch (static_cast<Alignment>(table_.Field(index.column()).alignment)) {
        case Alignment::Right:
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        case Alignment::Center:
            return QVariant::fromValue(Qt::AlignHCenter | Qt::AlignVCenter);
        case Alignment::Left:
            break;
        }
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    const auto& values = Row(index.row());
    if (static_cast<std::size_t>(index.column()) >= values.size())
        return {};
    return QString::fromStdString(cp1250::ToUtf8(ToText(values[static_cast<std::size_t>(index.column())])));
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    // The row handles carry no numbers.
    if (orientation == Qt::Vertical && role == Qt::DisplayRole)
        return QString();
    if (orientation != Qt::Horizontal || !table_.Active() || section < 0 || section >= table_.FieldCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return QString::fromStdString(cp1250::ToUtf8(table_.Field(section).name));
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignCenter);
    return {};
}

Qt::ItemFlags TableModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void TableModel::Reload() {
    const int columns = table_.Active() ? table_.FieldCount() : 0;
    const int rows = table_.Active() ? table_.RecordCount() : 0;
    cachedRow_ = -1;
    cached_.clear();
    if (columns != columns_) {
        beginResetModel();
        columns_ = columns;
        rows_ = rows;
        endResetModel();
        return;
    }
    // Rows are added or removed at the end rather than reset, so the view keeps its column widths.
    if (rows > rows_) {
        beginInsertRows({}, rows_, rows - 1);
        rows_ = rows;
        endInsertRows();
    } else if (rows < rows_) {
        beginRemoveRows({}, rows, rows_ - 1);
        rows_ = rows;
        endRemoveRows();
    }
    if (rows_ > 0 && columns_ > 0)
        emit dataChanged(index(0, 0), index(rows_ - 1, columns_ - 1));
}

} // namespace nubra::tables_qt
