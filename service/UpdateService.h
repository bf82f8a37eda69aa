#pragma once

#include "service/HttpRequest.h"
#include "service/HttpResponse.h"
#include "service/UpdateCatalog.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <memory>
#include <mutex>
#include <optional>

namespace plenfox::service {

// The reference update service: a small HTTP server on the loopback address
// that answers update queries from its catalog and serves the home page, the
// advertisement strip and the catalog's addon zips.
//
//   POST /info               form body "request=<query document>": the answer document
//   GET  /Plenfox.html       the home page, listing the downloadable zips
//   GET  /appad.html         the advertisement strip
//   GET  /zips/<file>.zip    a package of the catalog
//   GET  /guide.pdf          a small PDF document (a download that is not an addon)
//   GET  /popup.html         a page the home page opens in a new window
//
// Lives on the thread that created it; setCannedAnswer, requests and
// lastRequest may be called from any thread.
class UpdateService : public QObject {
public:
    static inline const QString InfoPath = QStringLiteral("/info");
    static inline const QString HomePath = QStringLiteral("/Plenfox.html");
    static inline const QString AdPath = QStringLiteral("/appad.html");
    static inline const QString ZipFolder = UpdateCatalog::ZipPath;
    static inline const QString GuidePath = QStringLiteral("/guide.pdf");
    static inline const QString PopupPath = QStringLiteral("/popup.html");
    static constexpr qsizetype RecordedRequests = 64;
    // Of each recorded request at most this many body bytes are kept, so the
    // record stays small however large the requests were.
    static constexpr qsizetype RecordedBodyBytes = 64 * 1024;

    // Builds the catalog's zips; throws IoError when that fails.
    explicit UpdateService(std::shared_ptr<const UpdateCatalog> catalog, QObject* parent = nullptr);
    ~UpdateService() override;

    // Listens on 127.0.0.1 (port 0 picks a free port). False on failure,
    // with the reason in errorString().
    bool listen(quint16 port);
    quint16 port() const;
    QString errorString() const;

    // Answers one request; used by the connections, callable directly.
    HttpResponse handle(const HttpRequest& request);

    // From now on every POST to /info gets this response instead of the
    // catalog's answer (nothing: back to the catalog).
    void setCannedAnswer(std::optional<HttpResponse> response);
    // The requests handled so far (at most the last RecordedRequests, each
    // body cut to RecordedBodyBytes), oldest first.
    QList<HttpRequest> requests() const;
    std::optional<HttpRequest> lastRequest() const;

    const UpdateCatalog& getCatalog() const { return *catalog; }
    // The zip of a package file name, or a null QByteArray.
    QByteArray zip(const QString& fileName) const;

private:
    HttpResponse answerInfo(const HttpRequest& request);
    HttpResponse homePage(const HttpRequest& request) const;
    HttpResponse adPage() const;
    static HttpResponse guide();
    static HttpResponse popupPage();
    QString baseUrl(const HttpRequest& request) const;

    std::shared_ptr<const UpdateCatalog> catalog;
    QMap<QString, QByteArray> zips;
    QTcpServer server;

    mutable std::mutex mutex; // guards the two fields below
    std::optional<HttpResponse> cannedAnswer;
    QList<HttpRequest> received;
};

} // namespace plenfox::service
