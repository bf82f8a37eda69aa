// Which hosts a test service's port may replace: loopback ones only.
#include "client/model/ServiceHost.h"

#include <gtest/gtest.h>

namespace {

using plenfox::client::ServiceHost;

TEST(ServiceHostTest, ALoopbackHostTakesTheTestServicesPort) {
    EXPECT_EQ(ServiceHost::resolve(QStringLiteral("127.0.0.1:8642"), "40123"),
              QStringLiteral("127.0.0.1:40123"));
    EXPECT_EQ(ServiceHost::resolve(QStringLiteral("127.3.0.1"), "1"),
              QStringLiteral("127.3.0.1:1"));
    EXPECT_EQ(ServiceHost::resolve(QStringLiteral("LocalHost:80"), "65535"),
              QStringLiteral("LocalHost:65535"));
    EXPECT_EQ(ServiceHost::resolve(QStringLiteral("[::1]:8642"), "9000"),
              QStringLiteral("[::1]:9000"));
    EXPECT_EQ(ServiceHost::resolve(QStringLiteral("127.0.0.1:8642"), ""),
              QStringLiteral("127.0.0.1:8642"))
        << "no variable, no change";
}

TEST(ServiceHostTest, OtherHostsAndMalformedPortsAreNeverRedirected) {
    for (const char* host : {"updates.plenfox.example:8642", "127.0.0.1.example.com:80",
                             "10.0.0.1:8642", "127.0.0.256:80", "[::2]:80", "localhost.evil:80"})
        EXPECT_EQ(ServiceHost::resolve(QString::fromLatin1(host), "40123"),
                  QString::fromLatin1(host))
            << host;
    for (const char* port : {"0", "65536", "-1", "+80", " 80", "80x", "123456", "0x50"})
        EXPECT_EQ(ServiceHost::resolve(QStringLiteral("127.0.0.1:8642"), port),
                  QStringLiteral("127.0.0.1:8642"))
            << port;
}

} // namespace
