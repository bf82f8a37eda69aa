#include "client/model/downloads/PackageFetcher.h"

#include "client/model/App.h"
#include "client/model/Client.h"
#include "client/model/Constants.h"
#include "client/model/CurlLibrary.h"
#include "client/model/WebAddress.h"
#include "client/model/downloads/DownloadAttributes.h"
#include "client/model/downloads/DownloadRecognizer.h"
#include "client/model/downloads/Downloader.h"
#include "lib/util/TaskQueue.h"

#include <QRegularExpression>
#include <QUrl>
#include <curl/curl.h>
#include <latch>
#include <mutex>

namespace plenfox::client::model {

namespace {

// The header's value when the line is that header, else a null array.
QByteArray headerValue(const QByteArray& line, const QByteArray& name) {
    if (line.size() <= name.size() || line[name.size()] != ':' ||
        qstrnicmp(line.constData(), name.constData(), name.size()) != 0)
        return QByteArray();
    return line.mid(name.size() + 1).trimmed();
}

} // namespace

// One fetch: the transfer's callbacks and what the response told so far.
class PackageFetcher::Transfer {
public:
    Transfer(PackageFetcher& fetcher, const Request& request)
        : fetcher(fetcher), request(request) {}

    // Runs the transfer to its end; the problem is empty when the download
    // was handed to the download manager and ended there.
    QString run();

private:
    static size_t onHeader(char* data, size_t size, size_t count, void* context);
    static size_t onBody(char* data, size_t size, size_t count, void* context);
    static int onProgress(void* context, curl_off_t, curl_off_t, curl_off_t, curl_off_t);
    // At the first byte of the body (or at the end of an empty one): offers
    // the download. False when the fetch stops here.
    bool begin();
    // Ends a download that was handed over but did not arrive whole.
    void fail();
    // An error thrown inside a callback must not cross the network
    // library's C frames: it ends the transfer as a problem instead.
    size_t stopOn(const std::exception& error);

