#include "client/ui/Utilities.h"

#include <QPixmap>

// The images are compiled into a library of their own; registering them here
// makes the linker keep them.
static void registerAssets() {
    Q_INIT_RESOURCE(plenfox_assets);
}

namespace plenfox::client::ui {

QString Utilities::getSizeText(qint64 bytes) {
    if (bytes > 1048576)
        return QString::number(bytes >> 20) + QStringLiteral("MB");
    if (bytes > 1024)
        return QString::number(bytes >> 10) + QStringLiteral("kB");
    return QString::number(bytes) + QStringLiteral(" Bytes");
}

QIcon Utilities::loadIcon(const QString& path) {
    return QIcon(loadImage(path));
}

QIcon Utilities::programIcon() {
    QIcon icon = loadIcon(QStringLiteral("assets/plenfox.png"));
    for (const int size : {48, 128, 256})
        icon.addPixmap(loadImage(QStringLiteral("assets/icons/plenfox-%1.png").arg(size)));
    return icon;
}

QPixmap Utilities::loadImage(const QString& path) {
    static const bool registered = (registerAssets(), true);
    Q_UNUSED(registered);
    return QPixmap(QStringLiteral(":/") + path);
}

} // namespace plenfox::client::ui
