#include "client/model/updates/PlenfoxUpdateSource.h"
#include "client/model/updates/UpdateProtocol.h"
#include "lib/util/Error.h"
#include "service/UpdateServiceThread.h"
#include "tests/support/TestSupport.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpServer>
#include <gtest/gtest.h>

using namespace plenfox::client::model;
using plenfox::service::HttpResponse;
using plenfox::service::UpdateCatalog;
using plenfox::service::UpdateServiceThread;

namespace {

const QByteArray Catalog = QByteArrayLiteral(R"(<catalog name="Test service">
  <tag name="meta-server-version">0.0.1</tag>
  <tag name="meta-server-message">Hello &amp; welcome</tag>
  <tag name="wow-version">50400</tag>
  <package file="Alpha-2.0.zip" page="/Plenfox.html#alpha">
    <addon name="Alpha" version="2.0"/>
    <addon name="Alpha_Options" version="2.0" page="http://elsewhere.example/options"/>
  </package>
  <package file="Bare-1.zip">
    <addon name="Bare" version="1"/>
    <addon name="Broken" version=""/>
  </package>
</catalog>)");

std::shared_ptr<AddonMetadata> installed(const QString& name, const QString& version,
                                         const QString& package = QString(),
                                         const QString& url = QString()) {
    return std::make_shared<AddonMetadata>(name, package, version, true, url);
}

TagTable clientTags() {
    return TagTable{{UpdateProtocol::TagClientVersion, QStringLiteral("v0.2 beta")},
                    {UpdateProtocol::TagExpectedServerVersion, QStringLiteral("0.0.1")},
                    {UpdateProtocol::TagWowInstalled, QStringLiteral("true")},
                    {UpdateProtocol::TagWowVersion, QStringLiteral("")}};
}

UpdateQuery looseQuery(std::vector<std::shared_ptr<AddonMetadata>> loose,
                       TagTable tags = clientTags()) {
    return UpdateQuery({}, std::move(loose), std::move(tags));
}

PlenfoxUpdateSource::Options shortOptions() {
    PlenfoxUpdateSource::Options options;
    options.connectTimeout = std::chrono::milliseconds(2000);
    options.totalTimeout = std::chrono::milliseconds(5000);
    return options;
}

class PlenfoxUpdateSourceTest : public ::testing::Test {
protected:
    PlenfoxUpdateSourceTest()
        : service(std::make_shared<const UpdateCatalog>(UpdateCatalog::parse(Catalog))),
          source(service.baseUrl() + QStringLiteral("/info"), shortOptions()) {}

    void answerWith(int status, const QByteArray& body) {
        service.service().setCannedAnswer(
            HttpResponse::of(status, QByteArrayLiteral("text/xml"), body));
    }
    // A failed query: null result, the error logged and counted.
    void expectFailure(const std::shared_ptr<UpdateResult>& result, const QString& logged) {
        EXPECT_EQ(result, nullptr);
        EXPECT_TRUE(environment.logContains(QStringLiteral("Exception: [IOException: ") + logged))
            << environment.logLines().join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(environment.app().getExceptionCount(), 1);
    }

    plenfox::test::TestEnvironment environment;
    UpdateServiceThread service;
    PlenfoxUpdateSource source;
};

} // namespace

