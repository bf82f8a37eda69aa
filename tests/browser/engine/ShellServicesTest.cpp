// The desktop shell services, with the desktop opener replaced by a recorder.
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include "DesktopLauncher.h"
#include "FolderRevealer.h"

namespace {

// Restores an environment variable when the test ends.
class SavedVariable {
public:
    explicit SavedVariable(const char* name) : name_(name) {
        if (const char* value = std::getenv(name))
            value_ = value;
    }
    ~SavedVariable() {
        if (value_)
            setenv(name_, value_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> value_;
};

class ShellServices : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        record = folder.filePath(QStringLiteral("opened.txt")).toStdString();
        // A recorder in place of the desktop opener: one line per argument.
        const QString opener = folder.filePath(QStringLiteral("xdg-open"));
        QFile script(opener);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(("#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > '" + record + ".part'\nmv '" +
                      record + ".part' '" + record + "'\n")
                         .c_str());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        setenv("PATH", (folder.path().toStdString() + ":" + std::getenv("PATH")).c_str(), 1);
        // No session bus: the file manager cannot be asked.
        unsetenv("DBUS_SESSION_BUS_ADDRESS");
    }

    // The arguments the opener received, after waiting for it to run.
    std::vector<std::string> openerArguments() {
        for (int attempt = 0; attempt < 200; ++attempt) {
            std::ifstream in(record);
            if (in) {
                std::vector<std::string> lines;
                for (std::string line; std::getline(in, line);)
                    lines.push_back(line);
                if (!lines.empty() && lines.size() == std::stoul(lines[0]) + 1)
                    return {lines.begin() + 1, lines.end()};
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return {};
    }

    SavedVariable path{"PATH"};
    SavedVariable bus{"DBUS_SESSION_BUS_ADDRESS"};
    QTemporaryDir folder;
    std::string record;
};

} // namespace

TEST_F(ShellServices, opensTheTargetAsOneArgumentWithoutAShell) {
    // Would create a file in the working folder if a shell read the target.
    const std::u16string target =
        u"https://example.invalid/a b?x=1&y=$(touch injected);`touch also`";
    ShellRequest request;
    request.file = target;
    request.directory = folder.path().toStdU16String();
    ASSERT_TRUE(DesktopLauncher::execute(request));
    const auto arguments = openerArguments();
    ASSERT_EQ(1u, arguments.size());
    EXPECT_EQ(QString::fromStdU16String(target).toStdString(), arguments[0]);
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("injected"))));
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("also"))));
}

TEST_F(ShellServices, onlyOpeningIsOfferedAndATargetIsRequired) {
    ShellRequest print;
    print.operation = u"print";
    print.file = u"/tmp/document.txt";
    EXPECT_FALSE(DesktopLauncher::execute(print));
    EXPECT_FALSE(DesktopLauncher::open(u""));
    EXPECT_FALSE(FolderRevealer::showInFolder(u""));

    ShellRequest explicitOpen;
    explicitOpen.operation = u"open";
    explicitOpen.file = u"https://example.invalid/";
    EXPECT_TRUE(DesktopLauncher::execute(explicitOpen));
    EXPECT_EQ(std::vector<std::string>{"https://example.invalid/"}, openerArguments());
}

TEST_F(ShellServices, showInFolderWithoutAFileManagerOpensTheContainingFolder) {
    const QString inner = folder.filePath(QStringLiteral("downloads/with space"));
    ASSERT_TRUE(QDir().mkpath(inner));
    const QString file = inner + QStringLiteral("/addon.zip");
    EXPECT_TRUE(FolderRevealer::showInFolder(file.toStdU16String()));
    EXPECT_EQ(std::vector<std::string>{inner.toStdString()}, openerArguments());
}

namespace {

// A private session bus with the fake file manager on it.
class FileManagerBus : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        record = folder.filePath(QStringLiteral("shown.txt"));
        daemon.start(QStringLiteral("dbus-daemon"),
                     {QStringLiteral("--session"), QStringLiteral("--nofork"),
                      QStringLiteral("--print-address=1")});
        ASSERT_TRUE(daemon.waitForStarted(10000)) << "dbus-daemon is missing";
        ASSERT_TRUE(daemon.waitForReadyRead(10000));
        const QByteArray address = daemon.readLine().trimmed();
        ASSERT_FALSE(address.isEmpty());
        setenv("DBUS_SESSION_BUS_ADDRESS", address.constData(), 1);
        manager.start(QStringLiteral("/proc/self/exe"),
                      {QStringLiteral("--fake-file-manager"), record});
        ASSERT_TRUE(manager.waitForStarted(10000));
        for (int attempt = 0; attempt < 200 && !QFile::exists(record + QStringLiteral(".ready"));
             ++attempt)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ASSERT_TRUE(QFile::exists(record + QStringLiteral(".ready")));
    }
    void TearDown() override {
        manager.kill();
        manager.waitForFinished(10000);
        daemon.kill();
        daemon.waitForFinished(10000);
    }

    SavedVariable bus{"DBUS_SESSION_BUS_ADDRESS"};
    QTemporaryDir folder;
    QString record;
    QProcess daemon;
    QProcess manager;
};

} // namespace

TEST_F(FileManagerBus, showInFolderAsksTheFileManagerToSelectTheFile) {
    const QString file = folder.filePath(QStringLiteral("with space/addon #1.zip"));
    EXPECT_TRUE(FolderRevealer::showInFolder(file.toStdU16String()));
    QFile shown(record);
    ASSERT_TRUE(shown.open(QIODevice::ReadOnly));
    EXPECT_EQ(QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded) + QLatin1Char('\n'),
              QString::fromUtf8(shown.readAll()));
}
