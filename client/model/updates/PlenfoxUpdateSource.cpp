#include "client/model/updates/PlenfoxUpdateSource.h"

#include "client/model/App.h"
#include "client/model/CurlLibrary.h"
#include "client/model/WebAddress.h"
#include "client/model/updates/UpdateProtocol.h"
#include "lib/util/Error.h"
#include "lib/util/Escapes.h"
#include "lib/util/IndentingPrintWriter.h"

#include <QTextStream>
#include <QXmlStreamReader>
#include <cstdio>
#include <curl/curl.h>
#include <memory>
#include <mutex>
#include <pugixml.hpp>

namespace plenfox::client::model {

using util::Escapes;
using util::IndentingPrintWriter;
using util::IoError;

namespace {

constexpr int IndentStep = 2;

// Collects the answer body and stops the transfer once it grows past the limit.
struct AnswerSink {
    QByteArray bytes;
    qint64 limit = 0;
    bool oversize = false;

    static size_t write(char* data, size_t size, size_t count, void* context) {
        auto* sink = static_cast<AnswerSink*>(context);
        const size_t length = size * count;
        if (sink->bytes.size() + static_cast<qint64>(length) > sink->limit) {
            sink->oversize = true;
            return 0; // makes the transfer fail
        }
        sink->bytes.append(data, static_cast<qsizetype>(length));
        return length;
    }
};

void writeTag(IndentingPrintWriter& writer, const QString& key, const QString& value) {
    const QString name = Escapes::escapeXml(key);
    writer.println(QLatin1Char('<') + name + QLatin1Char('>') + Escapes::escapeXml(value) +
                   QStringLiteral("</") + name + QLatin1Char('>'));
}

void writeTags(IndentingPrintWriter& writer, const TagTable& pairs, const QString& prefix) {
    writer.pushTag(QStringLiteral("tags"));
    for (const auto& [key, value] : pairs)
        if (key.startsWith(prefix))
            writeTag(writer, key, value);
    writer.popTag(QStringLiteral("tags"));
}

QString emptyToNull(const QString& text) {
    return text.isEmpty() ? QString() : text;
}

} // namespace

// ---------------------------------------------------------------------------
// ResultsParser

class PlenfoxUpdateSource::ResultsParser {
public:
    // Throws IoError when the text is not well-formed XML.
    explicit ResultsParser(QString documentText);

    // Stores element name -> text content of every node the path matches,
    // in document order, replacing values already in the table.
    void parseTags(const QString& path, TagTable& table) const;
    // All nodes an absolute path matches, in document order.
    pugi::xpath_node_set xpathNodes(const QString& path) const;
    // Text content of the first node the relative path matches from the
    // node, or a null QString when nothing matches.
    QString xpathText(const pugi::xml_node& node, const QString& path) const;

