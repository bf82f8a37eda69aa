#include "client/ui/BrowserPanel.h"

#include "client/model/Constants.h"
#include "client/ui/BrowserControl.h"
#include "client/ui/BrowserEventHandler.h"
#include "client/ui/BrowserPanelHandler.h"
#include "client/ui/DesktopOpener.h"
#include "client/ui/PanelHost.h"
#include "client/ui/Utilities.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace plenfox::client::ui {

namespace {

QPushButton* makeButton(const QString& icon, const QString& tip, QWidget* parent) {
    auto* button = new QPushButton(Utilities::loadIcon(icon), QString(), parent);
    button->setIconSize(QSize(24, 24));
    button->setToolTip(tip);
    button->setObjectName(tip);
    return button;
}

} // namespace

BrowserPanel::BrowserPanel(PanelHost& host, cef::CefFactory& factory, QWidget* parent)
    : QWidget(parent), host(host) {
    handler = std::make_shared<BrowserPanelHandler>(this, host);
    backButton = makeButton(QStringLiteral("assets/back.png"), QStringLiteral("back"), this);
    homeButton = makeButton(QStringLiteral("assets/home.png"), QStringLiteral("home"), this);
    forwardButton =
        makeButton(QStringLiteral("assets/forward.png"), QStringLiteral("forward"), this);
    refreshButton =
        makeButton(QStringLiteral("assets/refresh.png"), QStringLiteral("refresh"), this);
    cancelButton = makeButton(QStringLiteral("assets/cancel.png"), QStringLiteral("stop"), this);
    goButton = makeButton(QStringLiteral("assets/play.png"), QStringLiteral("go"), this);
    escapeButton =
        makeButton(QStringLiteral("assets/up.png"), QStringLiteral("open in browser"), this);
    urlTextField = new QLineEdit(this);
    backButton->setEnabled(false);
    forwardButton->setEnabled(false);
    cancelButton->setEnabled(false);
    goButton->setEnabled(false);

    auto* toolbar = new QWidget;
    auto* toolbarLayout = new QHBoxLayout(toolbar);
    toolbarLayout->setContentsMargins(0, 0, 0, 0);
    for (QPushButton* button : {backButton, forwardButton, refreshButton, cancelButton, homeButton})
        toolbarLayout->addWidget(button);
    toolbarLayout->addWidget(urlTextField, 1);
    toolbarLayout->addWidget(goButton);
    toolbarLayout->addWidget(escapeButton);

    browserControl = new BrowserControl(factory, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(toolbar);
    layout->addWidget(browserControl, 1);

    connect(backButton, &QPushButton::clicked, this, [this] { browserControl->goBack(); });
    connect(forwardButton, &QPushButton::clicked, this, [this] { browserControl->goForward(); });
    connect(refreshButton, &QPushButton::clicked, this, [this] { browserControl->goReload(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { browserControl->goCancel(); });
    connect(homeButton, &QPushButton::clicked, this, [this] { navigate(Constants::DefaultUrl); });
    connect(goButton, &QPushButton::clicked, this, [this] { goToTypedAddress(); });
    connect(urlTextField, &QLineEdit::returnPressed, this, [this] { goToTypedAddress(); });
    connect(urlTextField, &QLineEdit::textEdited, this, [this] { goButton->setEnabled(true); });
    connect(escapeButton, &QPushButton::clicked, this, [this] { openInOwnBrowser(); });
    urlTextField->installEventFilter(this);
}

BrowserPanel::~BrowserPanel() {
    handler->detach();
}

void BrowserPanel::go(const QString& url,
                      const std::shared_ptr<BrowserEventHandler>& eventHandler) {
    eventHandler->setLifeSpanHandler(handler);
    eventHandler->setLoadHandler(handler);
    eventHandler->setRequestHandler(handler);
    urlTextField->setText(url);
    browserControl->go(url, eventHandler);
}

void BrowserPanel::navigate(const QString& url) {
    urlTextField->setText(url);
    browserControl->navigate(url);
}

void BrowserPanel::dispose() {
    browserControl->dispose();
}

void BrowserPanel::updateControls(bool canGoBack, bool canGoForward, const QString& url) {
    backButton->setEnabled(canGoBack);
    forwardButton->setEnabled(canGoForward);
    urlTextField->setText(url);
    goButton->setEnabled(false);
}

void BrowserPanel::setLoading(bool loading) {
    cancelButton->setEnabled(loading);
}

void BrowserPanel::goToTypedAddress() {
    navigate(urlTextField->text());
}

void BrowserPanel::openInOwnBrowser() {
    host.desktopOpener().open(urlTextField->text());
}

bool BrowserPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == urlTextField && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, urlTextField, [field = urlTextField] { field->selectAll(); });
    return QWidget::eventFilter(watched, event);
}

} // namespace plenfox::client::ui
