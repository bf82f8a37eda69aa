#include "client/ui/DownloadsTableModel.h"

#include "client/model/Client.h"
#include "client/model/downloads/DownloadItem.h"
#include "client/model/downloads/DownloadManager.h"
#include "client/model/downloads/DownloadRecognizer.h"
#include "client/model/downloads/RecognizedItem.h"
#include "client/model/wow/WowInstallation.h"
#include "client/ui/TableSortFilterModel.h"
#include "client/ui/Utilities.h"
#include "lib/util/Paths.h"

#include <QFileInfo>

namespace plenfox::client::ui {

namespace {

const QString Headers[] = {QString(), QStringLiteral("File"), QStringLiteral("Size"),
                           QStringLiteral("Date"), QStringLiteral("Details")};

} // namespace

DownloadsTableModel::DownloadsTableModel(model::Client* client, QObject* parent)
    : QAbstractTableModel(parent), client(client),
      checkIcon(Utilities::loadIcon(QStringLiteral("assets/check.png"))),
      deleteIcon(Utilities::loadIcon(QStringLiteral("assets/delete.png"))),
      folderIcon(Utilities::loadIcon(QStringLiteral("assets/folder.png"))),
      downloadIcon(Utilities::loadIcon(QStringLiteral("assets/downloads24x24.png"))) {}

int DownloadsTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows.size());
}

int DownloadsTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant DownloadsTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return {};
    return Headers[section];
}

DownloadsTableModel::State DownloadsTableModel::stateOf(const Status& status) {
    if (status.inProgress || !status.recognized || status.installing)
        return State::Working;
    if (!status.wowAddon)
        return State::NoAddons;
    return status.allInstalled ? State::AllInstalled : State::NotAllInstalled;
}

QString DownloadsTableModel::detailsText(const Status& status) {
    if (status.inProgress) {
        QString text =
            QStringLiteral("downloading ... ") + Utilities::getSizeText(status.currentSize);
        // A size the server did not announce gives no percentage.
        if (status.totalSize > 0)
            text += QStringLiteral(" (") +
                    QString::number(status.currentSize * 100 / status.totalSize) +
                    QStringLiteral("%)");
        return text;
    }
    if (!status.recognized)
        return QStringLiteral("scanning ...");
    if (!status.wowAddon)
        return QStringLiteral("No addons recognized.");
    if (status.installing)
        return QStringLiteral("installing ") + QString::number(status.totalAddons) +
               QStringLiteral(" WoW addons ...");
    QString text;
    if (status.totalAddons == 1)
        text = status.allInstalled ? QStringLiteral("1 WoW addon, installed.")
                                   : QStringLiteral("1 WoW addon, not installed.");
    else if (status.allInstalled)
        text = QString::number(status.totalAddons) + QStringLiteral(" WoW addons, all installed.");
    else
        text = QString::number(status.totalAddons) + QStringLiteral(" WoW addons, ") +
               QString::number(status.installedCount) + QStringLiteral(" installed.");
    // Said before the player installs it: the game would not load these.
    if (status.notForFlavour > 0) {
        const QString flavour =
            status.flavour.isEmpty() ? QStringLiteral("the current flavour") : status.flavour;
        text += status.notForFlavour == status.totalAddons
                    ? QStringLiteral(" Not for ") + flavour + QLatin1Char('.')
                    : QLatin1Char(' ') + QString::number(status.notForFlavour) +
                          QStringLiteral(" not for ") + flavour + QLatin1Char('.');
    }
    return text;
}

DownloadsTableModel::Status DownloadsTableModel::statusOf(const Row& row) {
    Status status;
    status.inProgress = row.item->inProgress();
    status.currentSize = row.item->getCurrentSize();
    status.totalSize = row.item->getTotalSize();
    if (!status.inProgress && row.recognized) {
        status.recognized = true;
        status.wowAddon = row.recognized->isWowAddon();
        status.installing = row.recognized->isInstalling();
        status.totalAddons = row.recognized->getTotalAddons();
        status.installedCount = row.recognized->getInstalledCount();
        status.allInstalled = row.recognized->getAllAddonsInstalled();
        status.notForFlavour = row.recognized->getAddonsNotForFlavour();
        status.flavour = row.flavour;
    }
    return status;
}

