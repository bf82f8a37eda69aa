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

#include <QDateTime>
#include <QFileInfo>
#include <algorithm>

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
      downloadIcon(Utilities::loadIcon(QStringLiteral("assets/downloads24x24.png"))),
      waitingIcon(Utilities::loadIcon(QStringLiteral("assets/reinstall.png"))) {}

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
    if (status.allInstalled)
        return State::AllInstalled;
    return status.awaitingPlayer && !status.noGame ? State::Waiting : State::NotAllInstalled;
}

QString DownloadsTableModel::speedText(qint64 bytesPerSecond) {
    return Utilities::getSizeText(bytesPerSecond) + QStringLiteral("/s");
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
        if (status.bytesPerSecond >= 0)
            text += QStringLiteral(" at ") + speedText(status.bytesPerSecond);
        return text;
    }
    if (!status.recognized)
        return QStringLiteral("scanning ...");
    if (!status.wowAddon)
        return QStringLiteral("No addons recognized.");
    if (status.installing)
        return QStringLiteral("installing ") + QString::number(status.totalAddons) +
               QStringLiteral(" WoW addons ...");
    const QString addons = status.totalAddons == 1 ? QStringLiteral("1 WoW addon")
                                                   : QString::number(status.totalAddons) +
                                                         QStringLiteral(" WoW addons");
    QString text;
    if (status.allInstalled)
        text = status.totalAddons == 1 ? addons + QStringLiteral(", installed.")
                                       : addons + QStringLiteral(", all installed.");
    // Nothing can be installed before the game is found.
    else if (status.noGame)
        text = addons + QStringLiteral(", not installed: choose your game folder (WoW / Change "
                                       "WoW folder) to install.");
    else if (status.awaitingPlayer)
        text =
            addons + QStringLiteral(", ready to install") +
            (status.page.isEmpty() ? QString()
                                   : QStringLiteral(" (from ") + status.page + QLatin1Char(')')) +
            QLatin1Char('.');
    else if (status.totalAddons == 1)
        text = addons + QStringLiteral(", not installed.");
    else
        text = addons + QStringLiteral(", ") + QString::number(status.installedCount) +
               QStringLiteral(" installed.");
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
    status.bytesPerSecond = status.inProgress ? row.bytesPerSecond : -1;
    status.awaitingPlayer = row.awaitingPlayer;
    status.noGame = row.noGame;
    status.page = row.page;
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
    case State::Waiting:
        return waitingIcon;
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
    // The page a download came from, on every cell of its row.
    if (role == Qt::ToolTipRole)
        return row.page.isEmpty() ? QVariant() : QVariant(QStringLiteral("From ") + row.page);
    if (role == ProgressRole) {
        if (index.column() != Details || !row.item->inProgress())
            return {};
        const qint64 total = row.item->getTotalSize();
        return total > 0 ? int(std::min<qint64>(row.item->getCurrentSize() * 100 / total, 100))
                         : UnknownProgress;
    }
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
    const auto manager = client ? client->getDownloadManager() : nullptr;
    row.awaitingPlayer = manager && manager->isAwaitingPlayer(*item);
    row.noGame = !wow || !wow->exists();
    row.page = row.recognized ? row.recognized->getDocumentUrl()
               : manager      ? manager->getDownloadSource(*item)
                              : QString();
    row.sampleTimeMs = QDateTime::currentMSecsSinceEpoch();
    row.sampleBytes = item->getCurrentSize();
    return row;
}

void DownloadsTableModel::carrySpeed(const Row& earlier, Row& fresh) {
    if (earlier.item != fresh.item || !fresh.item->inProgress())
        return;
    const qint64 elapsed = fresh.sampleTimeMs - earlier.sampleTimeMs;
    // Two looks close together say little: the earlier measure stands and
    // the next one spans the longer time.
    if (elapsed < 250) {
        fresh.sampleTimeMs = earlier.sampleTimeMs;
        fresh.sampleBytes = earlier.sampleBytes;
        fresh.bytesPerSecond = earlier.bytesPerSecond;
        return;
    }
    fresh.bytesPerSecond =
        std::max<qint64>(0, (fresh.sampleBytes - earlier.sampleBytes) * 1000 / elapsed);
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
    for (Row& fresh : newRows)
        for (const Row& earlier : rows)
            if (earlier.item == fresh.item)
                carrySpeed(earlier, fresh);
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
        carrySpeed(rows[i], row);
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
