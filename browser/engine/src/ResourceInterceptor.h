#pragma once

#include <QWebEngineUrlRequestInterceptor>

class BrowserImpl;

// Asks the request handler before each resource of a browser's page loads:
// the handler may cancel the load, redirect it or add request headers.
class ResourceInterceptor : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT
public:
    explicit ResourceInterceptor(BrowserImpl& browser) : browser_(browser) {}

    void interceptRequest(QWebEngineUrlRequestInfo& info) override;

private:
    BrowserImpl& browser_;
};
