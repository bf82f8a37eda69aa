#pragma once

#include "client/model/addons/AddonChangeListener.h"
#include "client/model/updates/UpdateListener.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

namespace plenfox::client::model {
class AddonMetadata;
class Client;
} // namespace plenfox::client::model
namespace plenfox::client::wow {
class InstalledWowAddon;
class TocFile;
} // namespace plenfox::client::wow

namespace plenfox::client::ui {

class AddonsPanel;

// The installed addons with their update state, one row each. Rows are
// computed on the thread of the event that changed them and handed to the
// GUI thread whole, so the view never reads a table that is being replaced.
class AddonsTableModel : public QAbstractTableModel,
                         public model::UpdateListener,
                         public model::AddonChangeListener {
public:
    static inline const QString Prefix =
        QStringLiteral("class com.plenfox.kesh.client.ui.AddonsTableModel");
    enum Column { StateIcon, Status, Name, Version, Wow, Author, Notes, ColumnCount };
    // The order the state column sorts in. The first ones are flagged: they
    // come first in the table's own order. NotForVersion: the addon has no
    // TOC this flavour loads. Unknown: the service answered nothing about the
    // addon. NoInformation: there is no answer to go by (updates are switched
    // off, or no query succeeded yet).
    enum class State {
        UpdateAvailable,
        NotForVersion,
        MissingDependency,
        OutOfDate,
        Unknown,
        Ok,
        NoInformation
    };

    // What one addon's state is decided from.
    struct StateFacts {
        bool updateAvailable = false; // the service names another version
        bool outOfDate = false;       // written for another game version
        bool answered = false;        // the service's answer names the addon
        bool updateInfoAvailable = false;
        bool notForVersion = false;     // no TOC the current flavour loads
        bool missingDependency = false; // a required addon is not installed
    };

    struct Row {
        std::shared_ptr<wow::InstalledWowAddon> addon;
        // The service's entry naming another version, when there is one.
        std::shared_ptr<const model::AddonMetadata> update;
        State state = State::NoInformation;
        QString status;
        QString name;
        QString version;
        QString wow;
        QString author;
        QString notes;
        QString title; // without markup, shown as the name's tooltip
    };
    // The game version the rows are compared against.
    struct CurrentVersion {
        std::optional<int> number; // the flavour's interface number
        QString text;              // else the update service's, as text
        QString name;              // its release, for the status text
    };
    // What the rows were computed from, for the information lines.
    struct Summary {
        int addons = 0;
        int availableUpdates = 0;
        int outOfDate = 0;
    };

    AddonsTableModel(AddonsPanel* panel, model::Client* client);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The one rule that ranks an addon's facts into its state: the first
    // that applies of update available, not for this game version, missing
    // dependency, out-of-date, unknown to the service, up-to-date; without
    // update information only the local facts count.
    static State stateOf(const StateFacts& facts);
    static bool isFlagged(State state);
    // The state text of one addon.
    static QString statusText(State state, const QString& updateVersion,
                              const QString& currentWowVersionName,
                              const QStringList& missingDependencies = {});
    // Whether a TOC's interface numbers (or, without numbers, its interface
    // text) match the current version; true when that is unknown.
    static bool isCurrent(const wow::TocFile& toc, const CurrentVersion& current);
    // The WoW column: the release of the number that matches the current
    // version, else of the highest number.
    static QString releaseText(const wow::TocFile& toc, const CurrentVersion& current);
    // The version column: the TOC's version, or "development copy" for an
    // unpackaged one.
    static QString versionText(const QString& version);
    // Rebuilds the rows from the addon manager and the update manager and
    // hands them to the GUI thread. Any thread.
    void refreshUpdates();
    // The addons of the given model rows (GUI thread).
    std::vector<std::shared_ptr<wow::InstalledWowAddon>>
    getSelectedAddons(const std::vector<int>& rows) const;
    const Row& rowAt(int row) const { return rows.at(static_cast<std::size_t>(row)); }
    // The model rows that offer an update, in model order (GUI thread).
    std::vector<int> updateRows() const;

    // UpdateListener
    void afterQuery(model::UpdateManager& manager, bool successful) override;
    void afterRefresh(model::UpdateManager& manager) override;
    void beforeQuery(model::UpdateManager& manager) override;
    void beforeRefresh(model::UpdateManager&) override {}

    // AddonChangeListener
    void addonInstalled(model::AddonManager& manager,
                        const std::shared_ptr<wow::InstalledWowAddon>& addon) override;
    void addonRemoved(model::AddonManager& manager,
                      const std::shared_ptr<wow::InstalledWowAddon>& addon) override;
    void afterPackageInstalled(model::AddonManager&,
                               const std::shared_ptr<model::AddonPackage>&) override {}
    void afterRefresh(model::AddonManager& manager) override;
    void beforePackageInstalled(model::AddonManager&,
                                const std::shared_ptr<model::AddonPackage>&) override {}
    void beforeRefresh(model::AddonManager&) override {}

private:
    // GUI thread: replaces the rows in one reset.
    void apply(std::vector<Row> newRows, Summary summary);
    CurrentVersion currentVersion(bool updateInfoAvailable) const;
    QIcon iconFor(State state) const;

    AddonsPanel* panel;
    model::Client* client;
    std::vector<Row> rows; // GUI thread only
    QIcon okIcon;
    QIcon updateAvailableIcon;
    QIcon outOfDateIcon;
    QIcon unknownIcon;
};

} // namespace plenfox::client::ui
