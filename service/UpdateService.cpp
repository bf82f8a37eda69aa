#include "service/UpdateService.h"

#include "lib/util/Error.h"
#include "lib/util/Escapes.h"
#include "service/AddonZipBuilder.h"
#include "service/HttpConnection.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <QUrlQuery>

namespace plenfox::service {

using util::Escapes;

namespace {
const QByteArray HtmlType = QByteArrayLiteral("text/html; charset=utf-8");

QString html(const QString& text) {
    return Escapes::escapeHtml(text);
}
} // namespace

UpdateService::UpdateService(std::shared_ptr<const UpdateCatalog> catalog, QObject* parent)
    : QObject(parent), catalog(std::move(catalog)) {
    for (const UpdateCatalog::Package& package : this->catalog->getPackages())
        zips.insert(package.fileName, AddonZipBuilder::build(package));
    connect(&server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server.nextPendingConnection())
            new HttpConnection(socket, *this, this); // owned by the service
    });
}

UpdateService::~UpdateService() {
    server.close();
    // Connections go first, while everything they may touch still exists.
    qDeleteAll(findChildren<HttpConnection*>(Qt::FindDirectChildrenOnly));
}

bool UpdateService::listen(quint16 port) {
    return server.listen(QHostAddress::LocalHost, port);
}

quint16 UpdateService::port() const {
    return server.serverPort();
}

QString UpdateService::errorString() const {
    return server.errorString();
}

void UpdateService::setCannedAnswer(std::optional<HttpResponse> response) {
    std::lock_guard lock(mutex);
    cannedAnswer = std::move(response);
}

QList<HttpRequest> UpdateService::requests() const {
    std::lock_guard lock(mutex);
    return received;
}

std::optional<HttpRequest> UpdateService::lastRequest() const {
    std::lock_guard lock(mutex);
    if (received.isEmpty())
        return std::nullopt;
    return received.last();
}

QByteArray UpdateService::zip(const QString& fileName) const {
    return zips.value(fileName);
}

QString UpdateService::baseUrl(const HttpRequest& request) const {
    const QByteArray host = request.header("Host");
    if (!host.isEmpty())
        return QStringLiteral("http://") + QString::fromLatin1(host);
    return QStringLiteral("http://127.0.0.1:") + QString::number(port());
}

HttpResponse UpdateService::handle(const HttpRequest& request) {
    {
        HttpRequest recorded = request;
        if (recorded.body.size() > RecordedBodyBytes) {
            recorded.body.truncate(RecordedBodyBytes);
            recorded.body.squeeze();
        }
        std::lock_guard lock(mutex);
        received << std::move(recorded);
        // A long-running service keeps only the recent ones.
        if (received.size() > RecordedRequests)
            received.removeFirst();
    }
    const bool read = request.method == "GET" || request.method == "HEAD";
    if (request.path == InfoPath) {
        if (request.method != "POST")
            return HttpResponse::error(405);
        return answerInfo(request);
    }
    if (request.path == HomePath || request.path == QStringLiteral("/"))
        return read ? homePage(request) : HttpResponse::error(405);
    if (request.path == AdPath)
        return read ? adPage() : HttpResponse::error(405);
    if (request.path == GuidePath)
        return read ? guide() : HttpResponse::error(405);
    if (request.path == PopupPath)
        return read ? popupPage() : HttpResponse::error(405);
    if (request.path.startsWith(ZipFolder)) {
        const QString fileName = request.path.mid(ZipFolder.size());
        const auto found = zips.constFind(fileName);
        if (found == zips.cend())
            return HttpResponse::error(404);
        if (!read)
            return HttpResponse::error(405);
        HttpResponse response = HttpResponse::of(200, QByteArrayLiteral("application/zip"), *found);
        response.headers.emplace_back(QByteArrayLiteral("Content-Disposition"),
                                      QByteArrayLiteral("attachment; filename=\"") +
                                          fileName.toUtf8() + '"');
        return response;
    }
    return HttpResponse::error(404);
}

