#include "lib/util/Error.h"
#include "service/AddonZipBuilder.h"
#include "service/UpdateServiceThread.h"

#include <QTcpSocket>
#include <gtest/gtest.h>
#include <memory>
#include <zip.h>

using plenfox::service::UpdateCatalog;
using plenfox::service::UpdateServiceThread;
using plenfox::util::IllegalArgumentError;

namespace {

const QByteArray Catalog = QByteArrayLiteral(R"(<catalog name="Test &lt;service&gt;">
  <tag name="wow-version">50400</tag>
  <package file="Two-1.0.zip" page="/Plenfox.html#two">
    <addon name="One" title="First &amp; best" version="1.0"/>
    <addon name="Two" version="1.0"/>
  </package>
</catalog>)");

struct Reply {
    QByteArray raw; // everything received, interim answers included
    QByteArray head;
    QByteArray body;
    int status() const { return head.mid(9, 3).toInt(); }
};

// One request over a fresh connection; the service closes it after answering.
// The parts are written with a pause in between when there is more than one.
Reply exchange(quint16 port, const QList<QByteArray>& parts) {
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), port);
    EXPECT_TRUE(socket.waitForConnected(5000));
    QByteArray received;
    for (const QByteArray& part : parts) {
        socket.write(part);
        socket.waitForBytesWritten(5000);
        if (parts.size() > 1 && socket.waitForReadyRead(2000))
            received += socket.readAll();
    }
    while (socket.state() == QAbstractSocket::ConnectedState && socket.waitForReadyRead(5000))
        received += socket.readAll();
    received += socket.readAll();
    const qsizetype end = received.lastIndexOf("\r\n\r\n");
    // The last head ends the interim responses; a body never holds CR LF CR LF here.
    const qsizetype headStart = received.lastIndexOf("HTTP/1.1 ", end);
    return Reply{received, received.mid(headStart, end - headStart), received.mid(end + 4)};
}

Reply get(quint16 port, const QByteArray& target) {
    return exchange(port, {"GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n"});
}

struct ZipCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};

// Names and contents of every entry of an in-memory zip, in archive order.
QList<std::pair<QByteArray, QByteArray>> unzip(const QByteArray& bytes) {
    QList<std::pair<QByteArray, QByteArray>> entries;
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(
        bytes.constData(), static_cast<zip_uint64_t>(bytes.size()), 0, &error);
    std::unique_ptr<zip_t, ZipCloser> archive(zip_open_from_source(source, ZIP_RDONLY, &error));
    zip_error_fini(&error);
    if (!archive) {
        zip_source_free(source);
        ADD_FAILURE() << "not a zip archive";
        return entries;
    }
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive.get(), 0); ++i) {
        zip_stat_t stat;
        zip_stat_index(archive.get(), static_cast<zip_uint64_t>(i), 0, &stat);
        QByteArray content(static_cast<qsizetype>(stat.size), '\0');
        zip_file_t* file = zip_fopen_index(archive.get(), static_cast<zip_uint64_t>(i), 0);
        EXPECT_EQ(zip_fread(file, content.data(), stat.size), static_cast<zip_int64_t>(stat.size));
        zip_fclose(file);
        entries.emplace_back(QByteArray(stat.name), content);
    }
    return entries;
}

class UpdateServiceTest : public ::testing::Test {
protected:
    UpdateServiceTest()
        : service(std::make_shared<const UpdateCatalog>(UpdateCatalog::parse(Catalog))) {}
    UpdateServiceThread service;
};

} // namespace

TEST_F(UpdateServiceTest, PagesAndZipsAreServed) {
    const Reply home = get(service.port(), "/Plenfox.html?l=community&wcversion=0.2-beta");
    EXPECT_EQ(home.status(), 200);
    EXPECT_TRUE(home.head.contains("Content-Type: text/html; charset=utf-8"));
    EXPECT_TRUE(home.body.contains("<title>Test &lt;service&gt;</title>"));
    EXPECT_TRUE(home.body.contains("<a href=\"/zips/Two-1.0.zip\">"));
    EXPECT_TRUE(home.body.contains("First &amp; best 1.0"));
    EXPECT_TRUE(home.body.contains("<a id=\"guide\" href=\"/guide.pdf\">"));
    EXPECT_TRUE(home.body.contains("href=\"/popup.html\" target=\"_blank\""));

    const Reply guide = get(service.port(), "/guide.pdf");
    EXPECT_EQ(guide.status(), 200);
    EXPECT_TRUE(guide.head.contains("Content-Type: application/pdf"));
    EXPECT_TRUE(guide.body.startsWith("%PDF-"));
    EXPECT_EQ(get(service.port(), "/popup.html").status(), 200);

    const Reply ad = get(service.port(), "/appad.html");
    EXPECT_EQ(ad.status(), 200);
    EXPECT_TRUE(ad.body.contains("</html>"));

    EXPECT_EQ(get(service.port(), "/zips/Other.zip").status(), 404);
    EXPECT_EQ(get(service.port(), "/nothing.html").status(), 404);
    EXPECT_EQ(get(service.port(), "/info").status(), 405);
    EXPECT_EQ(exchange(service.port(), {"nonsense\r\n\r\n"}).status(), 400);

    const Reply zip = get(service.port(), "/zips/Two-1.0.zip");
    EXPECT_EQ(zip.status(), 200);
    EXPECT_TRUE(zip.head.contains("Content-Type: application/zip"));
    EXPECT_TRUE(zip.head.contains("Content-Disposition: attachment; filename=\"Two-1.0.zip\""));
    EXPECT_EQ(zip.body, service.service().zip(QStringLiteral("Two-1.0.zip")));
}

