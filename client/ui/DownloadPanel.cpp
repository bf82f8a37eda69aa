#include "client/ui/DownloadPanel.h"
#include "client/ui/TableViews.h"

#include "client/model/App.h"
#include "client/model/BackgroundTasks.h"
#include "client/model/Client.h"
#include "client/model/Constants.h"
#include "client/model/addons/AddonManager.h"
#include "client/model/downloads/DownloadItem.h"
#include "client/model/downloads/DownloadManager.h"
#include "client/model/downloads/DownloadRecognizer.h"
#include "client/model/downloads/RecognizedItem.h"
#include "client/model/events/EventDispatcher.h"
#include "client/model/wow/WowInstallation.h"
#include "client/ui/DesktopOpener.h"
#include "client/ui/DownloadProgressDelegate.h"
#include "client/ui/DownloadsTableModel.h"
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
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

namespace plenfox::client::ui {

DownloadPanel::DownloadPanel(PanelHost& host, QWidget* parent) : QWidget(parent), host(host) {
    model = new DownloadsTableModel(host.getClient(), this);
    sorter = new TableSortFilterModel(this);
    sorter->setSourceModel(model);

    clearButton = createPanelButton(QStringLiteral("assets/delete.png"), QStringLiteral("&delete"),
                                    QStringLiteral("deleteDownloadsButton"), this);
    refreshButton =
        createPanelButton(QStringLiteral("assets/refresh.png"), QStringLiteral("&refresh"),
                          QStringLiteral("refreshDownloadsButton"), this);
    installButton =
        createPanelButton(QStringLiteral("assets/reinstall.png"), QStringLiteral("&install"),
                          QStringLiteral("installButton"), this);
    openButton = createPanelButton(QStringLiteral("assets/folder.png"), QStringLiteral("&open"),
                                   QStringLiteral("openButton"), this);
    cancelButton = createPanelButton(QStringLiteral("assets/cancel.png"), QStringLiteral("&cancel"),
                                     QStringLiteral("cancelDownloadButton"), this);
    cancelButton->setToolTip(
        QStringLiteral("Stop the selected downloads; nothing of them is kept"));
    filterField = new QLineEdit(TableFilter::Placeholder, this);
    filterField->setObjectName(QStringLiteral("downloadsFilterField"));
    // About 20 characters wide.
    filterField->setMinimumWidth(filterField->fontMetrics().averageCharWidth() * 20 + 12);

    auto* controlsPanel = new QWidget;
    auto* controlsLayout = new QHBoxLayout(controlsPanel);
    controlsLayout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* widget :
         {static_cast<QWidget*>(clearButton), static_cast<QWidget*>(refreshButton),
          static_cast<QWidget*>(installButton), static_cast<QWidget*>(openButton),
          static_cast<QWidget*>(cancelButton), static_cast<QWidget*>(filterField)})
        controlsLayout->addWidget(widget);
    controlsLayout->addStretch();

