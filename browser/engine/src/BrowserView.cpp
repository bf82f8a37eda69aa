#include "BrowserView.h"

#include <QCloseEvent>

#include "BrowserImpl.h"

BrowserView::BrowserView(BrowserImpl& browser, QWidget* parent)
    : QWebEngineView(parent), browser_(browser) {}

void BrowserView::closeEvent(QCloseEvent* event) {
    // The browser decides, and destroys this view itself when it closes.
    event->ignore();
    if (!browser_.isClosed())
        browser_.requestClose();
}