QIcon DownloadsTableModel::iconFor(State state) const {
    switch (state) {
    case State::Working:
        return downloadIcon;
    case State::NoAddons:
        return folderIcon;
    case State::AllInstalled:
        return checkIcon;
    case State::NotAllInstalled:
        break;
    }
    return deleteIcon;
}

QVariant DownloadsTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= ColumnCount)
        return {};
    const Row& row = rows[static_cast<std::size_t>(index.row())];
    const bool raw = role == TableSortFilterModel::UnderlyingDataRole;
    switch (index.column()) {
    case StateIcon:
        if (role == Qt::DecorationRole)
            return iconFor(stateOf(statusOf(row)));
        if (raw)
            return static_cast<int>(stateOf(statusOf(row)));
        return {};
    case File:
        return role == Qt::DisplayRole || raw ? QVariant(row.fileName) : QVariant();
    case Size: {
        // A size the server did not announce shows the bytes so far.
        const qint64 total = row.item->getTotalSize();
        const qint64 size = total > 0 ? total : row.item->getCurrentSize();
        if (raw)
            return size;
        return role == Qt::DisplayRole ? QVariant(Utilities::getSizeText(size)) : QVariant();
    }
    case Date:
        if (raw)
            return row.modifiedMs;
        return role == Qt::DisplayRole ? QVariant(row.date) : QVariant();
    case Details:
        return role == Qt::DisplayRole || raw ? QVariant(detailsText(statusOf(row))) : QVariant();
    default:
        return {};
    }
}

DownloadsTableModel::Row
DownloadsTableModel::makeRow(const std::shared_ptr<model::DownloadItem>& item) const {
    Row row;
    row.item = item;
    row.fileName = util::pathText(item->getFile().filename());
    wow::WowInstallation* wow = client ? client->getWow() : nullptr;
    if (const std::optional<wow::WowFlavour> flavour = wow ? wow->currentFlavour() : std::nullopt)
        row.flavour = flavour->displayName();
    const auto recognizer = client ? client->getDownloadRecognizer() : nullptr;
    if (!item->inProgress() && recognizer) {
        row.recognized = recognizer->lookup(item);
        if (row.recognized) {
            // Reads the package here, never on the GUI thread.
            row.recognized->cache();
            row.date = row.recognized->getDateString();
        }
    }
    if (!item->inProgress())
        row.modifiedMs =
            QFileInfo(util::pathText(item->getFile())).lastModified().toMSecsSinceEpoch();
    return row;
}

void DownloadsTableModel::refresh() {
    const auto manager = client ? client->getDownloadManager() : nullptr;
    if (!manager)
        return;
    std::vector<Row> newRows;
    for (const auto& item : manager->getDownloads())
        newRows.push_back(makeRow(item));
    QMetaObject::invokeMethod(
        this, [this, newRows = std::move(newRows)]() mutable { apply(std::move(newRows)); },
        Qt::QueuedConnection);
}

void DownloadsTableModel::apply(std::vector<Row> newRows) {
    beginResetModel();
    rows = std::move(newRows);
    endResetModel();
}

void DownloadsTableModel::fireDownloadProgress(const std::shared_ptr<model::DownloadItem>& item) {
    if (!item)
        return;
    QMetaObject::invokeMethod(
        this, [this, row = makeRow(item)]() mutable { updateRow(std::move(row)); },
        Qt::QueuedConnection);
}

void DownloadsTableModel::updateRow(Row row) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!model::DownloadItem::sameFile(rows[i].item->getFile(), row.item->getFile()))
            continue;
        rows[i] = std::move(row);
        Q_EMIT dataChanged(index(static_cast<int>(i), 0),
                           index(static_cast<int>(i), ColumnCount - 1));
        return;
    }
}

std::vector<std::shared_ptr<model::DownloadItem>>
DownloadsTableModel::getSelectedDownloads(const std::vector<int>& selected) const {
    std::vector<std::shared_ptr<model::DownloadItem>> items;
    for (int row : selected)
        if (row >= 0 && row < rowCount())
            items.push_back(rows[static_cast<std::size_t>(row)].item);
    return items;
}

} // namespace plenfox::client::ui
