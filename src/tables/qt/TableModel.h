#pragma once
// A table as an item model: one row per record, read from the file when the view asks, so a table of
// 100 000 records shows at once. Reading never moves the table's cursor.
#include <QAbstractTableModel>
#include <vector>

#include "FieldValue.h"

namespace nubra {
class TMyTable;
}

namespace nubra::tables_qt {

class TableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    TableModel(TMyTable& table, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The table changed (opened, a record written or removed): every row is read again.
    void Reload();

private:
    const std::vector<FieldValue>& Row(int row) const;

    TMyTable& table_;
    int rows_ = 0;
    int columns_ = 0;
    mutable int cachedRow_ = -1;
    mutable std::vector<FieldValue> cached_;
};

} // namespace nubra::tables_qt