HttpResponse UpdateService::answerInfo(const HttpRequest& request) {
    {
        std::lock_guard lock(mutex);
        if (cannedAnswer)
            return *cannedAnswer;
    }
    const std::optional<QByteArray> query =
        HttpRequest::formField(request.body, QByteArrayLiteral("request"));
    if (!query)
        return HttpResponse::error(400);
    try {
        return HttpResponse::of(200, QByteArrayLiteral("text/xml; charset=utf-8"),
                                catalog->answerQuery(*query, baseUrl(request)));
    } catch (const util::IllegalArgumentError&) {
        return HttpResponse::error(400);
    }
}

HttpResponse UpdateService::homePage(const HttpRequest& request) const {
    const QUrlQuery parameters(QString::fromUtf8(request.query));
    QString page = QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>") +
                   html(catalog->getName()) + QStringLiteral("</title></head>\n<body>\n<h1>") +
                   html(catalog->getName()) + QStringLiteral("</h1>\n");
    const QString clientVersion = parameters.queryItemValue(QStringLiteral("wcversion"));
    if (!clientVersion.isEmpty())
        page += QStringLiteral("<p>Welcome, client ") + html(clientVersion) + QStringLiteral(" (") +
                html(parameters.queryItemValue(QStringLiteral("l"))) + QStringLiteral(").</p>\n");
    page += QStringLiteral("<ul>\n");
    for (const UpdateCatalog::Package& package : catalog->getPackages()) {
        page += QStringLiteral("<li id=\"") + html(package.fileName) +
                QStringLiteral("\"><a href=\"") + ZipFolder + html(package.fileName) +
                QStringLiteral("\">") + html(package.fileName) + QStringLiteral("</a>:");
        for (const UpdateCatalog::Addon& addon : package.addons)
            page += QLatin1Char(' ') + html(addon.title) + QLatin1Char(' ') + html(addon.version) +
                    QLatin1Char(';');
        page += QStringLiteral("</li>\n");
    }
    page += QStringLiteral("</ul>\n<p><a id=\"guide\" href=\"") + GuidePath +
            QStringLiteral("\">Installation guide (PDF)</a></p>\n<p><a id=\"popup\" href=\"") +
            PopupPath +
            QStringLiteral("\" target=\"_blank\">About the service (opens a new "
                           "window)</a></p>\n</body></html>\n");
    return HttpResponse::of(200, HtmlType, page.toUtf8());
}

HttpResponse UpdateService::adPage() const {
    const QString page =
        QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Ad</title>"
                       "<style>html,body{margin:0;overflow:hidden}</style></head>\n<body><div "
                       "style=\"height:90px;"
                       "background:#24323f;color:#fff;font:16px sans-serif;line-height:90px;"
                       "text-align:center\">") +
        html(catalog->getName()) + QStringLiteral(": ") +
        QString::number(catalog->getPackages().size()) +
        QStringLiteral(" addon packages ready to install</div></body></html>\n");
    return HttpResponse::of(200, HtmlType, page.toUtf8());
}

HttpResponse UpdateService::guide() {
    // A minimal well-formed one-page PDF document.
    static const QByteArray document =
        QByteArrayLiteral("%PDF-1.4\n"
                          "1 0 obj << /Type /Catalog /Pages 2 0 R >> endobj\n"
                          "2 0 obj << /Type /Pages /Kids [3 0 R] /Count 1 >> endobj\n"
                          "3 0 obj << /Type /Page /Parent 2 0 R /MediaBox [0 0 200 100] >> endobj\n"
                          "trailer << /Root 1 0 R >>\n"
                          "%%EOF\n");
    HttpResponse response = HttpResponse::of(200, QByteArrayLiteral("application/pdf"), document);
    response.headers.emplace_back(QByteArrayLiteral("Content-Disposition"),
                                  QByteArrayLiteral("attachment; filename=\"guide.pdf\""));
    return response;
}

HttpResponse UpdateService::popupPage() {
    return HttpResponse::of(
        200, HtmlType,
        QByteArrayLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>About"
                          "</title></head>\n<body><p>The reference update service answers "
                          "update queries for local runs and tests.</p></body></html>\n"));
}

} // namespace plenfox::service
