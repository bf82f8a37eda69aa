#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <QString>
#include <memory>
#include <vector>

namespace plenfox::client::model {
class Client;
class DownloadItem;
class RecognizedItem;
} // namespace plenfox::client::model

namespace plenfox::client::ui {

// Every entry of the download list with what the recognizer made of it.
// Rows are gathered on the thread of the event that changed them and handed
// to the GUI thread whole, so the view never reads a half-replaced table.
class DownloadsTableModel : public QAbstractTableModel {
public:
    enum Column { StateIcon, File, Size, Date, Details, ColumnCount };
    enum class State { Working, NoAddons, AllInstalled, NotAllInstalled, Waiting };
    // The share of a running download that arrived, for the progress bar:
    // 0 to 100, UnknownProgress when the size is not known, or no value
    // when the download does not run.
    static constexpr int ProgressRole = Qt::UserRole + 1;
    static constexpr int UnknownProgress = -1;

    // What the state icon and the details text are made of.
    struct Status {
        bool inProgress = false;
        qint64 currentSize = 0;
        qint64 totalSize = 0;
        bool recognized = false; // a recognition result exists
        bool wowAddon = false;
        bool installing = false;
        int totalAddons = 0;
        int installedCount = 0;
        bool allInstalled = false;
        int notForFlavour = 0; // addons the current flavour does not load
        QString flavour;       // that flavour's name
        qint64 bytesPerSecond = -1;  // negative while not measured
        bool awaitingPlayer = false; // started by a page, not by the player
        bool noGame = false;         // no game folder is known to install into
        QString page;                // the page the download came from
    };
    struct Row {
        std::shared_ptr<model::DownloadItem> item;
        std::shared_ptr<model::RecognizedItem> recognized; // null while running or unknown
        QString fileName;
        QString flavour; // the name of the flavour worked on
        QString date;
        qint64 modifiedMs = 0;
        bool awaitingPlayer = false;
        bool noGame = false;
        QString page;
        // The transfer's speed, measured between two looks at its size.
        qint64 sampleTimeMs = 0;
        qint64 sampleBytes = 0;
        qint64 bytesPerSecond = -1;
    };

    DownloadsTableModel(model::Client* client, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    static State stateOf(const Status& status);
    static QString detailsText(const Status& status);
    static Status statusOf(const Row& row);

    // Any thread: rebuilds the rows from the download manager and the
    // recognizer and hands them to the GUI thread.
    void refresh();
    // Any thread: shows the item's new size (and its recognition once done).
    void fireDownloadProgress(const std::shared_ptr<model::DownloadItem>& item);
    // GUI thread: the downloads of the given model rows.
    std::vector<std::shared_ptr<model::DownloadItem>>
    getSelectedDownloads(const std::vector<int>& rows) const;
    const Row& rowAt(int row) const { return rows.at(static_cast<std::size_t>(row)); }

    // Speed of a transfer: bytes per second as "<size>/s".
    static QString speedText(qint64 bytesPerSecond);

private:
    Row makeRow(const std::shared_ptr<model::DownloadItem>& item) const;
    // Measures the speed from the row's earlier look at the same download.
    static void carrySpeed(const Row& earlier, Row& fresh);
    void apply(std::vector<Row> newRows);
    void updateRow(Row row);
    QIcon iconFor(State state) const;

    model::Client* client;
    std::vector<Row> rows; // GUI thread only
    QIcon checkIcon;
    QIcon deleteIcon;
    QIcon folderIcon;
    QIcon downloadIcon;
    QIcon waitingIcon;
};

} // namespace plenfox::client::ui
