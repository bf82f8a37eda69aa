#include "client/ui/AddonsTableModel.h"

#include "client/model/App.h"
#include "client/model/Client.h"
#include "client/model/ClientOptions.h"
#include "client/model/addons/AddonManager.h"
#include "client/model/updates/UpdateManager.h"
#include "client/model/updates/UpdateProtocol.h"
#include "client/model/updates/UpdateResult.h"
#include "client/model/wow/InstalledWowAddon.h"
#include "client/model/wow/ReleaseVersions.h"
#include "client/model/wow/TocFile.h"
#include "client/model/wow/TocMarkup.h"
#include "client/model/wow/WowInstallation.h"
#include "client/ui/AddonsPanel.h"
#include "client/ui/TableSortFilterModel.h"
#include "client/ui/Utilities.h"

#include <QCollator>
#include <QSet>
#include <algorithm>

namespace plenfox::client::ui {

namespace {

const QString Headers[] = {QString(),
                           QStringLiteral("Status"),
                           QStringLiteral("Name"),
                           QStringLiteral("Version"),
                           QStringLiteral("WoW"),
                           QStringLiteral("Author"),
                           QStringLiteral("Notes")};

// The update on offer for an addon of that name, if any.
const model::AvailableUpdate* findUpdate(const std::vector<model::AvailableUpdate>& updates,
                                         const QString& name) {
    for (const model::AvailableUpdate& update : updates)
        if (update.getInstalled() && update.getInstalled()->getName() == name)
            return &update;
    return nullptr;
}

} // namespace

AddonsTableModel::AddonsTableModel(AddonsPanel* panel, model::Client* client)
    : QAbstractTableModel(panel), panel(panel), client(client),
      okIcon(Utilities::loadIcon(QStringLiteral("assets/check.png"))),
      updateAvailableIcon(Utilities::loadIcon(QStringLiteral("assets/downloads24x24.png"))),
      outOfDateIcon(Utilities::loadIcon(QStringLiteral("assets/outofdate.png"))),
      unknownIcon(Utilities::loadIcon(QStringLiteral("assets/unknown.png"))) {}

int AddonsTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows.size());
}

int AddonsTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant AddonsTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= ColumnCount)
        return {};
    return Headers[section];
}

QIcon AddonsTableModel::iconFor(State state) const {
    switch (state) {
    case State::UpdateAvailable:
        return updateAvailableIcon;
    case State::NotForVersion:
    case State::MissingDependency:
    case State::OutOfDate:
        return outOfDateIcon;
    case State::Unknown:
        return unknownIcon;
    case State::Ok:
        return okIcon;
    case State::NoInformation:
        break;
    }
    // Nothing is known: no check mark that would claim otherwise.
    return QIcon();
}

QVariant AddonsTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= ColumnCount)
        return {};
    const Row& row = rows[static_cast<std::size_t>(index.row())];
    if (index.column() == StateIcon) {
        if (role == Qt::DecorationRole) {
            const QIcon icon = iconFor(row.state);
            return icon.isNull() ? QVariant() : QVariant(icon);
        }
        if (role == TableSortFilterModel::UnderlyingDataRole)
            return static_cast<int>(row.state);
        if (role == Qt::ToolTipRole)
            return row.status;
        return {};
    }
    if (role != Qt::DisplayRole && role != TableSortFilterModel::UnderlyingDataRole &&
        role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case Status:
        return row.status;
    case Name:
        if (role == Qt::ToolTipRole && !row.title.isEmpty())
            return row.title;
        return row.name;
    case Version:
        return row.version;
    case Wow:
        return row.wow;
    case Author:
        return row.author;
    case Notes:
        return row.notes;
    default:
        return {};
    }
}

AddonsTableModel::State AddonsTableModel::stateOf(const StateFacts& facts) {
    if (facts.updateInfoAvailable && facts.updateAvailable)
        return State::UpdateAvailable;
    if (facts.notForVersion)
        return State::NotForVersion;
    if (facts.missingDependency)
        return State::MissingDependency;
    if (facts.outOfDate)
        return State::OutOfDate;
    if (!facts.updateInfoAvailable)
        return State::NoInformation;
    return facts.answered ? State::Ok : State::Unknown;
}

bool AddonsTableModel::isFlagged(State state) {
    return state < State::Unknown;
}