TEST_F(PlenfoxUpdateSourceTest, QueryDocumentAndBodyAreSentAsWritten) {
    std::vector<std::shared_ptr<AddonMetadata>> packed{
        installed(QStringLiteral("Fish & Chips"), QStringLiteral("1.0 <beta>"),
                  QStringLiteral("Pack é.zip"), QStringLiteral("http://a/b")),
        installed(QStringLiteral("a.b-c*d_e f+g~h"), QStringLiteral("it's \"2\""))};
    const UpdateQuery query(
        {std::make_shared<AddonPackageMetadata>(packed, QString(), QStringLiteral("Pack é.zip")),
         std::make_shared<AddonPackageMetadata>(std::vector<std::shared_ptr<AddonMetadata>>{},
                                                QStringLiteral("http://h/p?x=1&y=2"),
                                                QStringLiteral("Empty.zip"))},
        {installed(QStringLiteral("Loose"), QStringLiteral("3"))}, clientTags());
    const QString expected = QStringLiteral(
        "<plenfox>\r\n"
        "  <meta>\r\n"
        "    <tags>\r\n"
        "      <meta-client-version>v0.2 beta</meta-client-version>\r\n"
        "      <meta-expected-server-version>0.0.1</meta-expected-server-version>\r\n"
        "    </tags>\r\n"
        "  </meta>\r\n"
        "  <wow>\r\n"
        "    <tags>\r\n"
        "      <wow-installed>true</wow-installed>\r\n"
        "      <wow-version></wow-version>\r\n"
        "    </tags>\r\n"
        "    <addons>\r\n"
        "      <addon>\r\n"
        "        <name>Loose</name>\r\n"
        "        <version>3</version>\r\n"
        "      </addon>\r\n"
        "    </addons>\r\n"
        "    <packages>\r\n"
        "      <package>\r\n"
        "        <name>Pack é.zip</name>\r\n"
        "        <url></url>\r\n"
        "        <addons>\r\n"
        "          <addon>\r\n"
        "            <name>Fish &amp; Chips</name>\r\n"
        "            <version>1.0 &lt;beta&gt;</version>\r\n"
        "          </addon>\r\n"
        "          <addon>\r\n"
        "            <name>a.b-c*d_e f+g~h</name>\r\n"
        "            <version>it&apos;s &quot;2&quot;</version>\r\n"
        "          </addon>\r\n"
        "        </addons>\r\n"
        "      </package>\r\n"
        "      <package>\r\n"
        "        <name>Empty.zip</name>\r\n"
        "        <url>http://h/p?x=1&amp;y=2</url>\r\n"
        "        <addons>\r\n"
        "        </addons>\r\n"
        "      </package>\r\n"
        "    </packages>\r\n"
        "  </wow>\r\n"
        "</plenfox>\r\n");
    EXPECT_EQ(PlenfoxUpdateSource::writeQuery(query), expected);

    testing::internal::CaptureStdout();
    const auto result = source.queryUpdates(query);
    const std::string printed = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(result);
    EXPECT_NE(printed.find(expected.toStdString()), std::string::npos);

    const auto requests = service.service().requests();
    ASSERT_EQ(requests.size(), 1);
    const auto& request = requests.first();
    EXPECT_EQ(request.method, "POST");
    EXPECT_EQ(request.target, "/info");
    EXPECT_EQ(request.header("Content-Type"), "application/x-www-form-urlencoded");
    EXPECT_EQ(request.header("charset"), "utf-8");
    EXPECT_TRUE(request.header("Expect").isNull());
    // Form encoding over UTF-8: letters, digits and . - * _ stay, a space is
    // "+", everything else "%XX" in upper case.
    EXPECT_TRUE(request.body.startsWith(
        "request=%3Cplenfox%3E%0D%0A++%3Cmeta%3E%0D%0A++++%3Ctags%3E%0D%0A++++++"
        "%3Cmeta-client-version%3Ev0.2+beta%3C%2Fmeta-client-version%3E%0D%0A"));
    EXPECT_TRUE(request.body.contains("%3Cname%3EPack+%C3%A9.zip%3C%2Fname%3E"));
    EXPECT_TRUE(request.body.contains("%3Cname%3Ea.b-c*d_e+f%2Bg%7Eh%3C%2Fname%3E"));
    EXPECT_TRUE(request.body.endsWith("%3C%2Fplenfox%3E%0D%0A"));
    EXPECT_EQ(request.body, PlenfoxUpdateSource::requestBody(expected));
    EXPECT_EQ(QString::fromUtf8(*plenfox::service::HttpRequest::formField(
                  request.body, QByteArrayLiteral("request"))),
              expected);
}

TEST_F(PlenfoxUpdateSourceTest, QueryWithoutAddonsStillHasBothLists) {
    const QString document = PlenfoxUpdateSource::writeQuery(UpdateQuery({}, {}, TagTable{}));
    EXPECT_EQ(document, QStringLiteral("<plenfox>\r\n  <meta>\r\n    <tags>\r\n    </tags>\r\n"
                                       "  </meta>\r\n  <wow>\r\n    <tags>\r\n    </tags>\r\n"
                                       "    <addons>\r\n    </addons>\r\n    <packages>\r\n"
                                       "    </packages>\r\n  </wow>\r\n</plenfox>\r\n"));
}

