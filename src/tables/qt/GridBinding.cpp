#include "GridBinding.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPointer>
#include <QTableView>

#include "TMyTable.h"
#include "TableModel.h"

namespace nubra::tables_qt {

GridBinding::GridBinding(TMyTable& table, QTableView* grid)
    : QObject(grid), table_(table), grid_(grid), model_(new TableModel(table, this)) {
    grid_->setModel(model_);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setShowGrid(true);
    grid_->setTabKeyNavigation(false);
    // Rows are sized by dragging their lines in a narrow handle column, as columns are in the heading.
    QHeaderView* rows = grid_->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Interactive);
    rows->setSectionsClickable(false);
    rows->setHighlightSections(false);
    rows->setFixedWidth(10);
    grid_->horizontalHeader()->setSectionsClickable(false);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid_->horizontalHeader()->setHighlightSections(false);
    // Without the focus the selected row shows in grey text colour.
    QPalette palette = grid_->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     palette.color(QPalette::Disabled, QPalette::Text));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::Base));
    grid_->setPalette(palette);
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { CurrentRowChanged(current.row()); });
    // The grid may go before the table or the table before the grid.
    table_.SetChangeHandler([self = QPointer<GridBinding>(this)] {
        if (self)
            self->RefreshGrid();
    });
}

void GridBinding::RefreshGrid() {
    if (!table_.Active())
        return;
    refreshing_ = true;
    model_->Reload();
    if (table_.RecNo() >= 0) {
        const QModelIndex current = model_->index(table_.RecNo(), 0);
        grid_->selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect |
                                                              QItemSelectionModel::Rows);
        grid_->scrollTo(current);
    }
    refreshing_ = false;
    grid_->viewport()->update();
}

void GridBinding::CurrentRowChanged(int row) {
    if (refreshing_ || row < 0)
        return;
    table_.GoToRecord(row);
}

GridBinding* AttachGrid(TMyTable& table, QTableView* grid) {
    auto* binding = new GridBinding(table, grid);
    binding->RefreshGrid();
    return binding;
}

} // namespace nubra::tables_qt
