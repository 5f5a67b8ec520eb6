#pragma once
// Binds a table to a grid: the grid shows every record as a row under a heading row of the field
// names, drawn by each field's alignment; selecting a row makes its record current; the table
// refreshes the grid after Open, Post and Delete. Clicking the heading row selects nothing.
#include <QObject>

class QTableView;

namespace nubra {
class TMyTable;
}

namespace nubra::tables_qt {

class TableModel;

class GridBinding : public QObject {
    Q_OBJECT
public:
    // Use AttachGrid.
    GridBinding(TMyTable& table, QTableView* grid);

    // Resizes the grid to the table, selects the current record without moving it, repaints.
    void RefreshGrid();
    TableModel* Model() const { return model_; }
    QTableView* Grid() const { return grid_; }

private:
    void CurrentRowChanged(int row);

    TMyTable& table_;
    QTableView* grid_;
    TableModel* model_;
    bool refreshing_ = false;
};

// Binds the table to the grid (the binding is owned by the grid) and draws it.
GridBinding* AttachGrid(TMyTable& table, QTableView* grid);

} // namespace nubra::tables_qt