TEST_F(PlenfoxUpdateSourceTest, AnswerFromTheServiceBecomesTheResult) {
    const auto result = source.queryUpdates(
        looseQuery({installed(QStringLiteral("Alpha"), QStringLiteral("1.0")),
                    installed(QStringLiteral("Alpha_Options"), QStringLiteral("1.0")),
                    installed(QStringLiteral("Bare"), QStringLiteral("1")),
                    installed(QStringLiteral("Broken"), QStringLiteral("0.1")),
                    installed(QStringLiteral("Mine"), QStringLiteral("1")),
                    installed(QStringLiteral("Yours"), QStringLiteral("2"))}));
    ASSERT_TRUE(result);
    // Broken has an empty version in the answer and is dropped.
    const auto& addons = result->getAddons();
    ASSERT_EQ(addons.size(), 3u);
    const QString base = service.baseUrl();
    EXPECT_EQ(*addons[0], AddonMetadata(QStringLiteral("Alpha"), QStringLiteral("Alpha-2.0.zip"),
                                        QStringLiteral("2.0"), false,
                                        base + QStringLiteral("/Plenfox.html#alpha"),
                                        base + QStringLiteral("/zips/Alpha-2.0.zip")));
    EXPECT_EQ(addons[1]->getDocumentUrl(), QStringLiteral("http://elsewhere.example/options"));
    EXPECT_EQ(addons[2]->getName(), QStringLiteral("Bare"));
    EXPECT_TRUE(addons[2]->getDocumentUrl().isNull()); // empty url element

    const TagTable& tags = result->getPairs();
    EXPECT_EQ(tags.value(UpdateProtocol::TagServerMessage), QStringLiteral("Hello & welcome"));
    EXPECT_EQ(tags.value(UpdateProtocol::TagWowVersion), QStringLiteral("50400")); // overridden
    EXPECT_EQ(tags.value(UpdateProtocol::TagClientVersion), QStringLiteral("v0.2 beta"));
    EXPECT_EQ(tags.value(UpdateProtocol::TagWowLearnedAddons), QStringLiteral("2"));
    EXPECT_EQ(tags.value(UpdateProtocol::TagWowLearnedPackages), QStringLiteral("0"));

    // The answer is logged with every line ending as "\n".
    const QString logged = PlenfoxUpdateSource::Prefix + QStringLiteral(" ModInfo query result [");
    EXPECT_TRUE(environment.logContains(logged + QStringLiteral("<?xml")));
    EXPECT_EQ(environment.app().getExceptionCount(), 0);
}

TEST_F(PlenfoxUpdateSourceTest, AnswerEntriesAndTagsAreReadByTheirPaths) {
    answerWith(200,
               QByteArrayLiteral(
                   "<?xml version=\"1.0\"?>\r\n<plenfox>\r\n"
                   "<meta><tags><meta-server-message>a <![CDATA[b]]> <i>c</i></meta-server-message>"
                   "<meta-client-version>from answer</meta-client-version></tags></meta>\r\n"
                   "<wow><tags><wow-version-name>MoP</wow-version-name></tags>\r\n"
                   "<addons><newpackage/><newpackage/><newaddon/>\r\n"
                   "<addon><version>1</version></addon>\r\n"
                   "<addon><name></name><version>1</version></addon>\r\n"
                   "<addon><name>NoVersion</name></addon>\r\n"
                   "<addon><name>First</name><name>Second</name><package></package>"
                   "<version>3</version></addon>\r\n"
                   "<addon><name>Z</name><package>P.zip</package><version>9</version>"
                   "<url>http://u/</url></addon>\r\n"
                   "</addons></wow><addon><name>Outside</name><version>1</version></addon>"
                   "</plenfox>"));
    const auto result = source.queryUpdates(looseQuery({}));
    ASSERT_TRUE(result);
    ASSERT_EQ(result->getAddons().size(), 2u);
    EXPECT_EQ(*result->getAddons()[0], AddonMetadata(QStringLiteral("First"), QString(),
                                                     QStringLiteral("3"), false, QString()));
    EXPECT_EQ(*result->getAddons()[1],
              AddonMetadata(QStringLiteral("Z"), QStringLiteral("P.zip"), QStringLiteral("9"),
                            false, QStringLiteral("http://u/")));
    const TagTable& tags = result->getPairs();
    EXPECT_EQ(tags.value(UpdateProtocol::TagServerMessage), QStringLiteral("a b c"));
    EXPECT_EQ(tags.value(UpdateProtocol::TagClientVersion), QStringLiteral("from answer"));
    EXPECT_EQ(tags.value(UpdateProtocol::TagWowVersionName), QStringLiteral("MoP"));
    EXPECT_EQ(tags.value(UpdateProtocol::TagWowLearnedPackages), QStringLiteral("2"));
    EXPECT_EQ(tags.value(UpdateProtocol::TagWowLearnedAddons), QStringLiteral("1"));
    // The query's own tags keep their places; new ones follow.
    EXPECT_EQ(tags.keys().first(), UpdateProtocol::TagClientVersion);
    EXPECT_EQ(tags.size(), 4 + 2 + 2);
    // CR LF from the service arrives as "\n" in the logged answer.
    EXPECT_TRUE(
        environment.logContains(QStringLiteral("ModInfo query result [<?xml version=\"1.0\"?>")));
    EXPECT_FALSE(environment.logLines().join(QString()).contains(QLatin1Char('\r')));
}

