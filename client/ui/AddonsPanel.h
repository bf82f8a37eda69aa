#pragma once

#include "client/ui/InfoPanelData.h"

#include <QStringList>
#include <QWidget>
#include <memory>
#include <utility>
#include <vector>

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

// The "WoW" tab: the installed addons with their update state, three lines
// of information, and the delete, browse and refresh buttons.
class AddonsPanel : public QWidget {
public:
    AddonsPanel(PanelHost& host, QWidget* parent = nullptr);

    AddonsTableModel* getModel() const { return model; }
    QTableView* getTable() const { return table; }
    QLineEdit* getFilterField() const { return filterField; }
    TableSortFilterModel* getSorter() const { return sorter; }
    QPushButton* getDeleteButton() const { return deleteButton; }
    QPushButton* getBrowseButton() const { return browseButton; }
    QPushButton* getRefreshButton() const { return refreshButton; }
    QStringList informationLines() const;

    // Any thread: the install path and the number of addons.
    void setInformation(model::AddonManager& addonManager);
    // Any thread: a query started / ended; the stored answer's figures.
    void beforeQuery();
    void afterQuery(model::UpdateManager& manager, bool successful);
    void setUpdateInformation(model::UpdateManager& manager);
    // GUI thread: figures of the rows just shown.
    void setAddonSummary(int addons, int availableUpdates, int outOfDate);

    // The selected rows in model order.
    std::vector<int> getModelSelection() const;

    // Title and text of the question asked before removing addons.
    // The title and text of the question before removing the named addons;
    // the installed addons that require them are named too.
    static std::pair<QString, QString> removalQuestion(const QStringList& names,
                                                       const QStringList& dependants = {});

private:
    void deleteSelected();
    void browseSelected();
    void refresh();
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
    QLineEdit* filterField;
    TableFilter* tableFilter;
    InfoPanelData infoPanel; // GUI thread only
};

} // namespace plenfox::client::ui