QString AddonsTableModel::statusText(State state, const QString& updateVersion,
                                     const QString& currentWowVersionName,
                                     const QStringList& missingDependencies) {
    switch (state) {
    case State::UpdateAvailable:
        return QStringLiteral("update available: ") + updateVersion;
    case State::NotForVersion:
        return QStringLiteral("not for this game version");
    case State::MissingDependency:
        return (missingDependencies.size() == 1 ? QStringLiteral("missing dependency: ")
                                                : QStringLiteral("missing dependencies: ")) +
               missingDependencies.join(QStringLiteral(", "));
    case State::OutOfDate:
        return currentWowVersionName.isEmpty()
                   ? QStringLiteral("out-of-date")
                   : QStringLiteral("out-of-date for wow ") + currentWowVersionName;
    case State::Unknown:
        return QStringLiteral("unknown to the update service");
    case State::Ok:
        return QStringLiteral("up-to-date");
    case State::NoInformation:
        break;
    }
    // The information lines say once why nothing is known.
    return QString(QLatin1String(""));
}

bool AddonsTableModel::isCurrent(const wow::TocFile& toc, const CurrentVersion& current) {
    const std::vector<int> numbers = toc.getInterfaceNumbers();
    if (current.number)
        return std::find(numbers.begin(), numbers.end(), *current.number) != numbers.end();
    if (current.text.isEmpty())
        return true;
    bool numeric = false;
    const int serviceNumber = current.text.toInt(&numeric);
    if (numeric && std::find(numbers.begin(), numbers.end(), serviceNumber) != numbers.end())
        return true;
    // Compared as text, as the service's version always was.
    return toc.getInterface() == current.text;
}

QString AddonsTableModel::releaseText(const wow::TocFile& toc, const CurrentVersion& current) {
    const std::vector<int> numbers = toc.getInterfaceNumbers();
    if (numbers.empty())
        return wow::ReleaseVersions::getInterfaceVersionName(toc.getInterface())
            .value_or(QString());
    int shown = *std::max_element(numbers.begin(), numbers.end());
    bool numeric = false;
    const int wanted = current.number ? *current.number : current.text.toInt(&numeric);
    if ((current.number || numeric) &&
        std::find(numbers.begin(), numbers.end(), wanted) != numbers.end())
        shown = wanted;
    return wow::ReleaseVersions::versionNameFor(shown);
}

QString AddonsTableModel::versionText(const QString& version) {
    return wow::TocMarkup::isDevelopmentVersion(version) ? QStringLiteral("development copy")
                                                         : version;
}

AddonsTableModel::CurrentVersion AddonsTableModel::currentVersion(bool updateInfoAvailable) const {
    CurrentVersion current;
    wow::WowInstallation* wow = client ? client->getWow() : nullptr;
    const std::optional<wow::WowFlavour> flavour = wow ? wow->currentFlavour() : std::nullopt;
    current.number = flavour ? flavour->interfaceNumber() : std::nullopt;
    if (current.number) {
        current.name = wow::ReleaseVersions::versionNameFor(*current.number);
        return current;
    }
    // Without the flavour's build, the version the update service names.
    const auto updateManager = client ? client->getUpdateManager() : nullptr;
    if (updateInfoAvailable && updateManager) {
        current.text = updateManager->getValue(model::UpdateProtocol::TagWowVersion);
        current.name = updateManager->getValue(model::UpdateProtocol::TagWowVersionName);
    }
    return current;
}

