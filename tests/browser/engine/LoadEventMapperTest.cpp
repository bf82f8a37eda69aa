// The load rules from plain reports, in orders Qt WebEngine may or may not
// produce with real pages: a load given up for another one, and aborted loads.
#include "browser/engine/src/LoadEventMapper.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class RecordingSink : public LoadEventSink {
public:
    void loadStarted() override { events.push_back("start"); }
    void loadEnded(int httpStatusCode) override {
        events.push_back("end " + std::to_string(httpStatusCode));
    }
    void loadFailed(int errorCode, const QUrl& failedUrl, const QString&) override {
        events.push_back("error " + std::to_string(errorCode) + " " +
                         failedUrl.toString().toStdString());
    }
    std::vector<std::string> events;
};

using Status = LoadReport::Status;
constexpr int Aborted = -3;
constexpr int ConnectionRefused = -102;

LoadReport report(Status status, const char* url, int errorCode = 0, bool httpStatus = false) {
    LoadReport made;
    made.status = status;
    made.url = QUrl(QString::fromLatin1(url));
    made.errorCode = errorCode;
    made.httpStatus = httpStatus;
    return made;
}

const QUrl PageA(QStringLiteral("http://site/a"));
const QUrl PageB(QStringLiteral("http://site/b"));

class LoadEventMapperTest : public ::testing::Test {
protected:
    RecordingSink sink;
    LoadEventMapper mapper{sink};
};

TEST_F(LoadEventMapperTest, OrdinaryLoadsStartOnCommitAndEndWithTheirStatus) {
    mapper.onLoadingChanged(report(Status::Started, "http://site/b"), PageA);
    EXPECT_TRUE(sink.events.empty()) << "nothing before the page changes";
    mapper.onUrlChanged();
    mapper.onLoadingChanged(report(Status::Succeeded, "http://site/b", 200, true), PageB);
    // A failure of the network is an error; the server's error page is not.
    mapper.onLoadingChanged(report(Status::Started, "http://site/c"), PageB);
    mapper.onLoadingChanged(report(Status::Failed, "http://site/c", ConnectionRefused), PageB);
    mapper.onLoadingChanged(report(Status::Started, "http://site/d"), PageB);
    mapper.onLoadingChanged(report(Status::Failed, "http://site/d", 404, true), PageB);
    EXPECT_EQ(sink.events, (std::vector<std::string>{"start", "end 200", "error -102 http://site/c",
                                                     "start", "end 404"}));
}

TEST_F(LoadEventMapperTest, LoadGivenUpForAnotherEndsNothingWhenItsFailureComesLate) {
    // The redirect of A to R was refused and B loads instead; A's failure is
    // reported after B started, under A's or R's URL, even after B committed.
    for (const char* lateUrl : {"http://site/a", "http://site/r"}) {
        for (const bool afterCommit : {false, true}) {
            SCOPED_TRACE(std::string(lateUrl) + (afterCommit ? " after commit" : ""));
            RecordingSink events;
            LoadEventMapper loads(events);
            loads.onLoadingChanged(report(Status::Started, "http://site/a"), QUrl());
            loads.abandon(QUrl(QStringLiteral("http://site/r")));
            loads.onLoadingChanged(report(Status::Started, "http://site/b"), QUrl());
            if (afterCommit)
                loads.onUrlChanged();
            loads.onLoadingChanged(report(Status::Failed, lateUrl, ConnectionRefused), PageA);
            loads.onUrlChanged();
            loads.onLoadingChanged(report(Status::Succeeded, "http://site/b", 200, true), PageB);
            EXPECT_EQ(events.events, (std::vector<std::string>{"start", "end 200"}));
        }
    }
}

TEST_F(LoadEventMapperTest, LoadGivenUpForAnotherEndsNothingWhenItsFailureComesFirst) {
    mapper.onLoadingChanged(report(Status::Started, "http://site/a"), QUrl());
    mapper.abandon(QUrl(QStringLiteral("http://site/r")));
    mapper.onLoadingChanged(report(Status::Failed, "http://site/r", Aborted), QUrl());
    mapper.onLoadingChanged(report(Status::Started, "http://site/b"), QUrl());
    mapper.onUrlChanged();
    mapper.onLoadingChanged(report(Status::Succeeded, "http://site/b", 200, true), PageB);
    EXPECT_EQ(sink.events, (std::vector<std::string>{"start", "end 200"}));
}

TEST_F(LoadEventMapperTest, AbortedLoadOfAnotherUrlIsNoErrorButOfThePageItselfIs) {
    // A link that turns into a download: aborted, the page stays A.
    mapper.onLoadingChanged(report(Status::Started, "http://site/file.zip"), PageA);
    mapper.onLoadingChanged(report(Status::Failed, "http://site/file.zip", Aborted), PageA);
    EXPECT_TRUE(sink.events.empty());
    // The page's own load stopped by an abort is an error, and ends.
    mapper.onLoadingChanged(report(Status::Started, "http://site/a"), PageA);
    mapper.onUrlChanged();
    mapper.onLoadingChanged(report(Status::Failed, "http://site/a", Aborted), PageA);
    EXPECT_EQ(sink.events, (std::vector<std::string>{"start", "error -3 http://site/a", "end 0"}));
}

} // namespace