TEST_F(PlenfoxUpdateSourceTest, AnswerOfAnotherShapeGivesOnlyTheCopiedTagsAndCounts) {
    answerWith(200,
               QByteArrayLiteral("<other><wow><addons><addon><name>A</name><version>1</version>"
                                 "</addon></addons></wow></other>"));
    const auto result = source.queryUpdates(looseQuery({}));
    ASSERT_TRUE(result);
    EXPECT_TRUE(result->getAddons().empty());
    TagTable expected = clientTags();
    expected.insert(UpdateProtocol::TagWowLearnedPackages, QStringLiteral("0"));
    expected.insert(UpdateProtocol::TagWowLearnedAddons, QStringLiteral("0"));
    EXPECT_EQ(result->getPairs(), expected);
}

TEST_F(PlenfoxUpdateSourceTest, ErrorStatusFailsEvenWithAReadableBody) {
    answerWith(500, QByteArrayLiteral("<plenfox><meta><tags/></meta></plenfox>"));
    expectFailure(source.queryUpdates(looseQuery({})),
                  QStringLiteral("Server returned HTTP response code: 500"));
    EXPECT_FALSE(environment.logContains(QStringLiteral("ModInfo query result")));
}

TEST_F(PlenfoxUpdateSourceTest, MalformedAnswerFails) {
    answerWith(200, QByteArrayLiteral("<plenfox><meta></plenfox>"));
    expectFailure(source.queryUpdates(looseQuery({})), QStringLiteral("malformed answer document"));
    // The answer was logged before it was parsed.
    EXPECT_TRUE(
        environment.logContains(QStringLiteral("ModInfo query result [<plenfox><meta></plenfox>")));
}

TEST_F(PlenfoxUpdateSourceTest, UnrecognizedTagIsRaisedAndNothingIsSent) {
    TagTable tags = clientTags();
    tags.insert(QStringLiteral("other"), QStringLiteral("x"));
    try {
        source.queryUpdates(looseQuery({}, tags));
        FAIL() << "no error raised";
    } catch (const plenfox::util::IllegalArgumentError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("Unrecognized tags 5 2 2"));
    }
    // A key that merely resembles a family does not belong to it.
    EXPECT_THROW(PlenfoxUpdateSource::checkTags(TagTable{{QStringLiteral("meta"), QString()}}),
                 plenfox::util::IllegalArgumentError);
    EXPECT_NO_THROW(PlenfoxUpdateSource::checkTags(clientTags()));
    EXPECT_TRUE(service.service().requests().isEmpty());
    EXPECT_EQ(environment.app().getExceptionCount(), 0);
}

// The fault mended here: an exchange with a service that accepts the
// connection and never answers must end, as a failed query.
TEST_F(PlenfoxUpdateSourceTest, SilentServiceEndsByTheTimeOut) {
    QTcpServer silent; // listens, never reads, never answers
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
    PlenfoxUpdateSource::Options options;
    options.totalTimeout = std::chrono::milliseconds(400);
    PlenfoxUpdateSource slow(QStringLiteral("http://127.0.0.1:") +
                                 QString::number(silent.serverPort()) + QStringLiteral("/info"),
                             options);
    QElapsedTimer clock;
    clock.start();
    const auto result = slow.queryUpdates(looseQuery({}));
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_GE(clock.elapsed(), 300);
    expectFailure(result, QStringLiteral("no answer in time"));
}

