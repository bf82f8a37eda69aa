#include "client/ui/AddonsPanel.h"
#include "client/ui/TableViews.h"

#include "client/model/App.h"
#include "client/model/BackgroundTasks.h"
#include "client/model/Client.h"
#include "client/model/ClientOptions.h"
#include "client/model/Constants.h"
#include "client/model/addons/AddonManager.h"
#include "client/model/updates/UpdateManager.h"
#include "client/model/updates/UpdateProtocol.h"
#include "client/model/wow/InstalledWowAddon.h"
#include "client/model/wow/WowInstallation.h"
#include "client/ui/AddonsTableModel.h"
#include "client/ui/MessageBoxes.h"
#include "client/ui/PanelHost.h"
#include "client/ui/TableFilter.h"
#include "client/ui/TableSortFilterModel.h"
#include "client/ui/Utilities.h"
#include "lib/util/Paths.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace plenfox::client::ui {

namespace {

QPushButton* makeButton(const QString& icon, const QString& text, QWidget* parent) {
    auto* button = new QPushButton(Utilities::loadIcon(icon), text, parent);
    button->setIconSize(QSize(24, 24));
    return button;
}

int tagNumber(model::UpdateManager& manager, const QString& tag) {
    return manager.getValue(tag).toInt();
}

// The flavour worked on, as its name and version; empty for a game folder
// of the old layout about which nothing more is known.
QString flavourLabel(wow::WowInstallation* wow) {
    const std::optional<wow::WowFlavour> flavour =
        wow && wow->exists() ? wow->currentFlavour() : std::nullopt;
    if (!flavour || !flavour->isKnown())
        return QString();
    return flavour->label();
}

} // namespace