    // All text below the node, concatenated in document order. Walks the
    // tree without recursion: a hostile answer may nest very deeply.
    static QString textContent(const pugi::xml_node& node);

private:
    QString documentText;
    pugi::xml_document document;
};

namespace {

// The fast tree parser accepts some documents that are not well-formed (a
// second root element, text beside the root, an undefined entity). A full
// well-formedness check runs first, so such an answer is a failed query.
void checkWellFormed(const QByteArray& bytes) {
    QXmlStreamReader reader(bytes);
    while (!reader.atEnd())
        reader.readNext();
    if (reader.hasError())
        throw IoError(QStringLiteral("malformed answer document: ") + reader.errorString() +
                      QStringLiteral(" at line ") + QString::number(reader.lineNumber()) +
                      QStringLiteral(", column ") + QString::number(reader.columnNumber()));
}

} // namespace

PlenfoxUpdateSource::ResultsParser::ResultsParser(QString text) : documentText(std::move(text)) {
    const QByteArray bytes = documentText.toUtf8();
    checkWellFormed(bytes);
    // Blank text between elements is kept: it is part of an element's text content.
    const pugi::xml_parse_result parsed =
        document.load_buffer(bytes.constData(), static_cast<size_t>(bytes.size()),
                             pugi::parse_default | pugi::parse_ws_pcdata, pugi::encoding_utf8);
    if (!parsed)
        throw IoError(QStringLiteral("malformed answer document: ") +
                      QString::fromUtf8(parsed.description()) + QStringLiteral(" at offset ") +
                      QString::number(parsed.offset));
}

QString PlenfoxUpdateSource::ResultsParser::textContent(const pugi::xml_node& node) {
    const auto isText = [](const pugi::xml_node& candidate) {
        return candidate.type() == pugi::node_pcdata || candidate.type() == pugi::node_cdata;
    };
    if (isText(node))
        return QString::fromUtf8(node.value());
    QByteArray text;
    pugi::xml_node current = node.first_child();
    while (current) {
        if (current.type() == pugi::node_element && current.first_child()) {
            current = current.first_child();
            continue;
        }
        if (isText(current))
            text += current.value();
        // On to the next node in document order, climbing out of finished elements.
        while (!current.next_sibling()) {
            current = current.parent();
            if (current == node)
                return QString::fromUtf8(text);
        }
        current = current.next_sibling();
    }
    return QString::fromUtf8(text);
}

pugi::xpath_node_set PlenfoxUpdateSource::ResultsParser::xpathNodes(const QString& path) const {
    return document.select_nodes(path.toUtf8().constData());
}

QString PlenfoxUpdateSource::ResultsParser::xpathText(const pugi::xml_node& node,
                                                      const QString& path) const {
    const pugi::xpath_node match = node.select_node(path.toUtf8().constData());
    if (!match)
        return QString();
    const QString text = textContent(match.node());
    // Present but empty stays distinct from absent.
    return text.isNull() ? QStringLiteral("") : text;
}

void PlenfoxUpdateSource::ResultsParser::parseTags(const QString& path, TagTable& table) const {
    for (const pugi::xpath_node& match : xpathNodes(path)) {
        const QString text = textContent(match.node());
        table.insert(QString::fromUtf8(match.node().name()),
                     text.isNull() ? QStringLiteral("") : text);
    }
}

// ---------------------------------------------------------------------------
// PlenfoxUpdateSource

PlenfoxUpdateSource::PlenfoxUpdateSource() : PlenfoxUpdateSource(Constants::UpdatesPostUrl) {}

PlenfoxUpdateSource::PlenfoxUpdateSource(QString postUrl)
    : PlenfoxUpdateSource(std::move(postUrl), Options{}) {}

PlenfoxUpdateSource::PlenfoxUpdateSource(QString postUrl, Options options)
    : postUrl(std::move(postUrl)), options(options) {}

void PlenfoxUpdateSource::checkTags(const TagTable& pairs) {
    qsizetype metaCount = 0;
    qsizetype wowCount = 0;
    for (const auto& entry : pairs) {
        if (entry.first.startsWith(UpdateProtocol::MetaPrefix))
            ++metaCount;
        else if (entry.first.startsWith(UpdateProtocol::WowPrefix))
            ++wowCount;
    }
    if (pairs.size() != metaCount + wowCount)
        throw util::IllegalArgumentError(QStringLiteral("Unrecognized tags ") +
                                         QString::number(pairs.size()) + QLatin1Char(' ') +
                                         QString::number(wowCount) + QLatin1Char(' ') +
                                         QString::number(metaCount));
}

void PlenfoxUpdateSource::print(IndentingPrintWriter& writer, const AddonMetadata& addon) {
    writer.pushTag(QStringLiteral("addon"));
    writer.println(QStringLiteral("<name>") + Escapes::escapeXml(addon.getName()) +
                   QStringLiteral("</name>"));
    writer.println(QStringLiteral("<version>") + Escapes::escapeXml(addon.getVersion()) +
                   QStringLiteral("</version>"));
    writer.popTag(QStringLiteral("addon"));
}

QString PlenfoxUpdateSource::writeQuery(const UpdateQuery& query) {
    QString text;
    QTextStream stream(&text);
    IndentingPrintWriter writer(stream, IndentStep);
    writer.pushTag(QStringLiteral("plenfox"));

    writer.pushTag(QStringLiteral("meta"));
    writeTags(writer, query.getPairs(), UpdateProtocol::MetaPrefix);
    writer.popTag(QStringLiteral("meta"));

    writer.pushTag(QStringLiteral("wow"));
    writeTags(writer, query.getPairs(), UpdateProtocol::WowPrefix);
    writer.pushTag(QStringLiteral("addons"));
    for (const auto& addon : query.getLooseAddons())
        print(writer, *addon);
    writer.popTag(QStringLiteral("addons"));
    writer.pushTag(QStringLiteral("packages"));
    for (const auto& package : query.getAddonPackages()) {
        writer.pushTag(QStringLiteral("package"));
        writer.println(QStringLiteral("<name>") + Escapes::escapeXml(package->getPackageName()) +
                       QStringLiteral("</name>"));
        // A null page is written as an empty element.
        writer.println(QStringLiteral("<url>") + Escapes::escapeXml(package->getDocumentUrl()) +
                       QStringLiteral("</url>"));
        writer.pushTag(QStringLiteral("addons"));
        for (const auto& addon : package->getAddons())
            print(writer, *addon);
        writer.popTag(QStringLiteral("addons"));
        writer.popTag(QStringLiteral("package"));
    }
    writer.popTag(QStringLiteral("packages"));
    writer.popTag(QStringLiteral("wow"));

    writer.popTag(QStringLiteral("plenfox"));
    writer.flush();
    return text;
}

QByteArray PlenfoxUpdateSource::requestBody(const QString& queryText) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    const QByteArray utf8 = queryText.toUtf8();
    QByteArray body = QByteArrayLiteral("request=");
    body.reserve(body.size() + utf8.size() * 3);
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
            (byte >= '0' && byte <= '9') || byte == '.' || byte == '-' || byte == '*' ||
            byte == '_') {
            body.append(c);
        } else if (byte == ' ') {
            body.append('+');
        } else {
            body.append('%');
            body.append(Hex[byte >> 4]);
            body.append(Hex[byte & 0x0F]);
        }
    }
    return body;
}

