#include "client/App.h"
#include "client/BrowserEngine.h"
#include "client/HeadlessSession.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    // The browser engine runs on this application's thread; it shares
    // graphics contexts, which must be asked for before the application exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    plenfox::client::App app;
    plenfox::client::BrowserEngine engine;
    // Without the engine the program cannot do its work; the log says why.
    if (!engine.start())
        return 1;
    plenfox::client::HeadlessSession session;
    const int status = session.run();
    engine.stop();
    return status;
}
