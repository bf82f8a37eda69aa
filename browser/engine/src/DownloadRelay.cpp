#include "DownloadRelay.h"

#include <QDir>
#include <QWebEngineDownloadRequest>

#include "BrowserImpl.h"
#include "BrowserPage.h"
#include "DownloadJob.h"

DownloadRelay::DownloadRelay(Engine&)
    : staging_(QDir::tempPath() + QStringLiteral("/plenfox-engine-downloads-XXXXXX")) {}

DownloadRelay::~DownloadRelay() {
    cancelAll();
}

void DownloadRelay::onDownloadRequested(QWebEngineDownloadRequest* request) {
    auto* page = qobject_cast<BrowserPage*>(request->page());
    if (!page || page->browser().isClosed() || !staging_.isValid()) {
        request->cancel();
        return;
    }
    const QString name = QStringLiteral("download-%1.part").arg(nextNumber_++);
    auto job =
        std::make_shared<DownloadJob>(*this, *request, &page->browser(), staging_.filePath(name));
    jobs_.push_back(job);
    job->start();
}

void DownloadRelay::cancelAll() {
    auto jobs = std::move(jobs_);
    jobs_.clear();
    for (const auto& job : jobs)
        job->cancel();
}

void DownloadRelay::forget(const DownloadJob* job) {
    std::erase_if(jobs_, [job](const auto& j) { return j.get() == job; });
}
