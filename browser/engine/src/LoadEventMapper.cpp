#include "LoadEventMapper.h"

#include <algorithm>

#include "cef_types.h"

namespace {

constexpr int HttpOk = 200;

} // namespace

void LoadEventMapper::onLoadingChanged(const LoadReport& report, const QUrl& pageUrl) {
    if (report.status == LoadReport::Status::Started) {
        pending_ = true;
        started_ = false;
        loadUrl_ = report.url;
        return;
    }
    // The end of a load that a newer one replaced says nothing about the
    // newer one, which may already have started.
    if (endsAbandonedLoad(report))
        return;
    switch (report.status) {
    case LoadReport::Status::Started:
        break;
    case LoadReport::Status::Succeeded:
        announceStart();
        sink_.loadEnded(report.httpStatus ? report.errorCode : HttpOk);
        break;
    case LoadReport::Status::Failed:
        if (report.httpStatus) {
            // The server answered, with an error status: the page shows its
            // answer, so the load ended normally.
            announceStart();
            sink_.loadEnded(report.errorCode);
        } else if (report.errorCode == ERR_ABORTED && pageUrl != report.url) {
            // Aborted before the page changed, as when a navigation becomes a
            // download: the page did not fail to load.
            if (started_)
                sink_.loadEnded(0);
        } else {
            sink_.loadFailed(report.errorCode, report.url, report.errorText);
            if (started_)
                sink_.loadEnded(0);
        }
        break;
    case LoadReport::Status::Stopped:
        if (started_)
            sink_.loadEnded(0);
        break;
    }
    pending_ = false;
    started_ = false;
    abandoned_.clear();
}

bool LoadEventMapper::endsAbandonedLoad(const LoadReport& report) {
    // A given-up load never succeeds: its navigation was refused.
    if (abandoned_.empty() || report.status == LoadReport::Status::Succeeded ||
        std::find(abandoned_.begin(), abandoned_.end(), report.url) == abandoned_.end())
        return false;
    abandoned_.clear();
    return true;
}

void LoadEventMapper::abandon(const QUrl& refusedUrl) {
    abandoned_ = {loadUrl_, refusedUrl};
    pending_ = false;
    started_ = false;
}

void LoadEventMapper::onUrlChanged() {
    if (pending_ && !started_)
        announceStart();
}

void LoadEventMapper::announceStart() {
    if (started_)
        return;
    started_ = true;
    sink_.loadStarted();
}
