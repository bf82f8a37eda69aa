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
#include "client/ui/DownloadsTableModel.h"
#include "client/ui/MessageBoxes.h"
#include "client/ui/PanelHost.h"
#include "client/ui/TableFilter.h"
#include "client/ui/TableSortFilterModel.h"
#include "client/ui/Utilities.h"
#include "lib/util/Paths.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

namespace plenfox::client::ui {

namespace {

QPushButton* makeButton(const QString& icon, const QString& text, QWidget* parent) {
    auto* button = new QPushButton(Utilities::loadIcon(icon), text, parent);
    button->setIconSize(QSize(24, 24));
    return button;
}

} // namespace

DownloadPanel::DownloadPanel(PanelHost& host, QWidget* parent) : QWidget(parent), host(host) {
    model = new DownloadsTableModel(host.getClient(), this);
    sorter = new TableSortFilterModel(this);
    sorter->setSourceModel(model);

    clearButton = makeButton(QStringLiteral("assets/delete.png"), QStringLiteral("delete"), this);
    refreshButton =
        makeButton(QStringLiteral("assets/refresh.png"), QStringLiteral("refresh"), this);
    installButton =
        makeButton(QStringLiteral("assets/reinstall.png"), QStringLiteral("install"), this);
    openButton = makeButton(QStringLiteral("assets/folder.png"), QStringLiteral("open"), this);
    filterField = new QLineEdit(TableFilter::Placeholder, this);
    // About 20 characters wide.
    filterField->setMinimumWidth(filterField->fontMetrics().averageCharWidth() * 20 + 12);

    auto* controlsPanel = new QWidget;
    auto* controlsLayout = new QHBoxLayout(controlsPanel);
    controlsLayout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* widget :
         {static_cast<QWidget*>(clearButton), static_cast<QWidget*>(refreshButton),
          static_cast<QWidget*>(installButton), static_cast<QWidget*>(openButton),
          static_cast<QWidget*>(filterField)})
        controlsLayout->addWidget(widget);
    controlsLayout->addStretch();

    downloadsTable = createSortedTableView(sorter, this);
    downloadsTable->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    downloadsTable->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    downloadsTable->setColumnWidth(DownloadsTableModel::StateIcon, 26);
    downloadsTable->setColumnWidth(DownloadsTableModel::File, 300);
    downloadsTable->setColumnWidth(DownloadsTableModel::Size, 90);
    downloadsTable->setColumnWidth(DownloadsTableModel::Date, 200);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(controlsPanel);
    layout->addWidget(downloadsTable, 1);

    tableFilter = new TableFilter(filterField, sorter);
    connect(clearButton, &QPushButton::clicked, this, [this] { deleteSelected(); });
    connect(refreshButton, &QPushButton::clicked, this, [this] { refresh(); });
    connect(installButton, &QPushButton::clicked, this, [this] { installSelected(); });
    connect(openButton, &QPushButton::clicked, this, [this] { openSelected(); });
}

std::vector<int> DownloadPanel::getModelSelection() const {
    std::vector<int> rows;
    for (const QModelIndex& index : downloadsTable->selectionModel()->selectedRows())
        rows.push_back(sorter->mapToSource(index).row());
    std::sort(rows.begin(), rows.end());
    return rows;
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
    if (!MessageBoxes::askYesNo(host.dialogOwner(), title, text))
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
    model::Client* client = host.readyClient();
    wow::WowInstallation* wow = client ? client->getWow() : nullptr;
    if (!wow || !wow->exists()) {
        MessageBoxes::showError(host.dialogOwner(), QStringLiteral("Oops!"), noInstallationText());
        return;
    }
    const auto items = getSelectedDownloads();
    const auto recognizer = client->getDownloadRecognizer();
    const auto addonManager = client->getAddonManager();
    if (items.empty() || !recognizer || !addonManager)
        return;
    host.backgroundTasks().run(QStringLiteral("install"), [items, recognizer, addonManager] {
        for (const auto& item : items) {
            const auto recognized = recognizer->lookup(item);
            if (recognized && recognized->isWowAddon())
                addonManager->install(recognized);
        }
    });
}

void DownloadPanel::openSelected() {
    const auto items = getSelectedDownloads();
    if (!items.empty())
        host.desktopOpener().browseInShell(items.front()->getFile());
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

void DownloadPanel::downloadRemoved(const std::shared_ptr<model::DownloadItem>&) {
    model->refresh();
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
