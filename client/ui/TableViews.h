#pragma once

class QAbstractItemModel;
class QTableView;
class QWidget;

namespace plenfox::client::ui {

// The table view both panels show: sorted by clicking a header (starting
// unsorted), whole rows selected, several at a time, nothing edited in place,
// no row numbers.
QTableView* createSortedTableView(QAbstractItemModel* model, QWidget* parent);

} // namespace plenfox::client::ui