QString PlenfoxUpdateSource::joinLines(const QString& text) {
    QString joined;
    joined.reserve(text.size() + 1);
    qsizetype start = 0;
    const qsizetype length = text.size();
    while (start < length) {
        qsizetype end = start;
        while (end < length && text[end] != QLatin1Char('\n') && text[end] != QLatin1Char('\r'))
            ++end;
        joined += QStringView(text).mid(start, end - start);
        joined += QLatin1Char('\n');
        if (end < length && text[end] == QLatin1Char('\r') && end + 1 < length &&
            text[end + 1] == QLatin1Char('\n'))
            ++end;
        start = end + 1;
    }
    return joined;
}

QString PlenfoxUpdateSource::runPost(const QString& queryText) const {
    CurlLibrary::ensureInitialized();
    const QByteArray body = requestBody(queryText);
    const QByteArray url = postUrl.toUtf8();

    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), &curl_easy_cleanup);
    if (!curl)
        throw IoError(QStringLiteral("cannot create an HTTP connection"));
    curl_slist* rawHeaders = nullptr;
    for (const char* header : {"Content-Type: application/x-www-form-urlencoded", "charset: utf-8",
                               // No "100-continue" handshake: the body goes out at once.
                               "Expect:"}) {
        curl_slist* extended = curl_slist_append(rawHeaders, header);
        if (!extended) {
            curl_slist_free_all(rawHeaders);
            throw IoError(QStringLiteral("cannot build the request headers"));
        }
        rawHeaders = extended;
    }
    std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> headers(rawHeaders,
                                                                        &curl_slist_free_all);
    AnswerSink sink;
    sink.limit = options.maxAnswerBytes;
    char errorText[CURL_ERROR_SIZE] = {};

    CURL* handle = curl.get();
    curl_easy_setopt(handle, CURLOPT_URL, url.constData());
#if LIBCURL_VERSION_NUM >= 0x075500
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
#endif
    curl_easy_setopt(handle, CURLOPT_POST, 1L);
    curl_easy_setopt(handle, CURLOPT_POSTFIELDS, body.constData());
    curl_easy_setopt(handle, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 0L);
    // A direct connection to the configured host, whatever the environment says.
    curl_easy_setopt(handle, CURLOPT_PROXY, "");
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(options.connectTimeout.count()));
    curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, static_cast<long>(options.totalTimeout.count()));
    curl_easy_setopt(handle, CURLOPT_MAXFILESIZE_LARGE,
                     static_cast<curl_off_t>(options.maxAnswerBytes));
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &AnswerSink::write);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &sink);
    curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, errorText);

    const auto code = static_cast<CURLcode>(perform(handle));
    const QString where = QStringLiteral(" [") + postUrl + QLatin1Char(']');
    if (code == CURLE_ABORTED_BY_CALLBACK)
        throw IoError(QStringLiteral("update query aborted for") + where);
    if (sink.oversize || code == CURLE_FILESIZE_EXCEEDED)
        throw IoError(QStringLiteral("answer larger than ") +
                      QString::number(options.maxAnswerBytes) + QStringLiteral(" bytes from") +
                      where);
    if (code == CURLE_OPERATION_TIMEDOUT)
        throw IoError(QStringLiteral("no answer in time from") + where + QStringLiteral(": ") +
                      QString::fromUtf8(errorText));
    if (code != CURLE_OK)
        throw IoError(QStringLiteral("update query failed for") + where + QStringLiteral(": ") +
                      (errorText[0] ? QString::fromUtf8(errorText)
                                    : QString::fromUtf8(curl_easy_strerror(code))));
    long status = 0;
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    if (status >= 400)
        throw IoError(QStringLiteral("Server returned HTTP response code: ") +
                      QString::number(status) + QStringLiteral(" for URL:") + where);
    return joinLines(QString::fromUtf8(sink.bytes));
}

