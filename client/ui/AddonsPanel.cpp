#include "client/ui/AddonsPanel.h"
#include "client/ui/TableViews.h"

#include "client/model/App.h"
#include "client/model/BackgroundTasks.h"
#include "client/model/Client.h"
#include "client/model/ClientOptions.h"
#include "client/model/Constants.h"
#include "client/model/addons/AddonManager.h"
#include "client/model/downloads/PackageFetcher.h"
#include "client/model/updates/AddonMetadata.h"
#include "client/model/updates/UpdateManager.h"
#include "client/model/updates/UpdateProtocol.h"
#include "client/model/wow/InstalledWowAddon.h"
#include "client/model/wow/WowInstallation.h"
#include "client/ui/AddonsTableModel.h"
#include "client/ui/MessageBoxes.h"
#include "client/ui/PanelHost.h"
#include "client/ui/TableFilter.h"
#include "client/ui/TableSortFilterModel.h"
#include "client/ui/TableSortMemory.h"
#include "client/ui/Utilities.h"
#include "lib/util/Paths.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace plenfox::client::ui {

namespace {

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

// The widest a column grows to fit its texts; wider texts are cut with an
// ellipsis and shown whole in the tooltip.
constexpr int WidestFittedColumn = 320;

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
        // A long install path must not make the window wider than the screen.
        label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    }
    installPathLabel->setObjectName(QStringLiteral("installPathLabel"));
    auto* informationPanel = new QWidget;
    auto* informationLayout = new QVBoxLayout(informationPanel);
    informationLayout->setContentsMargins(0, 0, 0, 0);
    informationLayout->addWidget(installPathLabel);
    informationLayout->addWidget(installedAddonsLabel);
    informationLayout->addWidget(auxInfoLabel);

    deleteButton = createPanelButton(QStringLiteral("assets/delete.png"), QStringLiteral("&delete"),
                                     QStringLiteral("deleteAddonsButton"), this);
    browseButton = createPanelButton(QStringLiteral("assets/browse.png"), QStringLiteral("&browse"),
                                     QStringLiteral("browseButton"), this);
    refreshButton =
        createPanelButton(QStringLiteral("assets/refresh.png"), QStringLiteral("&refresh"),
                          QStringLiteral("refreshAddonsButton"), this);
    updateButton =
        createPanelButton(QStringLiteral("assets/downloads24x24.png"), QStringLiteral("&update"),
                          QStringLiteral("updateButton"), this);
    updateAllButton =
        createPanelButton(QStringLiteral("assets/downloads24x24.png"),
                          QStringLiteral("update &all"), QStringLiteral("updateAllButton"), this);
    // Each button answers Alt and its underlined letter.
    updateButton->setToolTip(QStringLiteral("Download and install the selected addons' updates"));
    updateAllButton->setToolTip(QStringLiteral("Download and install every update available"));
    filterField = new QLineEdit(TableFilter::Placeholder, this);
    filterField->setObjectName(QStringLiteral("addonsFilterField"));
    filterField->setMinimumWidth(120);
    auto* controlsPanel = new QWidget;
    auto* controlsLayout = new QHBoxLayout(controlsPanel);
    controlsLayout->setContentsMargins(0, 0, 0, 0);
    for (QPushButton* button :
         {updateButton, updateAllButton, deleteButton, browseButton, refreshButton})
        controlsLayout->addWidget(button);
    controlsLayout->addWidget(filterField, 1);

    auto* topPanel = new QWidget;
    auto* topLayout = new QVBoxLayout(topPanel);
    topLayout->setContentsMargins(0, 0, 0, 0);
    topLayout->addWidget(informationPanel);
    topLayout->addWidget(controlsPanel);

    table = createSortedTableView(sorter, this);
    table->setObjectName(QStringLiteral("addonsTable"));
    table->setWordWrap(false);
    // Every column stays within reach in a narrow window.
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    table->setColumnWidth(AddonsTableModel::StateIcon, 26);
    table->setColumnWidth(AddonsTableModel::Name, 180);
    table->setColumnWidth(AddonsTableModel::Author, 140);
    sortMemory = new TableSortMemory(table, QStringLiteral("addons"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(topPanel);
    layout->addWidget(table, 1);

    // The same actions from the buttons, the context menu and the keyboard.
    updateAction =
        createPanelAction(QStringLiteral("&Update"), QStringLiteral("updateAction"), this);
    updateAllAction =
        createPanelAction(QStringLiteral("Update &all"), QStringLiteral("updateAllAction"), this);
    deleteAction = createPanelAction(QStringLiteral("&Delete ..."),
                                     QStringLiteral("deleteAddonsAction"), this);
    browseAction =
        createPanelAction(QStringLiteral("&Browse"), QStringLiteral("browseAction"), this);
    refreshAction =
        createPanelAction(QStringLiteral("&Refresh"), QStringLiteral("refreshAddonsAction"), this);
    deleteAction->setShortcut(QKeySequence::Delete);
    deleteAction->setShortcutContext(Qt::WidgetShortcut);
    table->addAction(deleteAction);

    tableFilter = new TableFilter(filterField, sorter);
    connect(deleteButton, &QPushButton::clicked, deleteAction, &QAction::trigger);
    connect(browseButton, &QPushButton::clicked, browseAction, &QAction::trigger);
    connect(refreshButton, &QPushButton::clicked, refreshAction, &QAction::trigger);
    connect(updateButton, &QPushButton::clicked, updateAction, &QAction::trigger);
    connect(updateAllButton, &QPushButton::clicked, updateAllAction, &QAction::trigger);
    connect(deleteAction, &QAction::triggered, this, [this] { deleteSelected(); });
    connect(browseAction, &QAction::triggered, this, [this] { browseSelected(); });
    connect(refreshAction, &QAction::triggered, this, [this] { refresh(); });
    connect(updateAction, &QAction::triggered, this, [this] { updateSelected(); });
    connect(updateAllAction, &QAction::triggered, this, [this] { updateAll(); });

    table->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(table, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& position) { showContextMenu(position); });
    connect(table, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        const int row = sorter->mapToSource(index).row();
        if (row >= 0 && row < model->rowCount() &&
            model->rowAt(row).state == AddonsTableModel::State::UpdateAvailable)
            update({row});
    });
    connect(table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { enableActions(); });
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        enableActions();
        fitColumns();
    });
    enableActions();

    // Tab walks the controls as they are laid out: buttons, search, table.
    QWidget::setTabOrder(updateButton, updateAllButton);
    QWidget::setTabOrder(updateAllButton, deleteButton);
    QWidget::setTabOrder(deleteButton, browseButton);
    QWidget::setTabOrder(browseButton, refreshButton);
    QWidget::setTabOrder(refreshButton, filterField);
    QWidget::setTabOrder(filterField, table);
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
    for (auto [label, line] :
         {std::pair{installPathLabel, lines[0]}, std::pair{installedAddonsLabel, lines[1]},
          std::pair{auxInfoLabel, lines[2]}}) {
        label->setText(line);
        // A line cut by a narrow window is read whole from its tooltip.
        label->setToolTip(line);
    }
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
    return selectedSourceRows(*table, *sorter);
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

