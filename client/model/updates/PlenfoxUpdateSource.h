#pragma once

#include "client/model/Constants.h"
#include "client/model/updates/UpdateSource.h"

#include <QByteArray>
#include <QString>
#include <atomic>
#include <chrono>
#include <mutex>

namespace plenfox::util {
class IndentingPrintWriter;
}

namespace plenfox::client::model {

// Asks the update web service: writes the query as an XML document, posts it
// in one HTTP request and reads the service's XML answer into an UpdateResult.
// Holds no state between queries; every call builds its own writer,
// connection and parser.
class PlenfoxUpdateSource : public UpdateSource {
public:
    static inline const QString Prefix =
        QStringLiteral("class com.plenfox.kesh.client.model.PlenfoxUpdateSource");

    // Bounds of one exchange. A service that accepts the connection and never
    // answers would otherwise hold the update worker for ever; an exchange
    // that runs out of time, or an answer larger than maxAnswerBytes, is a
    // failed query.
    struct Options {
        std::chrono::milliseconds connectTimeout{15000};
        std::chrono::milliseconds totalTimeout{60000};
        qint64 maxAnswerBytes = qint64{8} * 1024 * 1024;
    };

    // Reads an answer document and evaluates the simple paths used on it;
    // its parser stays private to the source.
    class ResultsParser;

    PlenfoxUpdateSource();
    explicit PlenfoxUpdateSource(QString postUrl);
    PlenfoxUpdateSource(QString postUrl, Options options);

    std::shared_ptr<UpdateResult> queryUpdates(const UpdateQuery& query) override;
    // Ends a running exchange at once (as a failed query) and fails every
    // later one; the update manager calls it when the client closes.
    void abort() override;

    // Throws IllegalArgumentError "Unrecognized tags <total> <wow> <meta>"
    // when a key starts with neither "meta-" nor "wow-".
    static void checkTags(const TagTable& pairs);
    // The query document: CR LF line ends, two spaces per nesting level,
    // every value escaped.
    static QString writeQuery(const UpdateQuery& query);
    // One "addon" element with its name and version.
    static void print(util::IndentingPrintWriter& writer, const AddonMetadata& addon);
    // The request body: "request=" and the form-encoded UTF-8 bytes of the text.
    static QByteArray requestBody(const QString& queryText);
    // The answer text with every line ending turned into "\n", a final "\n"
    // added to an unterminated last line.
    static QString joinLines(const QString& text);

    // Posts the query text and returns the answer text. Throws IoError on a
    // transport failure, an HTTP status of 400 or more, a time-out, or an
    // answer larger than the limit.
    QString runPost(const QString& queryText) const;

    const QString& getPostUrl() const { return postUrl; }
    const Options& getOptions() const { return options; }

    // The result an answer text gives for the query. Throws IoError when
    // the text is not a well-formed XML document.
    static std::shared_ptr<UpdateResult> readAnswer(const UpdateQuery& query,
                                                    const QString& answerText);

private:
    // Runs the transfer of a prepared easy handle until it ends or abort()
    // is called; returns its result code.
    int perform(void* easy) const;

    QString postUrl;
    Options options;
    // Set by abort(); the running exchange's transfer checks it.
    std::atomic<bool> aborted{false};
    // Guards wakeup: the transfer's multi handle while one runs.
    mutable std::mutex transferLock;
    mutable void* wakeup = nullptr;
};

} // namespace plenfox::client::model
