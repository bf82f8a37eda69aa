#pragma once

#include "client/model/ClientComponent.h"

#include <QString>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>

namespace plenfox::util {
class TaskQueue;
}

namespace plenfox::client::model {

class DownloadRecognizer;
struct DownloadAttributes;

// Fetches addon packages at addresses the update service named, on the same
// road as a download from the browser: the server's announced type, name and
// size are offered to the recognizer, which accepts or refuses them with the
// same checks (a zip of at most 32 MiB); the download manager stores the
// bytes, lists the download with its progress, and a completed package is
// recognized and installed at once (the player asked for it). Transfers run
// one after another on a worker thread of the fetcher's own; the client's
// shutdown ends a running one.
class PackageFetcher : public ClientComponent {
public:
    static inline const QString Prefix =
        QStringLiteral("class com.plenfox.kesh.client.model.PackageFetcher");

    struct Options {
        std::chrono::milliseconds connectTimeout{15000};
        // A transfer that moves no byte for this long has stalled.
        std::chrono::seconds stallTimeout{60};
        int maxRedirects = 5;
    };

    // One package to fetch.
    struct Request {
        QString url;   // http or https
        QString page;  // the package's web page, remembered as the download's source
        QString label; // what the player knows it by (addon names), for messages
    };
    // Hears, on the worker thread, why a fetch came to nothing before or
    // while its bytes arrived; a download that completes is announced by the
    // download manager instead.
    using ProblemReport = std::function<void(const Request& request, const QString& problem)>;

    PackageFetcher();
    explicit PackageFetcher(Options options);
    ~PackageFetcher() override;
    PackageFetcher(const PackageFetcher&) = delete;
    PackageFetcher& operator=(const PackageFetcher&) = delete;

    bool initialize(Client& client) override;
    void listenerReport() override;
    // Stops taking work and ends a running transfer (its download fails).
    void shutdown(Client& client) override;
    // Ends the worker thread, dropping fetches that have not started; the
    // owner calls it before the components the worker uses go away.
    void stop();

    // Queues a fetch. Returns false (and reports nothing) when the fetcher
    // does not run or the address is not an http or https address.
    bool fetch(Request request, ProblemReport report);
    // Waits until every fetch queued so far has ended (not on the worker).
    void sink();

    // The download the response offers: the file name from the
    // Content-Disposition header or else the address's last path segment,
    // the type without its parameters, the announced length (-1 when none).
    static DownloadAttributes offeredAttributes(const Request& request, const QString& finalUrl,
                                                const QByteArray& contentType,
                                                qint64 contentLength,
                                                const QByteArray& contentDisposition);
    // The file name a Content-Disposition header gives (RFC 6266: the
    // UTF-8 "filename*" wins over "filename"); null when it names none.
    static QString dispositionFileName(const QByteArray& header);

private:
    class Transfer;
    void run(const Request& request, const ProblemReport& report);

    Options options;
    DownloadRecognizer* recognizer = nullptr;
    // Set by shutdown: the running transfer ends at its next progress check.
    std::atomic<bool> stopping{false};
    mutable std::mutex lock; // guards worker
    std::unique_ptr<util::TaskQueue> worker;
};

} // namespace plenfox::client::model