void PlenfoxUpdateSource::abort() {
    aborted = true;
    std::lock_guard guard(transferLock);
    if (wakeup)
        curl_multi_wakeup(static_cast<CURLM*>(wakeup));
}

int PlenfoxUpdateSource::perform(void* easy) const {
    if (aborted)
        return CURLE_ABORTED_BY_CALLBACK;
    std::unique_ptr<CURLM, decltype(&curl_multi_cleanup)> multi(curl_multi_init(),
                                                                &curl_multi_cleanup);
    if (!multi)
        throw IoError(QStringLiteral("cannot create an HTTP transfer"));
    CURL* handle = static_cast<CURL*>(easy);
    if (curl_multi_add_handle(multi.get(), handle) != CURLM_OK)
        throw IoError(QStringLiteral("cannot start an HTTP transfer"));
    {
        std::lock_guard guard(transferLock);
        wakeup = multi.get();
    }
    CURLcode result = CURLE_OK;
    bool done = false;
    while (!done) {
        // abort() wakes the poll; the flag is read after every wake.
        if (aborted) {
            result = CURLE_ABORTED_BY_CALLBACK;
            break;
        }
        int running = 0;
        if (curl_multi_perform(multi.get(), &running) != CURLM_OK) {
            result = CURLE_RECV_ERROR;
            break;
        }
        int queued = 0;
        while (CURLMsg* message = curl_multi_info_read(multi.get(), &queued))
            if (message->msg == CURLMSG_DONE) {
                result = message->data.result;
                done = true;
            }
        if (!done && running == 0)
            done = true;
        if (!done)
            curl_multi_poll(multi.get(), nullptr, 0, 1000, nullptr);
    }
    {
        std::lock_guard guard(transferLock);
        wakeup = nullptr;
    }
    curl_multi_remove_handle(multi.get(), handle);
    return result;
}

std::shared_ptr<UpdateResult> PlenfoxUpdateSource::readAnswer(const UpdateQuery& query,
                                                              const QString& answerText) {
    const ResultsParser parser(answerText);
    TagTable pairs = query.getPairs();
    parser.parseTags(QStringLiteral("/plenfox/meta/tags/*"), pairs);
    parser.parseTags(QStringLiteral("/plenfox/wow/tags/*"), pairs);
    pairs.insert(UpdateProtocol::TagWowLearnedPackages,
                 QString::number(
                     parser.xpathNodes(QStringLiteral("/plenfox/wow/addons/newpackage")).size()));
    pairs.insert(
        UpdateProtocol::TagWowLearnedAddons,
        QString::number(parser.xpathNodes(QStringLiteral("/plenfox/wow/addons/newaddon")).size()));

    std::vector<std::shared_ptr<AddonMetadata>> addons;
    for (const pugi::xpath_node& entry :
         parser.xpathNodes(QStringLiteral("/plenfox/wow/addons/addon"))) {
        const pugi::xml_node node = entry.node();
        const QString name = parser.xpathText(node, QStringLiteral("name"));
        const QString packageName = parser.xpathText(node, QStringLiteral("package"));
        const QString version = parser.xpathText(node, QStringLiteral("version"));
        const QString url = parser.xpathText(node, QStringLiteral("url"));
        const QString download = parser.xpathText(node, UpdateProtocol::DownloadUrlElement);
        if (name.isEmpty() || version.isEmpty())
            continue;
        const QString downloadUrl = download.isEmpty() ? QString() : WebAddress::usable(download);
        if (!download.isEmpty() && downloadUrl.isNull())
            App::log(Prefix + QStringLiteral(".readAnswer: ignoring the download address of [") +
                     name + QStringLiteral("]: [") + download + QLatin1Char(']'));
        addons.push_back(std::make_shared<AddonMetadata>(name, emptyToNull(packageName), version,
                                                         false, emptyToNull(url), downloadUrl));
    }
    return std::make_shared<UpdateResult>(std::move(addons), std::move(pairs));
}

std::shared_ptr<UpdateResult> PlenfoxUpdateSource::queryUpdates(const UpdateQuery& query) {
    checkTags(query.getPairs());
    const QString queryText = writeQuery(query);
    const QByteArray printed = queryText.toUtf8();
    std::fwrite(printed.constData(), 1, static_cast<size_t>(printed.size()), stdout);
    std::fflush(stdout);
    try {
        const QString answerText = runPost(queryText);
        App::log(Prefix + QStringLiteral(" ModInfo query result [") + answerText +
                 QLatin1Char(']'));
        return readAnswer(query, answerText);
    } catch (const std::exception& error) {
        App::log(error);
        return nullptr;
    }
}

} // namespace plenfox::client::model
