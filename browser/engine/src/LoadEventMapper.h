#pragma once

#include <QUrl>

#include "cef_base.h"

class BrowserImpl;
class QWebEngineLoadingInfo;
class QWebEnginePage;

// Turns Qt WebEngine's main-frame loading reports into the load handler's
// calls. A load is announced as started once it commits (the page's URL
// changes, or the load ends), so that a navigation that turns into a download
// and leaves the page as it was reports nothing at all. HTTP error statuses
// end a load like any other status; only network-level failures are errors.
class LoadEventMapper {
public:
    explicit LoadEventMapper(BrowserImpl& browser) : browser_(browser) {}

    void onLoadingChanged(const QWebEngineLoadingInfo& info, const QWebEnginePage& page);
    void onUrlChanged();
    // The load in progress gives way to another one: its end is not told.
    void abandon();

private:
    void announceStart();
    void announceEnd(int httpStatusCode);
    void announceError(int errorCode, const QUrl& failedUrl, const QString& errorText);

    BrowserImpl& browser_;
    bool pending_ = false;
    bool started_ = false;
    bool abandoned_ = false;
};
