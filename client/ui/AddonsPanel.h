#pragma once

#include "client/ui/InfoPanelData.h"

#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace plenfox::client::model {
class AddonManager;
class UpdateManager;
} // namespace plenfox::client::model

namespace plenfox::client::ui {

class AddonsTableModel;
class PanelHost;
class TableFilter;
class TableSortFilterModel;
class TableSortMemory;

// The "WoW" tab: the installed addons with their update state, three lines
// of information, and the delete, browse, refresh, update and update-all
// buttons (also in the table's context menu; Delete deletes, a double-click
// on an update row updates it).
class AddonsPanel : public QWidget {
public:
    AddonsPanel(PanelHost& host, QWidget* parent = nullptr);

    AddonsTableModel* getModel() const { return model; }
    QTableView* getTable() const { return table; }
    QLineEdit* getFilterField() const { return filterField; }
    TableSortFilterModel* getSorter() const { return sorter; }
    TableSortMemory* getSortMemory() const { return sortMemory; }
    QPushButton* getDeleteButton() const { return deleteButton; }
    QPushButton* getBrowseButton() const { return browseButton; }
    QPushButton* getRefreshButton() const { return refreshButton; }
    QPushButton* getUpdateButton() const { return updateButton; }
    QPushButton* getUpdateAllButton() const { return updateAllButton; }
    QStringList informationLines() const;

    // Any thread: the install path and the number of addons.
    void setInformation(model::AddonManager& addonManager);
    // Any thread: a query started / ended; the stored answer's figures.
    void beforeQuery();
    void afterQuery(model::UpdateManager& manager, bool successful);
    void setUpdateInformation(model::UpdateManager& manager);
    // GUI thread: figures of the rows just shown.
    void setAddonSummary(int addons, int availableUpdates, int outOfDate);

    // The selected rows in model order, listed in the order the table shows them.
    std::vector<int> getModelSelection() const;

    // The title and text of the question before removing the named addons;
    // the installed addons that require them are named too.
    static std::pair<QString, QString> removalQuestion(const QStringList& names,
                                                       const QStringList& dependants = {});

    // Updates the selected addons that have an update: the packages the
    // service named an address for are fetched and installed; an update
    // without an address opens its page in the "Web" tab.
    void updateSelected();
    // The same for every addon that has an update.
    void updateAll();

private:
    void deleteSelected();
    void browseSelected();
    void refresh();
    // Fetches the updates of the rows (as updateSelected describes).
    void update(const std::vector<int>& rows);
    void showContextMenu(const QPoint& position);
    void enableActions();
    // Column widths that fit the texts shown, so a narrow window scrolls
    // rather than cutting a column off.
    void fitColumns();
    // GUI thread or posted there: changes the data and shows its lines.
    void changeInformation(std::function<void(InfoPanelData&)> change);
    void showInformation();

    PanelHost& host;
    AddonsTableModel* model;
    TableSortFilterModel* sorter;
    QLabel* installPathLabel;
    QLabel* installedAddonsLabel;
    QLabel* auxInfoLabel;
    QTableView* table;
    QPushButton* deleteButton;
    QPushButton* browseButton;
    QPushButton* refreshButton;
    QPushButton* updateButton;
    QPushButton* updateAllButton;
    QAction* deleteAction;
    QAction* browseAction;
    QAction* refreshAction;
    QAction* updateAction;
    QAction* updateAllAction;
    QLineEdit* filterField;
    TableFilter* tableFilter;
    TableSortMemory* sortMemory;
    InfoPanelData infoPanel; // GUI thread only
};

} // namespace plenfox::client::ui
