#include "client/ui/InfoPanelData.h"

namespace plenfox::client::ui {

std::array<QString, 3> InfoPanelData::lines() const {
    std::array<QString, 3> result;
    result[0] = QStringLiteral("Install Path: ") + installPath + QStringLiteral("; ");
    if (!flavour.isEmpty())
        result[0] += flavour + QStringLiteral("; ");
    result[0] += QString::number(addons) + QStringLiteral(" addons installed.");
    if (runningQuery) {
        result[1] = QStringLiteral("Checking for updates ...");
    } else if (haveUpdateData) {
        result[1] = QString::number(availableUpdates) + QStringLiteral(" update(s) available; ") +
                    QString::number(outOfDateAddons) + QStringLiteral(" addon(s) out-of-date.");
        if (learnedPackages + learnedAddons != 0)
            result[1] += QStringLiteral(" New information submitted on ") +
                         QString::number(learnedPackages) + QStringLiteral(" package(s) and ") +
                         QString::number(learnedAddons) + QStringLiteral(" addon(s). Thanks!");
        if (!serverMessage.isEmpty())
            result[2] = QStringLiteral("Server message: ") + serverMessage;
    } else if (updatesDisabled) {
        result[1] = QStringLiteral(
            "Checking for updates is disabled at your request. Turn on updates in the Tools menu.");
    } else {
        result[1] = QStringLiteral("Update information is not available right now.");
    }
    return result;
}

} // namespace plenfox::client::ui