void AddonsTableModel::refreshUpdates() {
    const auto addonManager = client ? client->getAddonManager() : nullptr;
    if (!addonManager)
        return;
    // Before the first scan an empty list would wrongly read "no addons".
    if (!addonManager->isLoaded()) {
        App::log(Prefix + QStringLiteral(".refreshUpdates: addons not loaded yet"));
        return;
    }
    const auto updateManager = client->getUpdateManager();
    const bool enabled = client->getOptions() && client->getOptions()->getUpdatesEnabled();
    // Update information counts only while the player allows it.
    const bool updateInfoAvailable =
        enabled && updateManager && updateManager->getStoredResult() != nullptr;
    const std::vector<model::AvailableUpdate> updates =
        updateInfoAvailable ? updateManager->getUpdates() : std::vector<model::AvailableUpdate>();
    const CurrentVersion current = currentVersion(updateInfoAvailable);
    App::log(Prefix + QStringLiteral(".updateWowVersion [") +
             (current.number ? QString::number(*current.number) : current.text) +
             QStringLiteral("] (") + current.name + QLatin1Char(')'));

    const std::vector<std::shared_ptr<wow::InstalledWowAddon>> addons = addonManager->getAddons();
    const std::vector<QStringList> missing = addonManager->getMissingDependencies(addons);

    // The names the answer speaks of, as the update manager matches them.
    QSet<QString> answered;
    if (updateInfoAvailable)
        if (const auto result = updateManager->getStoredResult())
            for (const auto& entry : result->getAddons())
                answered.insert(entry->getName());

    std::vector<Row> flagged;
    std::vector<Row> others;
    Summary summary;
    for (std::size_t i = 0; i < addons.size(); ++i) {
        const std::shared_ptr<wow::InstalledWowAddon>& addon = addons[i];
        const std::shared_ptr<const wow::TocFile> toc = addon->getToc();
        Row row;
        row.addon = addon;
        row.name = addon->getName();
        row.version = versionText(addon->getVersionName());
        row.wow = toc ? releaseText(*toc, current) : QString();
        row.author = toc ? wow::TocMarkup::strip(toc->getAuthor()) : QString();
        row.notes = toc ? wow::TocMarkup::strip(toc->getNotes()) : QString();
        row.title = toc ? wow::TocMarkup::strip(toc->getTitle()) : QString();
        const model::AvailableUpdate* update = findUpdate(updates, row.name);
        StateFacts facts;
        facts.updateInfoAvailable = updateInfoAvailable;
        facts.updateAvailable = update != nullptr;
        facts.notForVersion = !addon->isForFlavour();
        facts.missingDependency = !missing[i].isEmpty();
        facts.outOfDate = toc && !isCurrent(*toc, current);
        facts.answered = answered.contains(row.name);
        row.state = stateOf(facts);
        QString updateVersion;
        if (row.state == State::UpdateAvailable) {
            row.update = update->getUpdate();
            updateVersion = row.update ? row.update->getVersion() : QString();
            ++summary.availableUpdates;
        } else if (row.state == State::OutOfDate) {
            ++summary.outOfDate;
        }
        row.status = statusText(row.state, updateVersion, current.name, missing[i]);
        (isFlagged(row.state) ? flagged : others).push_back(std::move(row));
    }
    // Inside each group by name, as a person reads names.
    const QCollator order = TableSortFilterModel::textOrder();
    const auto byName = [&order](const Row& a, const Row& b) {
        const int compared = order.compare(a.name, b.name);
        return compared != 0 ? compared < 0 : a.name < b.name;
    };
    std::stable_sort(flagged.begin(), flagged.end(), byName);
    std::stable_sort(others.begin(), others.end(), byName);
    summary.addons = static_cast<int>(flagged.size() + others.size());
    App::log(Prefix + QStringLiteral(".refreshUpdates: sorted addons ") +
             QString::number(summary.addons) + QStringLiteral(" addons ") +
             QString::number(others.size()) + QStringLiteral(" up-to-date ") +
             QString::number(flagged.size()) + QStringLiteral(" update list ") +
             QString::number(summary.availableUpdates) + QStringLiteral(" updates"));
    flagged.insert(flagged.end(), std::make_move_iterator(others.begin()),
                   std::make_move_iterator(others.end()));
    QMetaObject::invokeMethod(
        this,
        [this, newRows = std::move(flagged), summary]() mutable {
            apply(std::move(newRows), summary);
        },
        Qt::QueuedConnection);
}

void AddonsTableModel::apply(std::vector<Row> newRows, Summary summary) {
    beginResetModel();
    rows = std::move(newRows);
    endResetModel();
    panel->setAddonSummary(summary.addons, summary.availableUpdates, summary.outOfDate);
}

std::vector<std::shared_ptr<wow::InstalledWowAddon>>
AddonsTableModel::getSelectedAddons(const std::vector<int>& selected) const {
    std::vector<std::shared_ptr<wow::InstalledWowAddon>> addons;
    for (int row : selected)
        if (row >= 0 && row < rowCount())
            addons.push_back(rows[static_cast<std::size_t>(row)].addon);
    return addons;
}

std::vector<int> AddonsTableModel::updateRows() const {
    std::vector<int> found;
    for (std::size_t row = 0; row < rows.size(); ++row)
        if (rows[row].state == State::UpdateAvailable)
            found.push_back(static_cast<int>(row));
    return found;
}

void AddonsTableModel::beforeQuery(model::UpdateManager&) {
    panel->beforeQuery();
}

void AddonsTableModel::afterQuery(model::UpdateManager& manager, bool successful) {
    panel->afterQuery(manager, successful);
}

void AddonsTableModel::afterRefresh(model::UpdateManager& manager) {
    App::log(Prefix + QStringLiteral(".afterRefresh(UpdateManager)"));
    panel->setUpdateInformation(manager);
    refreshUpdates();
}

void AddonsTableModel::addonInstalled(model::AddonManager&,
                                      const std::shared_ptr<wow::InstalledWowAddon>&) {
    refreshUpdates();
}

void AddonsTableModel::addonRemoved(model::AddonManager&,
                                    const std::shared_ptr<wow::InstalledWowAddon>&) {
    refreshUpdates();
}

void AddonsTableModel::afterRefresh(model::AddonManager&) {
    refreshUpdates();
}

} // namespace plenfox::client::ui
