#pragma once

#include "client/model/downloads/DownloadListener.h"
#include "client/model/downloads/DownloadRecognizerListener.h"

#include <QString>
#include <QWidget>
#include <memory>
#include <utility>
#include <vector>

class QAction;
class QLineEdit;
class QPushButton;
class QTableView;

namespace plenfox::client::ui {

class DownloadsTableModel;
class PanelHost;
class TableFilter;
class TableSortFilterModel;
class TableSortMemory;

// The "Downloads" tab: every download with its recognition, a progress bar
// and the speed while bytes arrive, automatic installation of the packages
// the player asked for (others wait, ready to install), and the delete,
// refresh, install, open and cancel buttons (also in the table's context
// menu; Delete deletes, a double-click installs a package or opens a file).
// It is the client's download listener and recognizer listener; their calls
// arrive on the dispatcher thread and reach the widgets only through the GUI
// thread.
class DownloadPanel : public QWidget,
                      public model::DownloadListener,
                      public model::DownloadRecognizerListener {
public:
    static inline const QString Prefix =
        QStringLiteral("class com.plenfox.kesh.client.ui.DownloadPanel");

    DownloadPanel(PanelHost& host, QWidget* parent = nullptr);

    DownloadsTableModel* getModel() const { return model; }
    QTableView* getTable() const { return downloadsTable; }
    TableSortFilterModel* getSorter() const { return sorter; }
    QLineEdit* getFilterField() const { return filterField; }
    QPushButton* getClearButton() const { return clearButton; }
    QPushButton* getRefreshButton() const { return refreshButton; }
    QPushButton* getInstallButton() const { return installButton; }
    QPushButton* getOpenButton() const { return openButton; }
    QPushButton* getCancelButton() const { return cancelButton; }
    TableSortMemory* getSortMemory() const { return sortMemory; }

    // The selected rows in model order, and their downloads.
    std::vector<int> getModelSelection() const;
    std::vector<std::shared_ptr<model::DownloadItem>> getSelectedDownloads() const;

    // Title and text of the question asked before deleting downloads.
    static std::pair<QString, QString> removalQuestion(const QStringList& fileNames);
    // The text of the dialog shown when install finds no game installation.
    static QString noInstallationText();

    // DownloadListener
    void beforeRefreshDownloads() override {}
    void afterRefreshDownloads() override;
    void downloadStarted(const std::shared_ptr<model::DownloadItem>& item) override;
    void downloadProgress(const std::shared_ptr<model::DownloadItem>& item) override;
    void downloadCompleted(const std::shared_ptr<model::DownloadItem>& item) override;
    void downloadRemoved(const std::shared_ptr<model::DownloadItem>& item) override;

    // DownloadRecognizerListener
    void afterRefreshRecognized() override;
    void beforeRefreshRecognized() override;
    void onRecognized(const std::shared_ptr<model::RecognizedItem>& item) override;
    void onRecognizedItemRemoved(const std::shared_ptr<model::RecognizedItem>& item) override;

private:
    void deleteSelected();
    void refresh();
    void installSelected();
    void openSelected();
    void cancelSelected();
    // Installs the downloads that hold addons (the game must be known).
    void install(const std::vector<std::shared_ptr<model::DownloadItem>>& items);
    // A double-click: installs a package, opens any other file.
    void activate(const QModelIndex& index);
    void showContextMenu(const QPoint& position);
    void enableActions();

    PanelHost& host;
    DownloadsTableModel* model;
    TableSortFilterModel* sorter;
    QTableView* downloadsTable;
    QPushButton* clearButton;
    QPushButton* refreshButton;
    QPushButton* installButton;
    QPushButton* openButton;
    QPushButton* cancelButton;
    QAction* deleteAction;
    QAction* refreshAction;
    QAction* installAction;
    QAction* openAction;
    QAction* cancelAction;
    QLineEdit* filterField;
    TableFilter* tableFilter;
    TableSortMemory* sortMemory;
};

} // namespace plenfox::client::ui
