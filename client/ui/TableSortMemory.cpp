#include "client/ui/TableSortMemory.h"

#include "client/model/App.h"
#include "lib/util/Paths.h"

#include <QHeaderView>
#include <QSettings>
#include <QTableView>

namespace plenfox::client::ui {

TableSortMemory::TableSortMemory(QTableView* table, QString key)
    : QObject(table), table(table), key(std::move(key)) {
    connect(table->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this,
            [this](int column, Qt::SortOrder order) { save(column, order); });
}

void TableSortMemory::attach(const std::filesystem::path& kept) {
    if (kept == file)
        return;
    // Nothing is written while the kept order is being restored.
    file.clear();
    QSettings settings(util::pathText(kept), QSettings::IniFormat);
    settings.beginGroup(key);
    bool known = false;
    const int column = settings.value(QStringLiteral("column")).toInt(&known);
    const bool descending =
        settings.value(QStringLiteral("order")).toString() == QStringLiteral("descending");
    settings.endGroup();
    const int columns = table->model() ? table->model()->columnCount() : 0;
    if (known && column >= 0 && column < columns)
        table->sortByColumn(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    file = kept;
}

void TableSortMemory::save(int column, Qt::SortOrder order) const {
    if (file.empty())
        return;
    QSettings settings(util::pathText(file), QSettings::IniFormat);
    settings.beginGroup(key);
    settings.setValue(QStringLiteral("column"), column);
    settings.setValue(QStringLiteral("order"), order == Qt::DescendingOrder
                                                   ? QStringLiteral("descending")
                                                   : QStringLiteral("ascending"));
    settings.endGroup();
    settings.sync();
    if (settings.status() != QSettings::NoError)
        App::log(QStringLiteral("TableSortMemory.save: could not write [") + util::pathText(file) +
                 QLatin1Char(']'));
}

} // namespace plenfox::client::ui
