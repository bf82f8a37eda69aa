#pragma once

#include <QString>
#include <QUrl>

#include <vector>

// What Qt WebEngine reports about one main-frame load, as plain values.
struct LoadReport {
    enum class Status { Started, Succeeded, Failed, Stopped };
    Status status = Status::Started;
    // The code is an HTTP status rather than a network error code.
    bool httpStatus = false;
    int errorCode = 0;
    QUrl url;
    QString errorText;
};

// Where the mapped load events go: the browser's load handler.
class LoadEventSink {
public:
    virtual ~LoadEventSink() = default;
    virtual void loadStarted() = 0;
    virtual void loadEnded(int httpStatusCode) = 0;
    virtual void loadFailed(int errorCode, const QUrl& failedUrl, const QString& errorText) = 0;
};

// Turns Qt WebEngine's main-frame loading reports into the load handler's
// calls. A load is announced as started once it commits (the page's URL
// changes, or the load ends), so that a navigation that turns into a download
// and leaves the page as it was reports nothing at all. HTTP error statuses
// end a load like any other status; only network-level failures are errors.
class LoadEventMapper {
public:
    explicit LoadEventMapper(LoadEventSink& sink) : sink_(sink) {}

    // pageUrl is the page's URL when the report arrives.
    void onLoadingChanged(const LoadReport& report, const QUrl& pageUrl);
    void onUrlChanged();
    // The load in progress gives way to another one, because its redirect to
    // refusedUrl was refused: its end, whenever it is reported, is not told.
    void abandon(const QUrl& refusedUrl);

private:
    void announceStart();
    // Whether the report ends a load given up earlier; consumes it then.
    bool endsAbandonedLoad(const LoadReport& report);

    LoadEventSink& sink_;
    bool pending_ = false;
    bool started_ = false;
    QUrl loadUrl_;
    // The URLs a given-up load may still report its end under.
    std::vector<QUrl> abandoned_;
};