TEST_F(PlenfoxUpdateSourceTest, DefaultBoundsAreFifteenAndSixtySecondsAndEightMebibytes) {
    const PlenfoxUpdateSource standard;
    EXPECT_EQ(standard.getOptions().connectTimeout, std::chrono::seconds(15));
    EXPECT_EQ(standard.getOptions().totalTimeout, std::chrono::seconds(60));
    EXPECT_EQ(standard.getOptions().maxAnswerBytes, 8 * 1024 * 1024);
    EXPECT_EQ(standard.getPostUrl(), plenfox::client::Constants::UpdatesPostUrl);
}

TEST_F(PlenfoxUpdateSourceTest, AnswerLargerThanTheLimitFails) {
    // A valid document of exactly the limit passes.
    const QByteArray head = QByteArrayLiteral("<plenfox><!--");
    const QByteArray tail = QByteArrayLiteral("--></plenfox>");
    PlenfoxUpdateSource::Options options = shortOptions();
    options.maxAnswerBytes = 4096;
    PlenfoxUpdateSource limited(source.getPostUrl(), options);
    const QByteArray fits = head + QByteArray(4096 - head.size() - tail.size(), 'x') + tail;
    answerWith(200, fits);
    ASSERT_TRUE(limited.queryUpdates(looseQuery({})));

    // One byte more fails, whether or not the service announces the length.
    HttpResponse tooLarge =
        HttpResponse::of(200, QByteArrayLiteral("text/xml"), fits + QByteArrayLiteral(" "));
    service.service().setCannedAnswer(tooLarge);
    expectFailure(limited.queryUpdates(looseQuery({})), QStringLiteral("answer larger than 4096"));
    tooLarge.withContentLength = false;
    service.service().setCannedAnswer(tooLarge);
    EXPECT_EQ(limited.queryUpdates(looseQuery({})), nullptr);
    EXPECT_EQ(environment.app().getExceptionCount(), 2);

    // And the standard limit of 8 MiB holds too.
    answerWith(200, QByteArray(8 * 1024 * 1024 + 1, ' '));
    EXPECT_EQ(source.queryUpdates(looseQuery({})), nullptr);
    EXPECT_EQ(environment.app().getExceptionCount(), 3);
}

TEST_F(PlenfoxUpdateSourceTest, RefusedConnectionFails) {
    quint16 port = 0;
    {
        QTcpServer closed;
        ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
        port = closed.serverPort();
    }
    PlenfoxUpdateSource nowhere(QStringLiteral("http://127.0.0.1:") + QString::number(port) +
                                    QStringLiteral("/info"),
                                shortOptions());
    expectFailure(nowhere.queryUpdates(looseQuery({})), QStringLiteral("update query failed"));
}

TEST(PlenfoxUpdateSourceTextTest, AnswerLinesAreJoinedWithLineFeeds) {
    EXPECT_EQ(PlenfoxUpdateSource::joinLines(QStringLiteral("a\r\nb\rc\n\nd")),
              QStringLiteral("a\nb\nc\n\nd\n"));
    EXPECT_EQ(PlenfoxUpdateSource::joinLines(QStringLiteral("a\r\n")), QStringLiteral("a\n"));
    EXPECT_EQ(PlenfoxUpdateSource::joinLines(QString()), QString());
}

// Answers the fast tree parser would take although they are not XML
// documents: each is a failed query, not a result kept for hours.
TEST(PlenfoxUpdateSourceAnswerTest, AnswerThatIsNotWellFormedIsRefused) {
    const UpdateQuery query = looseQuery({});
    const char* const answers[] = {
        "<plenfox><meta/></plenfox>\n<plenfox/>\n",    // two root elements
        "<plenfox><meta/></plenfox>\ntrailing text\n", // text beside the root
        "leading text<plenfox/>\n",                    // text before the root
        "<plenfox><meta><tags><meta-x>&undefined;</meta-x></tags></meta></plenfox>\n",
    };
    for (const char* answer : answers)
        EXPECT_THROW(PlenfoxUpdateSource::readAnswer(query, QString::fromUtf8(answer)),
                     plenfox::util::IoError)
            << answer;
    // The predefined entities and character references are fine.
    const auto result = PlenfoxUpdateSource::readAnswer(
        query, QStringLiteral("<plenfox><meta><tags><meta-x>&amp;&#65;</meta-x></tags></meta>"
                              "</plenfox>\n"));
    EXPECT_EQ(result->getPairs().value(QStringLiteral("meta-x")), QStringLiteral("&A"));
}

