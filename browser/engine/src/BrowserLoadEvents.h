#pragma once

#include "LoadEventMapper.h"

class BrowserImpl;

// Hands the mapped load events of a browser's main frame to its client's
// load handler, with the browser's state brought up to date first. A closed
// browser tells nothing more.
class BrowserLoadEvents : public LoadEventSink {
public:
    explicit BrowserLoadEvents(BrowserImpl& browser) : browser_(browser) {}

    void loadStarted() override;
    void loadEnded(int httpStatusCode) override;
    void loadFailed(int errorCode, const QUrl& failedUrl, const QString& errorText) override;

private:
    BrowserImpl& browser_;
};
