#pragma once

#include <QIcon>
#include <QString>
#include <QtGlobal>

namespace plenfox::client::ui {

class Utilities {
public:
    // "<n>MB" above 1,048,576 bytes, "<n>kB" above 1024, else "<n> Bytes";
    // the larger units are whole numbers rounded down.
    static QString getSizeText(qint64 bytes);
    // An image of the program's resources, such as "assets/web.png".
    static QIcon loadIcon(const QString& path);
    // The program's icon at every size the resources hold.
    static QIcon programIcon();
    static QPixmap loadImage(const QString& path);
};

} // namespace plenfox::client::ui
