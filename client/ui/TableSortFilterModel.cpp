#include "client/ui/TableSortFilterModel.h"

namespace plenfox::client::ui {

TableSortFilterModel::TableSortFilterModel(QObject* parent)
    : QSortFilterProxyModel(parent), collator(textOrder()) {
    setSortRole(UnderlyingDataRole);
    setDynamicSortFilter(true);
}

QCollator TableSortFilterModel::textOrder() {
    QCollator order{QLocale()};
    order.setCaseSensitivity(Qt::CaseInsensitive);
    order.setNumericMode(true);
    return order;
}

bool TableSortFilterModel::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const QVariant a = left.data(sortRole());
    const QVariant b = right.data(sortRole());
    if (a.typeId() != QMetaType::QString || b.typeId() != QMetaType::QString)
        return QSortFilterProxyModel::lessThan(left, right);
    const int order = collator.compare(a.toString(), b.toString());
    // Texts the locale holds equal ("a" and "A") keep one stable order.
    return order != 0 ? order < 0 : a.toString() < b.toString();
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
