#include "client/App.h"
#include "client/HeadlessSession.h"

#include <QCoreApplication>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    plenfox::client::App app;
    plenfox::client::HeadlessSession session;
    return session.run();
}
