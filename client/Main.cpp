#include "client/App.h"
#include "client/BrowserEngine.h"
#include "client/HeadlessSession.h"

#include <QCoreApplication>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
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
