#include "client/ui/TableSortFilterModel.h"

namespace plenfox::client::ui {

TableSortFilterModel::TableSortFilterModel(QObject* parent) : QSortFilterProxyModel(parent) {
    setSortRole(UnderlyingDataRole);
    setSortLocaleAware(false);
    setDynamicSortFilter(true);
}

void TableSortFilterModel::setFilterText(const QString& text) {
    const QString lower = text.toLower();
    if (lower == lowerFilter)
        return;
    lowerFilter = lower;
    invalidateFilter();
}

bool TableSortFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    if (lowerFilter.isEmpty())
        return true;
    const QAbstractItemModel* source = sourceModel();
    const int columns = source->columnCount(sourceParent);
    for (int column = 0; column < columns; ++column) {
        const QString cell =
            source->data(source->index(sourceRow, column, sourceParent), Qt::DisplayRole)
                .toString();
        if (cell.toLower().contains(lowerFilter))
            return true;
    }
    return false;
}

} // namespace plenfox::client::ui
