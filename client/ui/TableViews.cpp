#include "client/ui/TableViews.h"

#include "client/ui/Utilities.h"

#include <QAction>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <algorithm>

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

std::vector<int> selectedSourceRows(const QTableView& table, const QSortFilterProxyModel& sorter) {
    QModelIndexList selected = table.selectionModel()->selectedRows();
    std::sort(selected.begin(), selected.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    std::vector<int> rows;
    for (const QModelIndex& index : selected)
        rows.push_back(sorter.mapToSource(index).row());
    return rows;
}

QPushButton* createPanelButton(const QString& icon, const QString& text, const QString& name,
                               QWidget* parent) {
    auto* button = new QPushButton(Utilities::loadIcon(icon), text, parent);
    button->setIconSize(QSize(24, 24));
    button->setObjectName(name);
    return button;
}

QAction* createPanelAction(const QString& text, const QString& name, QWidget* parent) {
    auto* action = new QAction(text, parent);
    action->setObjectName(name);
    return action;
}

} // namespace plenfox::client::ui