void AddonsPanel::enableActions() {
    bool selectedUpdate = false;
    for (int row : getModelSelection())
        if (row < model->rowCount() &&
            model->rowAt(row).state == AddonsTableModel::State::UpdateAvailable)
            selectedUpdate = true;
    const bool anyUpdate = !model->updateRows().empty();
    const bool anySelected = table->selectionModel()->hasSelection();
    updateButton->setEnabled(selectedUpdate);
    updateAction->setEnabled(selectedUpdate);
    updateAllButton->setEnabled(anyUpdate);
    updateAllAction->setEnabled(anyUpdate);
    deleteAction->setEnabled(anySelected);
}

void AddonsPanel::fitColumns() {
    for (int column : {AddonsTableModel::Status, AddonsTableModel::Name, AddonsTableModel::Version,
                       AddonsTableModel::Wow, AddonsTableModel::Author}) {
        table->resizeColumnToContents(column);
        if (table->columnWidth(column) > WidestFittedColumn)
            table->setColumnWidth(column, WidestFittedColumn);
    }
}

void AddonsPanel::showContextMenu(const QPoint& position) {
    QMenu menu(this);
    menu.addAction(updateAction);
    menu.addAction(updateAllAction);
    menu.addSeparator();
    menu.addAction(browseAction);
    menu.addAction(deleteAction);
    menu.addSeparator();
    menu.addAction(refreshAction);
    menu.exec(table->viewport()->mapToGlobal(position));
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
    if (!MessageBoxes::askToDelete(host.dialogOwner(), title, text))
        return;
    // The client may have restarted while the question was open, perhaps on
    // another game folder or flavour: the addons asked about are then not
    // the ones a new manager would remove by their names.
    client = host.readyClient();
    const auto current = client ? client->getAddonManager() : nullptr;
    if (!current || current != manager) {
        App::log(QStringLiteral("AddonsPanel.deleteSelected: the client restarted while the "
                                "question was open; nothing removed"));
        return;
    }
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

void AddonsPanel::updateSelected() {
    update(getModelSelection());
}

void AddonsPanel::updateAll() {
    update(model->updateRows());
}

void AddonsPanel::update(const std::vector<int>& rows) {
    model::Client* client = host.readyClient();
    const auto fetcher = client ? client->getPackageFetcher() : nullptr;
    const auto addonManager = client ? client->getAddonManager() : nullptr;
    if (!fetcher || !addonManager) {
        // The rows shown may belong to a client that is restarting.
        MessageBoxes::showInformation(
            host.dialogOwner(), QStringLiteral("Updates to fetch"),
            QStringLiteral("Plenfox Client is still starting; try again in a moment."));
        return;
    }
    // One fetch per package: the addons of one package share its address.
    std::vector<model::PackageFetcher::Request> requests;
    QStringList withoutAddress;
    std::shared_ptr<wow::InstalledWowAddon> firstWithoutAddress;
    for (int row : rows) {
        if (row < 0 || row >= model->rowCount())
            continue;
        const AddonsTableModel::Row& shown = model->rowAt(row);
        if (shown.state != AddonsTableModel::State::UpdateAvailable || !shown.update)
            continue;
        const QString url = shown.update->getDownloadUrl();
        if (url.isEmpty()) {
            withoutAddress << shown.name;
            if (!firstWithoutAddress)
                firstWithoutAddress = shown.addon;
            continue;
        }
        const auto same = std::find_if(requests.begin(), requests.end(),
                                       [&url](const auto& request) { return request.url == url; });
        if (same != requests.end()) {
            same->label += QStringLiteral(", ") + shown.name;
            continue;
        }
        requests.push_back({url, shown.update->getDocumentUrl(), shown.name});
    }
    QPointer<AddonsPanel> self(this);
    const auto report = [self](const model::PackageFetcher::Request& request,
                               const QString& problem) {
        QMetaObject::invokeMethod(
            self.data(),
            [self, label = request.label, problem] {
                if (self && !self->host.closeRequested())
                    MessageBoxes::showError(
                        self->host.dialogOwner(), QStringLiteral("Update failed"),
                        QStringLiteral("The update of ") + label +
                            QStringLiteral(" could not be downloaded: ") + problem);
            },
            Qt::QueuedConnection);
    };
    int queued = 0;
    for (model::PackageFetcher::Request& request : requests) {
        App::log(QStringLiteral("AddonsPanel.update: fetching the update of [") + request.label +
                 QStringLiteral("] from [") + request.url + QLatin1Char(']'));
        if (fetcher->fetch(request, report))
            ++queued;
        else // the fetcher stopped, or the address is none it fetches
            report(request, QStringLiteral("the client could not start fetching it."));
    }
    if (queued > 0)
        host.showDownloadsTab();
    if (withoutAddress.isEmpty())
        return;
    // Without an address the addon's page is the way to its update; with
    // several, the player is told which, not just shown the first page.
    if (queued == 0 && withoutAddress.size() == 1) {
        host.navigate(addonManager->getBrowseUrl(firstWithoutAddress));
        return;
    }
    MessageBoxes::showInformation(
        host.dialogOwner(), QStringLiteral("Updates to fetch by hand"),
        QStringLiteral("The update service named no download for ") +
            withoutAddress.join(QStringLiteral(", ")) +
            QStringLiteral(". Select one of them alone and press update to open its page."));
}

} // namespace plenfox::client::ui