AddonsPanel::AddonsPanel(PanelHost& host, QWidget* parent) : QWidget(parent), host(host) {
    model = new AddonsTableModel(this, host.getClient());
    sorter = new TableSortFilterModel(this);
    sorter->setSourceModel(model);

    installPathLabel = new QLabel(QStringLiteral("Install path: <no WoW installation detected>"));
    installedAddonsLabel = new QLabel(QStringLiteral("0 addons installed."));
    auxInfoLabel = new QLabel(QString());
    for (QLabel* label : {installPathLabel, installedAddonsLabel, auxInfoLabel}) {
        label->setTextFormat(Qt::PlainText);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    auto* informationPanel = new QWidget;
    auto* informationLayout = new QVBoxLayout(informationPanel);
    informationLayout->setContentsMargins(0, 0, 0, 0);
    informationLayout->addWidget(installPathLabel);
    informationLayout->addWidget(installedAddonsLabel);
    informationLayout->addWidget(auxInfoLabel);

    deleteButton = makeButton(QStringLiteral("assets/delete.png"), QStringLiteral("delete"), this);
    browseButton = makeButton(QStringLiteral("assets/browse.png"), QStringLiteral("browse"), this);
    refreshButton =
        makeButton(QStringLiteral("assets/refresh.png"), QStringLiteral("refresh"), this);
    filterField = new QLineEdit(TableFilter::Placeholder, this);
    filterField->setMinimumWidth(160);
    auto* controlsPanel = new QWidget;
    auto* controlsLayout = new QHBoxLayout(controlsPanel);
    controlsLayout->setContentsMargins(0, 0, 0, 0);
    controlsLayout->addWidget(deleteButton);
    controlsLayout->addWidget(browseButton);
    controlsLayout->addWidget(refreshButton);
    controlsLayout->addWidget(filterField);
    controlsLayout->addStretch();

    auto* topPanel = new QWidget;
    auto* topLayout = new QVBoxLayout(topPanel);
    topLayout->setContentsMargins(0, 0, 0, 0);
    topLayout->addWidget(informationPanel);
    topLayout->addWidget(controlsPanel);

    table = createSortedTableView(sorter, this);
    table->setColumnWidth(AddonsTableModel::StateIcon, 26);
    table->setColumnWidth(AddonsTableModel::Status, 270);
    table->setWordWrap(false);
    table->setColumnWidth(AddonsTableModel::Name, 180);
    table->setColumnWidth(AddonsTableModel::Author, 140);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(topPanel);
    layout->addWidget(table, 1);

    tableFilter = new TableFilter(filterField, sorter);
    connect(deleteButton, &QPushButton::clicked, this, [this] { deleteSelected(); });
    connect(browseButton, &QPushButton::clicked, this, [this] { browseSelected(); });
    connect(refreshButton, &QPushButton::clicked, this, [this] { refresh(); });
}

QStringList AddonsPanel::informationLines() const {
    return {installPathLabel->text(), installedAddonsLabel->text(), auxInfoLabel->text()};
}

void AddonsPanel::changeInformation(std::function<void(InfoPanelData&)> change) {
    QMetaObject::invokeMethod(
        this,
        [this, change = std::move(change)] {
            change(infoPanel);
            showInformation();
        },
        Qt::QueuedConnection);
}

void AddonsPanel::showInformation() {
    const std::array<QString, 3> lines = infoPanel.copy().lines();
    installPathLabel->setText(lines[0]);
    installedAddonsLabel->setText(lines[1]);
    auxInfoLabel->setText(lines[2]);
}

void AddonsPanel::setInformation(model::AddonManager& addonManager) {
    model::Client* client = addonManager.getClient();
    wow::WowInstallation* wow = client ? client->getWow() : nullptr;
    const std::optional<std::filesystem::path> root = wow ? wow->gameFolder() : std::nullopt;
    const QString path = root ? util::pathText(*root) : QStringLiteral("<not installed>");
    const QString flavour = flavourLabel(wow);
    const int addons = addonManager.getAddonsSize();
    const bool disabled =
        !client || !client->getOptions() || !client->getOptions()->getUpdatesEnabled();
    changeInformation([path, flavour, addons, disabled](InfoPanelData& data) {
        data.installPath = path;
        data.flavour = flavour;
        data.addons = addons;
        data.updatesDisabled = disabled;
    });
}

void AddonsPanel::beforeQuery() {
    changeInformation([](InfoPanelData& data) { data.runningQuery = true; });
}

void AddonsPanel::afterQuery(model::UpdateManager& manager, bool) {
    changeInformation([](InfoPanelData& data) { data.runningQuery = false; });
    setUpdateInformation(manager);
}

void AddonsPanel::setUpdateInformation(model::UpdateManager& manager) {
    model::Client* client = host.getClient();
    const bool enabled =
        client && client->getOptions() && client->getOptions()->getUpdatesEnabled();
    const bool haveData = enabled && manager.getStoredResult() != nullptr;
    const int learnedPackages = tagNumber(manager, model::UpdateProtocol::TagWowLearnedPackages);
    const int learnedAddons = tagNumber(manager, model::UpdateProtocol::TagWowLearnedAddons);
    const QString message = manager.getValue(model::UpdateProtocol::TagServerMessage);
    changeInformation([=](InfoPanelData& data) {
        data.updatesDisabled = !enabled;
        data.haveUpdateData = haveData;
        data.learnedPackages = learnedPackages;
        data.learnedAddons = learnedAddons;
        data.serverMessage = message;
    });
}

void AddonsPanel::setAddonSummary(int addons, int availableUpdates, int outOfDate) {
    infoPanel.addons = addons;
    infoPanel.availableUpdates = availableUpdates;
    infoPanel.outOfDateAddons = outOfDate;
    showInformation();
}

std::vector<int> AddonsPanel::getModelSelection() const {
    std::vector<int> rows;
    for (const QModelIndex& index : table->selectionModel()->selectedRows())
        rows.push_back(sorter->mapToSource(index).row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::pair<QString, QString> AddonsPanel::removalQuestion(const QStringList& names,
                                                         const QStringList& dependants) {
    const qsizetype count = names.size();
    // Without the removed addons the game does not load these.
    const QString required = dependants.isEmpty()
                                 ? QString()
                                 : QStringLiteral("\n\n") +
                                       (count == 1 ? names.constFirst() + QStringLiteral(" is")
                                                   : QStringLiteral("They are")) +
                                       QStringLiteral(" required by ") +
                                       dependants.join(QStringLiteral(", ")) + QLatin1Char('.');
    if (count == 1)
        return {QStringLiteral("Remove addon?"), QStringLiteral("Really remove ") +
                                                     names.constFirst() + QLatin1Char('?') +
                                                     required};
    QString text = QStringLiteral("Really remove ") + names.mid(0, 5).join(QStringLiteral(", "));
    if (count > 5)
        text += QStringLiteral(" and ") + QString::number(count - 5) + QStringLiteral(" others");
    text += QLatin1Char('?') + required;
    return {QStringLiteral("Remove ") + QString::number(count) + QStringLiteral(" addons?"), text};
}

void AddonsPanel::deleteSelected() {
    // The addons themselves, taken now: the rows may be replaced while the
    // question is open.
    const auto addons = model->getSelectedAddons(getModelSelection());
    if (addons.empty())
        return;
    QStringList names;
    for (const auto& addon : addons)
        names << addon->getName();
    model::Client* client = host.readyClient();
    const auto manager = client ? client->getAddonManager() : nullptr;
    const QStringList dependants = manager ? manager->getDependants(addons) : QStringList();
    const auto [title, text] = removalQuestion(names, dependants);
    if (!MessageBoxes::askYesNo(host.dialogOwner(), title, text))
        return;
    // The client may have restarted while the question was open.
    client = host.readyClient();
    const auto current = client ? client->getAddonManager() : nullptr;
    if (!current)
        return;
    host.backgroundTasks().run(QStringLiteral("removeAddons"),
                               [current, addons] { current->removeAddons(addons); });
}

void AddonsPanel::browseSelected() {
    const auto addons = model->getSelectedAddons(getModelSelection());
    model::Client* client = host.readyClient();
    const auto manager = client ? client->getAddonManager() : nullptr;
    if (addons.empty() || !manager)
        host.navigate(Constants::DefaultUrl);
    else
        host.navigate(manager->getBrowseUrl(addons.front()));
}

void AddonsPanel::refresh() {
    tableFilter->reset();
    model::Client* client = host.readyClient();
    if (const auto manager = client ? client->getAddonManager() : nullptr)
        manager->refreshAddonsAsync();
}

} // namespace plenfox::client::ui