    PackageFetcher& fetcher;
    const Request& request;
    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> easy{nullptr, &curl_easy_cleanup};
    QByteArray contentType;
    qint64 contentLength = -1;
    QByteArray contentDisposition;
    bool begun = false;
    bool stoppedByDownload = false;
    QString problem;
    std::shared_ptr<Downloader> downloader;
};

size_t PackageFetcher::Transfer::onHeader(char* data, size_t size, size_t count, void* context) {
    auto* transfer = static_cast<Transfer*>(context);
    const size_t length = size * count;
    const QByteArray line = QByteArray(data, static_cast<qsizetype>(length)).trimmed();
    // Each response of a redirect chain starts with its status line; only
    // the last one's headers describe the download.
    if (line.startsWith("HTTP/")) {
        transfer->contentType.clear();
        transfer->contentLength = -1;
        transfer->contentDisposition.clear();
    } else if (const QByteArray type = headerValue(line, "Content-Type"); !type.isNull()) {
        transfer->contentType = type;
    } else if (const QByteArray value = headerValue(line, "Content-Length"); !value.isNull()) {
        bool valid = false;
        const qint64 announced = value.toLongLong(&valid);
        transfer->contentLength = valid && announced >= 0 ? announced : -1;
    } else if (const QByteArray disposition = headerValue(line, "Content-Disposition");
               !disposition.isNull()) {
        transfer->contentDisposition = disposition;
    }
    return length;
}

size_t PackageFetcher::Transfer::onBody(char* data, size_t size, size_t count, void* context) {
    auto* transfer = static_cast<Transfer*>(context);
    const size_t length = size * count;
    try {
        if (!transfer->begun && !transfer->begin())
            return 0; // ends the transfer
        if (!transfer->downloader->receivedData(
                QByteArrayView(data, static_cast<qsizetype>(length)))) {
            // Cancelled by the player, or more bytes than announced: the
            // downloader has already ended the download.
            transfer->stoppedByDownload = true;
            return 0;
        }
    } catch (const std::exception& error) {
        return transfer->stopOn(error);
    }
    return length;
}

size_t PackageFetcher::Transfer::stopOn(const std::exception& error) {
    App::log(error);
    problem = QStringLiteral("the client failed to store it.");
    return 0;
}

int PackageFetcher::Transfer::onProgress(void* context, curl_off_t, curl_off_t, curl_off_t,
                                         curl_off_t) {
    return static_cast<Transfer*>(context)->fetcher.stopping ? 1 : 0;
}

bool PackageFetcher::Transfer::begin() {
    begun = true;
    long status = 0;
    curl_easy_getinfo(easy.get(), CURLINFO_RESPONSE_CODE, &status);
    if (status >= 400) {
        problem = QStringLiteral("the server answered with the error ") + QString::number(status) +
                  QLatin1Char('.');
        return false;
    }
    char* finalUrl = nullptr;
    curl_easy_getinfo(easy.get(), CURLINFO_EFFECTIVE_URL, &finalUrl);
    const DownloadAttributes attributes =
        offeredAttributes(request, finalUrl ? QString::fromUtf8(finalUrl) : request.url,
                          contentType, contentLength, contentDisposition);
    App::log(Prefix + QStringLiteral(".fetch: offered [") + attributes.mimeType +
             QStringLiteral("] [") + attributes.fileName + QStringLiteral("] [") +
             QString::number(attributes.contentLength) + QLatin1Char(']'));
    const DownloadRecognizer::Refusal refusal = DownloadRecognizer::check(attributes);
    if (refusal != DownloadRecognizer::Refusal::None) {
        problem = DownloadRecognizer::refusalText(refusal, attributes);
        return false;
    }
    if (fetcher.recognizer)
        downloader = fetcher.recognizer->handleDownload(attributes);
    if (!downloader) {
        problem = QStringLiteral("the client could not store it.");
        return false;
    }
    return true;
}

void PackageFetcher::Transfer::fail() {
    // A download that stopped itself has ended already; otherwise it ends as
    // failed: its partial file goes, and the manager drops its entry.
    if (downloader && !stoppedByDownload)
        downloader->abort();
}

QString PackageFetcher::Transfer::run() {
    easy.reset(curl_easy_init());
    if (!easy)
        return QStringLiteral("the network library could not start a transfer.");
    const QByteArray url = request.url.toUtf8();
    const QByteArray agent =
        QStringLiteral("Plenfox Client %1").arg(Constants::VersionString).toUtf8();
    curl_easy_setopt(easy.get(), CURLOPT_URL, url.constData());
    curl_easy_setopt(easy.get(), CURLOPT_USERAGENT, agent.constData());
    curl_easy_setopt(easy.get(), CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy.get(), CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy.get(), CURLOPT_MAXREDIRS,
                     static_cast<long>(fetcher.options.maxRedirects));
    // Redirects may not lead to files on the player's disk or elsewhere.
    curl_easy_setopt(easy.get(), CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy.get(), CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy.get(), CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(fetcher.options.connectTimeout.count()));
    curl_easy_setopt(easy.get(), CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy.get(), CURLOPT_LOW_SPEED_TIME,
                     static_cast<long>(fetcher.options.stallTimeout.count()));
    curl_easy_setopt(easy.get(), CURLOPT_HEADERFUNCTION, &Transfer::onHeader);
    curl_easy_setopt(easy.get(), CURLOPT_HEADERDATA, this);
    curl_easy_setopt(easy.get(), CURLOPT_WRITEFUNCTION, &Transfer::onBody);
    curl_easy_setopt(easy.get(), CURLOPT_WRITEDATA, this);
    curl_easy_setopt(easy.get(), CURLOPT_XFERINFOFUNCTION, &Transfer::onProgress);
    curl_easy_setopt(easy.get(), CURLOPT_XFERINFODATA, this);
    curl_easy_setopt(easy.get(), CURLOPT_NOPROGRESS, 0L);
    const CURLcode result = curl_easy_perform(easy.get());
    // An empty body calls no body callback: the offer is made now.
    if (result == CURLE_OK && !begun)
        begin();
    easy.reset();

    if (!problem.isEmpty()) {
        fail();
        return problem;
    }
    if (result == CURLE_OK) {
        downloader->complete();
        return QString();
    }
    fail();
    if (stoppedByDownload)
        return QString(); // the download's own end is its report
    if (result == CURLE_ABORTED_BY_CALLBACK)
        return QStringLiteral("the client is closing.");
    const QString failure = QStringLiteral("the transfer failed (") +
                            QString::fromUtf8(curl_easy_strerror(result)) + QStringLiteral(").");
    if (downloader) {
        // The download that was handed over tells the player of its end.
        App::log(Prefix + QStringLiteral(".fetch: [") + request.url + QStringLiteral("] ") +
                 failure);
        return QString();
    }
    return failure;
}

// ---------------------------------------------------------------------------

PackageFetcher::PackageFetcher() : PackageFetcher(Options{}) {}

PackageFetcher::PackageFetcher(Options options) : options(options) {}

PackageFetcher::~PackageFetcher() {
    stop();
}

bool PackageFetcher::initialize(Client& client) {
    CurlLibrary::ensureInitialized();
    recognizer = client.getDownloadRecognizer().get();
    stopping = false;
    std::lock_guard guard(lock);
    worker = std::make_unique<util::TaskQueue>();
    return true;
}

void PackageFetcher::listenerReport() {
    App::log(Prefix + QStringLiteral(".listenerReport: <NONE>"));
}

void PackageFetcher::shutdown(Client&) {
    stop();
}

void PackageFetcher::stop() {
    stopping = true;
    std::unique_ptr<util::TaskQueue> queue;
    {
        std::lock_guard guard(lock);
        queue = std::move(worker);
    }
    // Destroying the queue joins its thread once the running fetch ended.
    if (queue)
        queue->shutdownNow();
}

bool PackageFetcher::fetch(Request request, ProblemReport report) {
    if (!WebAddress::isUsable(request.url)) {
        App::log(Prefix + QStringLiteral(".fetch: not a web address [") + request.url +
                 QLatin1Char(']'));
        return false;
    }
    std::lock_guard guard(lock);
    if (!worker || worker->isShutdown())
        return false;
    App::log(Prefix + QStringLiteral(".fetch: queued [") + request.url + QLatin1Char(']'));
    worker->post(
        [this, request = std::move(request), report = std::move(report)] { run(request, report); });
    return true;
}

void PackageFetcher::run(const Request& request, const ProblemReport& report) {
    App::log(Prefix + QStringLiteral(".fetch: [") + request.url + QLatin1Char(']'));
    QString problem;
    try {
        Transfer transfer(*this, request);
        problem = transfer.run();
    } catch (const std::exception& error) {
        App::log(error);
        problem = QStringLiteral("the client failed to fetch it.");
    }
    if (problem.isEmpty())
        return;
    App::log(Prefix + QStringLiteral(".fetch: [") + request.url + QStringLiteral("] failed: ") +
             problem);
    if (report) {
        try {
            report(request, problem);
        } catch (const std::exception& error) {
            App::log(error);
        }
    }
}

void PackageFetcher::sink() {
    auto reached = std::make_shared<std::latch>(1);
    {
        std::lock_guard guard(lock);
        if (!worker || worker->isShutdown())
            return;
        worker->post([reached] { reached->count_down(); });
    }
    reached->wait();
}

DownloadAttributes PackageFetcher::offeredAttributes(const Request& request,
                                                     const QString& finalUrl,
                                                     const QByteArray& contentType,
                                                     qint64 contentLength,
                                                     const QByteArray& contentDisposition) {
    DownloadAttributes attributes;
    QString name = dispositionFileName(contentDisposition);
    if (name.isEmpty())
        name = QUrl(finalUrl).fileName(QUrl::FullyDecoded);
    attributes.fileName = name.isNull() ? QStringLiteral("") : name;
    const qsizetype parameters = contentType.indexOf(';');
    attributes.mimeType =
        QString::fromLatin1(parameters < 0 ? contentType : contentType.left(parameters)).trimmed();
    attributes.contentLength = contentLength;
    attributes.documentUrl = request.page;
    attributes.downloadUrl = request.url;
    // The player pressed Update.
    attributes.startedByPlayer = true;
    return attributes;
}

QString PackageFetcher::dispositionFileName(const QByteArray& header) {
    // filename*=UTF-8''percent%20encoded
    static const QRegularExpression extended(QStringLiteral(R"(filename\*\s*=\s*([^;]+))"),
                                             QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression plain(
        QStringLiteral(R"re(filename\s*=\s*(?:"((?:[^"\\]|\\.)*)"|([^;\s]+)))re"),
        QRegularExpression::CaseInsensitiveOption);
    const QString text = QString::fromUtf8(header);
    if (const QRegularExpressionMatch match = extended.match(text); match.hasMatch()) {
        const QString value = match.captured(1).trimmed();
        const qsizetype quote = value.indexOf(QStringLiteral("''"));
        if (quote > 0 &&
            value.left(quote).compare(QStringLiteral("UTF-8"), Qt::CaseInsensitive) == 0)
            return QUrl::fromPercentEncoding(value.mid(quote + 2).toLatin1());
    }
    if (const QRegularExpressionMatch match = plain.match(text); match.hasMatch()) {
        QString value = match.captured(1).isNull() ? match.captured(2) : match.captured(1);
        value.replace(QRegularExpression(QStringLiteral(R"(\\(.))")), QStringLiteral("\\1"));
        return value;
    }
    return QString();
}

} // namespace plenfox::client::model
