#include "client/model/events/ListenerMultiplexer.h"
#include "client/model/addons/AddonChangeListenerMultiplexer.h"
#include "lib/util/Error.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <vector>

using namespace plenfox::client::model;
using plenfox::test::TestEnvironment;

namespace {

// A one-event listener interface and its multiplexer, written the way the
// components write theirs.
class PingListener {
public:
    virtual ~PingListener() = default;
    virtual void ping(int value) = 0;
};

class PingMultiplexer : public PingListener, public ListenerMultiplexer<PingListener> {
public:
    PingMultiplexer() : ListenerMultiplexer(QStringLiteral("class test.PingMultiplexer")) {}
    void ping(int value) override {
        fire([&](PingListener& listener) { listener.ping(value); });
    }
};

class RecordingListener : public PingListener {
public:
    RecordingListener(QString name, std::vector<QString>& log, bool fail = false)
        : name(std::move(name)), log(log), fail(fail) {}
    void ping(int value) override {
        log.push_back(name + QString::number(value));
        if (fail)
            throw plenfox::util::IllegalStateError(name);
    }

private:
    QString name;
    std::vector<QString>& log;
    bool fail;
};

TEST(ListenerMultiplexerTest, CallsListenersByPriorityAndStopsAtAThrowingOne) {
    TestEnvironment env;
    std::vector<QString> calls;
    RecordingListener first(QStringLiteral("first"), calls);
    RecordingListener second(QStringLiteral("second"), calls, true);
    RecordingListener early(QStringLiteral("early"), calls);
    RecordingListener late(QStringLiteral("late"), calls);
    PingMultiplexer multiplexer;
    multiplexer.add(&first);
    multiplexer.add(0, &second);
    multiplexer.add(-1, &early);
    multiplexer.add(5, &late);
    EXPECT_THROW(multiplexer.ping(7), plenfox::util::IllegalStateError);
    EXPECT_EQ(calls, (std::vector<QString>{"early7", "first7", "second7"}));

    multiplexer.listenerReport();
    const QString report =
        env.logLines()
            .filter(QStringLiteral("class test.PingMultiplexer.listenerReport: "))
            .value(0);
    EXPECT_TRUE(
        report.startsWith(QStringLiteral("class test.PingMultiplexer.listenerReport: pri[-1]: ")));
    EXPECT_EQ(report.count(QStringLiteral("pri[0]: ")), 2);
    EXPECT_TRUE(report.endsWith(QStringLiteral("; ")));
}

TEST(ListenerMultiplexerTest, ReportOfAnEmptyMultiplexerEndsAfterTheColon) {
    TestEnvironment env;
    AddonChangeListenerMultiplexer multiplexer;
    multiplexer.listenerReport();
    EXPECT_TRUE(env.logLines().contains(AddonChangeListenerMultiplexer::Prefix +
                                        QStringLiteral(".listenerReport: ")));
}

} // namespace
