#pragma once

#include <vector>

class QAbstractItemModel;
class QAction;
class QPushButton;
class QSortFilterProxyModel;
class QString;
class QTableView;
class QWidget;

namespace plenfox::client::ui {

// The table view both panels show: sorted by clicking a header (starting
// unsorted), whole rows selected, several at a time, nothing edited in place,
// no row numbers.
QTableView* createSortedTableView(QAbstractItemModel* model, QWidget* parent);
// The selected rows as rows of the sorter's source model, in the order the
// table shows them.
std::vector<int> selectedSourceRows(const QTableView& table, const QSortFilterProxyModel& sorter);
// A panel's button with its icon (24 pixels) and its object name, by which
// tests find it.
QPushButton* createPanelButton(const QString& icon, const QString& text, const QString& name,
                               QWidget* parent);
// A panel's action with its object name.
QAction* createPanelAction(const QString& text, const QString& name, QWidget* parent);

} // namespace plenfox::client::ui
