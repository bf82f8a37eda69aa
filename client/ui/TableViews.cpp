#include "client/ui/TableViews.h"

#include <QHeaderView>
#include <QTableView>

namespace plenfox::client::ui {

QTableView* createSortedTableView(QAbstractItemModel* model, QWidget* parent) {
    auto* table = new QTableView(parent);
    table->setModel(model);
    table->setSortingEnabled(true);
    table->sortByColumn(-1, Qt::AscendingOrder);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->setIconSize(QSize(20, 20));
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

} // namespace plenfox::client::ui
