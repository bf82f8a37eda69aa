#include "client/BrowserEngine.h"
#include "client/CloseSignals.h"
#include "client/model/App.h"
#include "client/ui/CefDesktopOpener.h"
#include "client/ui/MainFrame.h"

#include <QApplication>
#include <QByteArray>
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

} // namespace

int main(int argc, char* argv[]) {
    using plenfox::client::App;
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

    App app;
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
    auto mainFrame = std::make_unique<plenfox::client::ui::MainFrame>(setup);
    frame = mainFrame.get();
    if (closeRequested)
        mainFrame->signalClose();
    mainFrame->go();
    App::log(QStringLiteral("go returns, waitForClose"));
    mainFrame->waitForClose();
    App::log(QStringLiteral("waitForClose returns"));
    mainFrame->hide();
    App::log(QStringLiteral("disposed frame"));
    mainFrame->shutDown();
    App::log(QStringLiteral("onBeforeExit returns"));
    frame = nullptr;
    // The engine closes its browsers while the widgets they live in still
    // exist; the window object goes only after that.
    engine.stop();
    mainFrame.reset();
    if (const int count = app.getExceptionCount(); count != 0)
        App::log(QStringLiteral("Exceptions encountered ") + QString::number(count));
    return 0;
}
