// One program per data folder: the first start keeps the folder, later
// starts hand their command line over; other folders, released and crashed
// starts' locks, and peers that send nonsense.
#include "client/SingleInstance.h"

#include "lib/util/Paths.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace plenfox::test {
namespace {

using client::SingleInstance;
using Claim = SingleInstance::Claim;
namespace fs = std::filesystem;

bool waitFor(const std::function<bool()>& condition, int timeoutMs = 5000) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

class SingleInstanceTest : public ::testing::Test {
protected:
    fs::path dataFolder(const QString& name = QStringLiteral("data")) const {
        return util::toPath(home.filePath(name));
    }
    // Records what later starts handed over.
    void record(SingleInstance& first) {
        first.onRequest([this](const QStringList& arguments) { received.push_back(arguments); });
    }

    QTemporaryDir home;
    std::vector<QStringList> received;
};

TEST_F(SingleInstanceTest, LaterStartsHandTheirCommandLineToTheFirst) {
    SingleInstance first(dataFolder());
    ASSERT_EQ(first.claim(), Claim::First) << first.problem().toStdString();
    EXPECT_TRUE(first.problem().isEmpty()) << first.problem().toStdString();
    EXPECT_TRUE(fs::exists(SingleInstance::lockFile(dataFolder())));

    // Handed over before the first start was ready for it: kept until then.
    SingleInstance early(dataFolder());
    ASSERT_EQ(early.claim(), Claim::Running);
    ASSERT_TRUE(early.handOver({}));
    QCoreApplication::processEvents();
    record(first);
    ASSERT_TRUE(waitFor([this] { return received.size() == 1; }));
    EXPECT_TRUE(received[0].isEmpty());

    SingleInstance later(dataFolder());
    ASSERT_EQ(later.claim(), Claim::Running);
    const QStringList arguments = {QStringLiteral("--game-folder"),
                                   QStringLiteral("/games/World of Warcraft \u00e9")};
    ASSERT_TRUE(later.handOver(arguments));
    ASSERT_TRUE(waitFor([this] { return received.size() == 2; }));
    EXPECT_EQ(received[1], arguments);
}

TEST_F(SingleInstanceTest, EachDataFolderHasItsOwnInstance) {
    SingleInstance one(dataFolder(QStringLiteral("one")));
    SingleInstance two(dataFolder(QStringLiteral("two")));
    EXPECT_EQ(one.claim(), Claim::First);
    EXPECT_EQ(two.claim(), Claim::First);
    EXPECT_NE(SingleInstance::serverName(dataFolder(QStringLiteral("one"))),
              SingleInstance::serverName(dataFolder(QStringLiteral("two"))));
    // The same folder by another spelling is the same instance.
    EXPECT_EQ(SingleInstance::serverName(dataFolder(QStringLiteral("one"))),
              SingleInstance::serverName(dataFolder(QStringLiteral("two/../one/"))));
}

TEST_F(SingleInstanceTest, TheNextStartTakesOverAReleasedOrCrashedStartsLock) {
    {
        SingleInstance first(dataFolder());
        ASSERT_EQ(first.claim(), Claim::First);
    }
    {
        SingleInstance next(dataFolder());
        EXPECT_EQ(next.claim(), Claim::First);
    }
    // A crashed start leaves its lock (naming a process that is gone) and
    // its socket file behind.
    QProcess gone;
    gone.start(QStringLiteral("true"), {});
    ASSERT_TRUE(gone.waitForStarted());
    const qint64 pid = gone.processId();
    ASSERT_TRUE(gone.waitForFinished());
    QFile lock(util::pathText(SingleInstance::lockFile(dataFolder())));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(pid) + '\n' + QCoreApplication::applicationName().toUtf8() +
               '\n' + QSysInfo::machineHostName().toUtf8() + '\n');
    lock.close();
    QFile socket(SingleInstance::serverName(dataFolder()));
    ASSERT_TRUE(socket.open(QIODevice::WriteOnly));
    socket.close();

    SingleInstance restarted(dataFolder());
    ASSERT_EQ(restarted.claim(), Claim::First);
    EXPECT_TRUE(restarted.problem().isEmpty()) << restarted.problem().toStdString();
    record(restarted);
    SingleInstance later(dataFolder());
    ASSERT_EQ(later.claim(), Claim::Running);
    ASSERT_TRUE(later.handOver({QStringLiteral("--help")}));
    EXPECT_TRUE(waitFor([this] { return received.size() == 1; }));
}

TEST_F(SingleInstanceTest, AHolderThatDoesNotListenIsNamedWithItsLockFile) {
    fs::create_directories(dataFolder());
    QLockFile holder(util::pathText(SingleInstance::lockFile(dataFolder())));
    ASSERT_TRUE(holder.tryLock(0));
    SingleInstance later(dataFolder());
    ASSERT_EQ(later.claim(), Claim::Running);
    const QDeadlineTimer patience(5000);
    EXPECT_FALSE(later.handOver({}, std::chrono::milliseconds(300)));
    EXPECT_FALSE(patience.hasExpired());
    const QString problem = later.problem();
    EXPECT_TRUE(problem.contains(QStringLiteral("process ") +
                                 QString::number(QCoreApplication::applicationPid())))
        << problem.toStdString();
    EXPECT_TRUE(problem.contains(util::pathText(SingleInstance::lockFile(dataFolder()))))
        << problem.toStdString();
}

TEST_F(SingleInstanceTest, NonsenseOnTheSocketIsDroppedAndLaterStartsStillGetThrough) {
    SingleInstance first(dataFolder());
    ASSERT_EQ(first.claim(), Claim::First);
    record(first);
    for (const QByteArray& nonsense :
         {QByteArray("not json\n"), QByteArray("{\"an\":\"object\"}\n"),
          QByteArray(128 * 1024, 'x')}) {
        QLocalSocket peer;
        peer.connectToServer(SingleInstance::serverName(dataFolder()));
        ASSERT_TRUE(peer.waitForConnected(2000));
        peer.write(nonsense);
        ASSERT_TRUE(peer.waitForBytesWritten(2000));
        // The first start hangs up on it.
        EXPECT_TRUE(waitFor([&peer] { return peer.state() == QLocalSocket::UnconnectedState; }))
            << nonsense.left(20).toStdString();
    }
    QCoreApplication::processEvents();
    EXPECT_TRUE(received.empty());
    SingleInstance later(dataFolder());
    ASSERT_EQ(later.claim(), Claim::Running);
    ASSERT_TRUE(later.handOver({QStringLiteral("--version")}));
    ASSERT_TRUE(waitFor([this] { return received.size() == 1; }));
    EXPECT_EQ(received[0], QStringList{QStringLiteral("--version")});
}

} // namespace
} // namespace plenfox::test