// A package must be what the client installs: one top-level folder per addon
// with a TOC named after the folder, and nothing loose at the top.
TEST_F(UpdateServiceTest, ZipIsAnAddonPackage) {
    const auto entries = unzip(service.service().zip(QStringLiteral("Two-1.0.zip")));
    QList<QByteArray> names;
    for (const auto& entry : entries)
        names << entry.first;
    EXPECT_EQ(names, (QList<QByteArray>{"One/", "One/One.toc", "One/One.lua", "Two/", "Two/Two.toc",
                                        "Two/Two.lua"}));
    for (const auto& [name, content] : entries)
        if (name == "One/One.toc") {
            EXPECT_TRUE(content.contains("## Title: First & best\r\n"));
            EXPECT_TRUE(content.contains("## Version: 1.0\r\n"));
            EXPECT_TRUE(content.contains("\r\nOne.lua\r\n"));
        }
}

TEST_F(UpdateServiceTest, InfoNeedsARequestFieldWithAQueryDocument) {
    const auto post = [this](const QByteArray& body) {
        return exchange(service.port(), {"POST /info HTTP/1.1\r\nHost: x\r\nContent-Length: " +
                                         QByteArray::number(body.size()) + "\r\n\r\n" + body});
    };
    EXPECT_EQ(post("other=1").status(), 400);
    EXPECT_EQ(post("request=%3Cplenfox%3E").status(), 400);
    EXPECT_EQ(exchange(service.port(), {"POST /info HTTP/1.1\r\n\r\nrequest=x"}).status(), 411);

    // The body may follow the interim "100 Continue" answer.
    const QByteArray body =
        "request=%3Cplenfox%3E%3Cwow%3E%3Caddons%3E%3Caddon%3E%3Cname%3EOne"
        "%3C%2Fname%3E%3C%2Faddon%3E%3C%2Faddons%3E%3C%2Fwow%3E%3C%2Fplenfox%3E";
    const Reply answer =
        exchange(service.port(), {"POST /info HTTP/1.1\r\nHost: h:1\r\nExpect: 100-continue\r\n"
                                  "Content-Length: " +
                                      QByteArray::number(body.size()) + "\r\n\r\n",
                                  body});
    EXPECT_TRUE(answer.raw.startsWith("HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 OK\r\n"));
    EXPECT_TRUE(answer.body.contains("<wow-version>50400</wow-version>"));
    EXPECT_TRUE(answer.body.contains("<url>http://h:1/Plenfox.html#two</url>"));
    // Where the package of the named version is served.
    EXPECT_TRUE(answer.body.contains("<download-url>http://h:1/zips/Two-1.0.zip</download-url>"));
    EXPECT_FALSE(answer.body.contains("<name>Two</name>")); // not asked for
}

TEST(UpdateCatalogTest, DownloadAddressesNameTheServedZipEncoded) {
    const UpdateCatalog catalog = UpdateCatalog::parse(R"(<catalog>
  <package file="Some Addon &amp; More-1.2.zip"><addon name="Some" version="1.2"/></package>
</catalog>)");
    const QByteArray answer = catalog.answerQuery(
        "<plenfox><wow><addons><addon><name>Some</name></addon></addons></wow></plenfox>",
        QStringLiteral("http://127.0.0.1:9"));
    EXPECT_TRUE(answer.contains("<download-url>http://127.0.0.1:9/zips/"
                                "Some%20Addon%20%26%20More-1.2.zip</download-url>"))
        << answer.constData();
}

// A long-running service handed large requests keeps a small record of them:
// the newest requests, each with the start of its body only.
TEST_F(UpdateServiceTest, RecordOfPastRequestsStaysBounded) {
    using plenfox::service::UpdateService;
    plenfox::service::HttpRequest large;
    large.method = "POST";
    large.path = UpdateService::InfoPath;
    large.body = "request=" + QByteArray(1024 * 1024, 'x');
    for (int i = 0; i < UpdateService::RecordedRequests + 6; ++i)
        service.service().handle(large);
    const QList<plenfox::service::HttpRequest> kept = service.service().requests();
    ASSERT_EQ(kept.size(), UpdateService::RecordedRequests);
    qsizetype recordedBytes = 0;
    for (const auto& request : kept)
        recordedBytes += request.body.size();
    EXPECT_LE(recordedBytes, UpdateService::RecordedRequests * UpdateService::RecordedBodyBytes);
    EXPECT_TRUE(kept.back().body.startsWith("request=xxx"));
}