// A hostile answer nested far deeper than any real one: its text is still
// gathered, without running out of stack.
TEST(PlenfoxUpdateSourceAnswerTest, DeeplyNestedTagTextIsGatheredWithoutRecursion) {
    constexpr int Depth = 100000;
    QString answer = QStringLiteral("<plenfox><meta><tags><meta-server-message>");
    answer.reserve(answer.size() + Depth * 8 + 100);
    for (int level = 0; level < Depth; ++level)
        answer += QStringLiteral("<a>");
    answer += QStringLiteral("deep");
    for (int level = 0; level < Depth; ++level)
        answer += level == Depth / 2 ? QStringLiteral("</a>-") : QStringLiteral("</a>");
    answer += QStringLiteral("</meta-server-message></tags></meta></plenfox>\n");
    const auto result = PlenfoxUpdateSource::readAnswer(looseQuery({}), answer);
    EXPECT_EQ(result->getPairs().value(QStringLiteral("meta-server-message")),
              QStringLiteral("deep-"));
}

// Many distinct tags: all are kept, in document order, a repeated tag
// replacing the earlier value in place.
TEST(PlenfoxUpdateSourceAnswerTest, HundredThousandDistinctTagsAreAllKeptInOrder) {
    constexpr int Count = 100000;
    QString answer = QStringLiteral("<plenfox><wow><tags>");
    for (int i = 0; i < Count; ++i)
        answer += QStringLiteral("<wow-t%1>%1</wow-t%1>").arg(i);
    answer += QStringLiteral("<wow-t7>again</wow-t7></tags></wow></plenfox>\n");
    const auto result = PlenfoxUpdateSource::readAnswer(looseQuery({}), answer);
    const TagTable& pairs = result->getPairs();
    // The query's four tags, the answer's tags and the two counts.
    ASSERT_EQ(pairs.size(), 4 + Count + 2);
    EXPECT_EQ(pairs.value(QStringLiteral("wow-t7")), QStringLiteral("again"));
    EXPECT_EQ(pairs.value(QStringLiteral("wow-t99999")), QStringLiteral("99999"));
    const QList<QString> keys = pairs.keys();
    EXPECT_EQ(keys[4 + 7], QStringLiteral("wow-t7"));
    EXPECT_EQ(keys[4 + Count - 1], QStringLiteral("wow-t99999"));
}

// The optional download address of an entry: read when it is a web address,
// ignored otherwise; answers without it read as before, and the element does
// not disturb clients that do not know it (they skip unknown children).
TEST(PlenfoxUpdateSourceAnswerTest, DownloadAddressIsKeptOnlyForWebAddresses) {
    const QString answer = QStringLiteral(
        "<plenfox><wow><addons>"
        "<addon><name>Web</name><version>2</version>"
        "<download-url> https://cdn.example/Web%202.zip </download-url></addon>"
        "<addon><name>Plain</name><version>2</version>"
        "<download-url>http://host:8642/zips/Plain-2.zip</download-url><extra>x</extra></addon>"
        "<addon><name>Disk</name><version>2</version>"
        "<download-url>file:///etc/passwd</download-url></addon>"
        "<addon><name>Relative</name><version>2</version>"
        "<download-url>/zips/Relative.zip</download-url></addon>"
        "<addon><name>Script</name><version>2</version>"
        "<download-url>javascript:alert(1)</download-url></addon>"
        "<addon><name>Old</name><version>2</version><url>http://page/</url></addon>"
        "</addons></wow></plenfox>\n");
    const auto result = PlenfoxUpdateSource::readAnswer(looseQuery({}), answer);
    QStringList read;
    for (const auto& addon : result->getAddons())
        read << addon->getName() + QLatin1Char('=') +
                    (addon->getDownloadUrl().isNull() ? QStringLiteral("<none>")
                                                      : addon->getDownloadUrl());
    EXPECT_EQ(read, (QStringList{QStringLiteral("Web=https://cdn.example/Web%202.zip"),
                                 QStringLiteral("Plain=http://host:8642/zips/Plain-2.zip"),
                                 QStringLiteral("Disk=<none>"), QStringLiteral("Relative=<none>"),
                                 QStringLiteral("Script=<none>"), QStringLiteral("Old=<none>")}));
    EXPECT_EQ(result->getAddons()[5]->getDocumentUrl(), QStringLiteral("http://page/"));
}
