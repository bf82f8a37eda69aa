#include "client/BrowserEngine.h"
#include "client/CloseSignals.h"
#include "client/CommandLine.h"
#include "client/SingleInstance.h"
#include "client/model/App.h"
#include "client/model/ClientRepository.h"
#include "client/ui/CefDesktopOpener.h"
#include "client/ui/MainFrame.h"
#include "client/ui/Utilities.h"
#include "lib/util/Paths.h"

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

const char* const NoDisplayAdvice =
    "Plenfox Client needs a graphical desktop to show its window. Start it from a desktop "
    "session, or without one under a virtual display: xvfb-run plenfoxclient\n";

// Whether the windowing system Qt will pick can be reached at all; a
// missing display would otherwise end the program in a crash.
bool displayConfigured() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const bool x11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (platform.isEmpty())
        return x11 || wayland;
    if (platform.startsWith("xcb"))
        return x11;
    if (platform.startsWith("wayland"))
        return wayland;
    return true; // offscreen, vnc and the like need no display
}

// Qt ends with a fatal message when the display cannot be opened after all
// (a display that is set but gone): say so plainly and leave with status 1.
void startUpMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    if (type == QtFatalMsg) {
        std::fputs(NoDisplayAdvice, stderr);
        std::_Exit(1);
    }
}

QStringList argumentsOf(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

} // namespace

int main(int argc, char* argv[]) {
    using plenfox::client::App;
    using plenfox::client::CommandLine;
    using plenfox::client::SingleInstance;
    // The command line is answered before anything starts: no display, no
    // second instance, no log file.
    const CommandLine command = CommandLine::parse(argumentsOf(argc, argv), QDir::currentPath());
    switch (command.action()) {
    case CommandLine::Action::Fail:
        print(stderr, command.errorText());
        return CommandLine::UsageError;
    case CommandLine::Action::ShowHelp: {
        const QCoreApplication core(argc, argv);
        print(stdout, CommandLine::helpText());
        return 0;
    }
    case CommandLine::Action::ShowVersion:
        print(stdout, CommandLine::versionText());
        return 0;
    case CommandLine::Action::Run:
        break;
    }
    if (!displayConfigured()) {
        std::fputs(NoDisplayAdvice, stderr);
        return 1;
    }
    // The embedded browsers draw in software unless told otherwise: without
    // a working OpenGL (virtual machines, remote and virtual displays) the
    // window would otherwise stay black around them.
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND"))
        qputenv("QT_QUICK_BACKEND", "software");
    // The browser engine runs on this application's thread; it shares
    // graphics contexts, which must be asked for before the application exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    qInstallMessageHandler(startUpMessages);
    QApplication application(argc, argv);
    qInstallMessageHandler(nullptr);
    QGuiApplication::setDesktopFileName(QStringLiteral(PLENFOX_DESKTOP_ID));
    QApplication::setWindowIcon(plenfox::client::ui::Utilities::programIcon());

    // One program per data folder: a later start hands its command line to
    // the running one, which shows its window.
    SingleInstance instance(plenfox::client::model::ClientRepository::defaultRoot());
    switch (instance.claim()) {
    case SingleInstance::Claim::Running:
        if (!instance.handOver(command.handOverArguments())) {
            print(stderr, instance.problem() + QLatin1Char('\n'));
            return 1;
        }
        print(stdout, QStringLiteral("Plenfox Client is already running; it was asked to show its "
                                     "window.\n"));
        return 0;
    case SingleInstance::Claim::Unlocked:
        print(stderr, QStringLiteral("Plenfox Client cannot make sure that it runs only once: ") +
                          instance.problem() + QLatin1Char('\n'));
        break;
    case SingleInstance::Claim::First:
        break;
    }

    App app;
    if (!instance.problem().isEmpty())
        App::log(QStringLiteral("Single instance: ") + instance.problem());
    plenfox::client::BrowserEngine engine;
    // Without the engine the program cannot do its work; the log says why.
    if (!engine.start()) {
        std::fprintf(stderr, "Plenfox Client could not start its web browser engine; the log "
                             "file named above says why.\n");
        return 1;
    }
    plenfox::client::ui::MainFrame* frame = nullptr;
    bool closeRequested = false;
    plenfox::client::CloseSignals signals([&frame, &closeRequested] {
        App::log(QStringLiteral("Close requested by a signal"));
        closeRequested = true;
        if (frame)
            frame->signalClose();
    });
    plenfox::client::ui::MainFrame::Setup setup;
    setup.factory = engine.getFactory();
    setup.opener = std::make_shared<plenfox::client::ui::CefDesktopOpener>();
    setup.life.gameFolder = command.gameFolder();
    auto mainFrame = std::make_unique<plenfox::client::ui::MainFrame>(setup);
    frame = mainFrame.get();
    if (closeRequested)
        mainFrame->signalClose();
    mainFrame->go();
    instance.onRequest([&frame](const QStringList& arguments) {
        App::log(QStringLiteral("Another start asked this one to show itself: [") +
                 arguments.join(QLatin1Char(' ')) + QLatin1Char(']'));
        const CommandLine request = CommandLine::parse(
            QStringList{QStringLiteral("plenfoxclient")} + arguments, QDir::currentPath());
        if (!frame)
            return;
        if (request.gameFolder())
            frame->useWowFolder(*request.gameFolder());
        else if (request.action() == CommandLine::Action::Fail)
            App::log(request.errorText());
        frame->showOnRequest();
    });
    App::log(QStringLiteral("go returns, waitForClose"));
    mainFrame->waitForClose();
    App::log(QStringLiteral("waitForClose returns"));
    mainFrame->hide();
    App::log(QStringLiteral("disposed frame"));
    mainFrame->shutDown();
    App::log(QStringLiteral("onBeforeExit returns"));
    frame = nullptr;
    // The window closed its browsers above; the engine closes whatever is
    // still open and ends running downloads as failed, while the widgets the
    // browsers live in still exist. The window object goes only after that.
    engine.stop();
    mainFrame.reset();
    if (const int count = app.getExceptionCount(); count != 0)
        App::log(QStringLiteral("Exceptions encountered ") + QString::number(count));
    return 0;
}