    downloadsTable = createSortedTableView(sorter, this);
    downloadsTable->setObjectName(QStringLiteral("downloadsTable"));
    downloadsTable->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    downloadsTable->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    downloadsTable->setWordWrap(false);
    downloadsTable->setColumnWidth(DownloadsTableModel::StateIcon, 26);
    downloadsTable->setColumnWidth(DownloadsTableModel::File, 300);
    downloadsTable->setColumnWidth(DownloadsTableModel::Size, 90);
    downloadsTable->setColumnWidth(DownloadsTableModel::Date, 200);
    downloadsTable->setItemDelegateForColumn(DownloadsTableModel::Details,
                                             new DownloadProgressDelegate(downloadsTable));
    sortMemory = new TableSortMemory(downloadsTable, QStringLiteral("downloads"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(controlsPanel);
    layout->addWidget(downloadsTable, 1);

    // The same actions from the buttons, the context menu and the keyboard.
    deleteAction = createPanelAction(QStringLiteral("&Delete ..."),
                                     QStringLiteral("deleteDownloadsAction"), this);
    refreshAction = createPanelAction(QStringLiteral("&Refresh"),
                                      QStringLiteral("refreshDownloadsAction"), this);
    installAction =
        createPanelAction(QStringLiteral("&Install"), QStringLiteral("installAction"), this);
    openAction = createPanelAction(QStringLiteral("&Open"), QStringLiteral("openAction"), this);
    cancelAction = createPanelAction(QStringLiteral("&Cancel download"),
                                     QStringLiteral("cancelDownloadAction"), this);
    deleteAction->setShortcut(QKeySequence::Delete);
    deleteAction->setShortcutContext(Qt::WidgetShortcut);
    downloadsTable->addAction(deleteAction);

    tableFilter = new TableFilter(filterField, sorter);
    connect(clearButton, &QPushButton::clicked, deleteAction, &QAction::trigger);
    connect(refreshButton, &QPushButton::clicked, refreshAction, &QAction::trigger);
    connect(installButton, &QPushButton::clicked, installAction, &QAction::trigger);
    connect(openButton, &QPushButton::clicked, openAction, &QAction::trigger);
    connect(cancelButton, &QPushButton::clicked, cancelAction, &QAction::trigger);
    connect(deleteAction, &QAction::triggered, this, [this] { deleteSelected(); });
    connect(refreshAction, &QAction::triggered, this, [this] { refresh(); });
    connect(installAction, &QAction::triggered, this, [this] { installSelected(); });
    connect(openAction, &QAction::triggered, this, [this] { openSelected(); });
    connect(cancelAction, &QAction::triggered, this, [this] { cancelSelected(); });

    downloadsTable->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(downloadsTable, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& position) { showContextMenu(position); });
    connect(downloadsTable, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { activate(index); });
    connect(downloadsTable->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { enableActions(); });
    connect(model, &QAbstractItemModel::modelReset, this, [this] { enableActions(); });
    connect(model, &QAbstractItemModel::dataChanged, this, [this] { enableActions(); });
    enableActions();

    // Tab walks the controls as they are laid out: buttons, search, table.
    QWidget::setTabOrder(clearButton, refreshButton);
    QWidget::setTabOrder(refreshButton, installButton);
    QWidget::setTabOrder(installButton, openButton);
    QWidget::setTabOrder(openButton, cancelButton);
    QWidget::setTabOrder(cancelButton, filterField);
    QWidget::setTabOrder(filterField, downloadsTable);
}

std::vector<int> DownloadPanel::getModelSelection() const {
    return selectedSourceRows(*downloadsTable, *sorter);
}

void DownloadPanel::enableActions() {
    bool running = false;
    for (const auto& item : getSelectedDownloads())
        running = running || item->inProgress();
    const bool anySelected = downloadsTable->selectionModel()->hasSelection();
    cancelButton->setEnabled(running);
    cancelAction->setEnabled(running);
    deleteAction->setEnabled(anySelected);
    installAction->setEnabled(anySelected);
    openAction->setEnabled(anySelected);
}

void DownloadPanel::showContextMenu(const QPoint& position) {
    QMenu menu(this);
    menu.addAction(installAction);
    menu.addAction(openAction);
    menu.addAction(cancelAction);
    menu.addSeparator();
    menu.addAction(deleteAction);
    menu.addSeparator();
    menu.addAction(refreshAction);
    menu.exec(downloadsTable->viewport()->mapToGlobal(position));
}

std::vector<std::shared_ptr<model::DownloadItem>> DownloadPanel::getSelectedDownloads() const {
    return model->getSelectedDownloads(getModelSelection());
}

std::pair<QString, QString> DownloadPanel::removalQuestion(const QStringList& fileNames) {
    if (fileNames.size() == 1)
        return {QStringLiteral("Remove download?"), QStringLiteral("Really remove download ") +
                                                        fileNames.constFirst() + QLatin1Char('?')};
    const QString count = QString::number(fileNames.size());
    return {QStringLiteral("Remove ") + count + QStringLiteral(" downloads?"),
            QStringLiteral("Really remove these ") + count + QStringLiteral(" downloads?")};
}

QString DownloadPanel::noInstallationText() {
    return QStringLiteral("We can't install any addons right now because we can't find your WoW "
                          "installation.") +
           Constants::CantFindWowMessageSuffix;
}

void DownloadPanel::deleteSelected() {
    // The downloads themselves, taken now: the rows may change while the
    // question is open.
    const auto items = getSelectedDownloads();
    if (items.empty())
        return;
    QStringList names;
    for (const auto& item : items)
        names << util::pathText(item->getFile().filename());
    const auto [title, text] = removalQuestion(names);
    if (!MessageBoxes::askToDelete(host.dialogOwner(), title, text))
        return;
    model::Client* client = host.readyClient();
    const auto manager = client ? client->getDownloadManager() : nullptr;
    if (!manager)
        return;
    host.backgroundTasks().run(QStringLiteral("deleteDownload"), [manager, items] {
        for (const auto& item : items)
            manager->deleteDownload(item);
    });
}

void DownloadPanel::refresh() {
    tableFilter->reset();
    model::Client* client = host.readyClient();
    const auto manager = client ? client->getDownloadManager() : nullptr;
    if (!manager)
        return;
    host.backgroundTasks().run(QStringLiteral("refreshDownloads"),
                               [manager] { manager->refresh(); });
}

void DownloadPanel::installSelected() {
    install(getSelectedDownloads());
}

void DownloadPanel::install(const std::vector<std::shared_ptr<model::DownloadItem>>& items) {
    model::Client* client = host.readyClient();
    wow::WowInstallation* wow = client ? client->getWow() : nullptr;
    if (!wow || !wow->exists()) {
        MessageBoxes::showError(host.dialogOwner(), QStringLiteral("Oops!"), noInstallationText());
        return;
    }
    const auto recognizer = client->getDownloadRecognizer();
    const auto addonManager = client->getAddonManager();
    const auto downloadManager = client->getDownloadManager();
    if (items.empty() || !recognizer || !addonManager)
        return;
    host.backgroundTasks().run(QStringLiteral("install"),
                               [items, recognizer, addonManager, downloadManager] {
                                   for (const auto& item : items) {
                                       const auto recognized = recognizer->lookup(item);
                                       if (!recognized || !recognized->isWowAddon())
                                           continue;
                                       // The player took a download that waited up.
                                       if (downloadManager)
                                           downloadManager->takenUp(*item);
                                       addonManager->install(recognized);
                                   }
                               });
}

void DownloadPanel::openSelected() {
    const auto items = getSelectedDownloads();
    if (!items.empty())
        host.desktopOpener().browseInShell(items.front()->getFile());
}

void DownloadPanel::cancelSelected() {
    std::vector<std::shared_ptr<model::DownloadItem>> running;
    for (const auto& item : getSelectedDownloads())
        if (item->inProgress())
            running.push_back(item);
    model::Client* client = host.getClient();
    const auto manager = client ? client->getDownloadManager() : nullptr;
    if (running.empty() || !manager)
        return;
    host.backgroundTasks().run(QStringLiteral("cancelDownload"), [manager, running] {
        for (const auto& item : running)
            manager->cancelDownload(item);
    });
}

void DownloadPanel::activate(const QModelIndex& index) {
    const int row = sorter->mapToSource(index).row();
    if (row < 0 || row >= model->rowCount())
        return;
    const DownloadsTableModel::Row& shown = model->rowAt(row);
    if (shown.item->inProgress())
        return;
    if (shown.recognized && shown.recognized->isWowAddon())
        install({shown.item});
    else
        host.desktopOpener().browseInShell(shown.item->getFile());
}

void DownloadPanel::afterRefreshDownloads() {
    model->refresh();
}

void DownloadPanel::downloadStarted(const std::shared_ptr<model::DownloadItem>&) {
    model->refresh();
}

void DownloadPanel::downloadProgress(const std::shared_ptr<model::DownloadItem>& item) {
    model->fireDownloadProgress(item);
}

void DownloadPanel::downloadCompleted(const std::shared_ptr<model::DownloadItem>&) {
    model->refresh();
}

void DownloadPanel::downloadRemoved(const std::shared_ptr<model::DownloadItem>& item) {
    model->refresh();
    // A download that failed on its own leaves no row: the player is told why.
    const QString failure = item ? item->getFailure() : QString();
    if (failure.isEmpty())
        return;
    const QString text = QStringLiteral("The download of ") +
                         util::pathText(item->getFile().filename()) + QStringLiteral(" failed: ") +
                         failure;
    QMetaObject::invokeMethod(
        this,
        [this, text] {
            if (!host.closeRequested())
                MessageBoxes::showError(host.dialogOwner(), QStringLiteral("Download failed"),
                                        text);
        },
        Qt::QueuedConnection);
}

void DownloadPanel::afterRefreshRecognized() {
    model->refresh();
}

void DownloadPanel::beforeRefreshRecognized() {
    model->refresh();
}

void DownloadPanel::onRecognized(const std::shared_ptr<model::RecognizedItem>& item) {
    model->refresh();
    App::log(Prefix + QStringLiteral(".onRecognized"));
    model::Client* client = host.getClient();
    const auto dispatcher = client ? client->getEventDispatcher() : nullptr;
    const auto addonManager = client ? client->getAddonManager() : nullptr;
    if (!dispatcher || !addonManager || !item)
        return;
    // A download no player asked for (a page started it by itself) waits
    // in the list, ready to install, until the player installs it.
    const auto downloadManager = client->getDownloadManager();
    if (downloadManager && downloadManager->isAwaitingPlayer(*item->getItem())) {
        App::log(Prefix + QStringLiteral(".onRecognized: [") +
                 util::pathText(item->getItem()->getFile()) +
                 QStringLiteral("] waits for the player: no player asked for it"));
        return;
    }
    // A package the current flavour would not load waits for the player,
    // who sees why in its row and may still install it.
    if (item->getTotalAddons() > 0 && item->getAddonsNotForFlavour() == item->getTotalAddons()) {
        App::log(Prefix + QStringLiteral(".onRecognized: not installing [") +
                 util::pathText(item->getItem()->getFile()) +
                 QStringLiteral("], not for the current flavour"));
        return;
    }
    try {
        dispatcher->invokeLater([addonManager, item] { addonManager->install(item); },
                                QStringLiteral("install"));
    } catch (const std::exception& error) {
        App::log(error);
    }
}

void DownloadPanel::onRecognizedItemRemoved(const std::shared_ptr<model::RecognizedItem>&) {
    model->refresh();
}

} // namespace plenfox::client::ui
