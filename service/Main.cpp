// The reference update service as a program: serves a catalog on 127.0.0.1.
//
//   plenfox-update-service [--port N] [--catalog FILE]
//
// --port 0 picks a free port. The port the service listens on is printed on
// standard output as the first line. Without --catalog it serves the sample
// catalog in share/plenfoxclient beside its own folder.

#include "service/UpdateCatalog.h"
#include "service/UpdateService.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>
#include <cstdio>
#include <exception>
#include <memory>

using plenfox::service::UpdateCatalog;
using plenfox::service::UpdateService;

namespace {
int usage(const char* problem) {
    std::fprintf(stderr, "%s\nusage: plenfox-update-service [--port N] [--catalog FILE]\n",
                 problem);
    return 2;
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    quint16 port = 8642;
    QString catalogFile =
        QDir(QCoreApplication::applicationDirPath())
            .filePath(QStringLiteral("../share/plenfoxclient/sample-catalog.xml"));
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QStringLiteral("--help") || argument == QStringLiteral("-h"))
            return usage("Serves update answers, pages and addon zips on 127.0.0.1.");
        if (argument != QStringLiteral("--port") && argument != QStringLiteral("--catalog"))
            return usage("unknown option");
        if (i + 1 >= arguments.size())
            return usage("missing value after an option");
        if (argument == QStringLiteral("--port")) {
            bool valid = false;
            const uint value = arguments[++i].toUInt(&valid);
            if (!valid || value > 65535)
                return usage("--port needs a number from 0 to 65535");
            port = static_cast<quint16>(value);
        } else {
            catalogFile = arguments[++i];
        }
    }

    try {
        auto catalog = std::make_shared<const UpdateCatalog>(UpdateCatalog::load(catalogFile));
        UpdateService service(catalog);
        if (!service.listen(port)) {
            std::fprintf(stderr, "cannot listen on 127.0.0.1:%u: %s\n", unsigned{port},
                         service.errorString().toLocal8Bit().constData());
            return 1;
        }
        std::printf("%u\n", unsigned{service.port()});
        std::fflush(stdout);
        std::fprintf(stderr, "%s on http://127.0.0.1:%u/ (catalog %s)\n",
                     catalog->getName().toLocal8Bit().constData(), unsigned{service.port()},
                     catalogFile.toLocal8Bit().constData());
        return QCoreApplication::exec();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
