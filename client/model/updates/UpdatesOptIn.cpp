#include "client/model/updates/UpdatesOptIn.h"

#include "client/model/Constants.h"

namespace plenfox::client::model {

QString UpdatesOptIn::enableTitle() {
    return QStringLiteral("Enable updates from ") + Constants::ServiceDomain + QLatin1Char('?');
}

QString UpdatesOptIn::enableQuestion() {
    const QString& domain = Constants::ServiceDomain;
    return QStringLiteral("Would you like to recieve information from ") + domain +
           QStringLiteral(" when addon updates are available?\n\nIf you select Yes, strictly "
                          "anonymous information about the addons you install,\nincluding the URL "
                          "of the download page, is shared with ") +
           domain +
           QStringLiteral(" and other people\nusing the service. You will also receive updates "
                          "from the service.\n\nIf you select No, no information is uploaded and "
                          "you will not receive updates.");
}

QString UpdatesOptIn::alreadyEnabledTitle() {
    return QStringLiteral("Updates Enabled");
}

QString UpdatesOptIn::alreadyEnabledText() {
    return QStringLiteral(
        "Updates from the web service are already enabled. Thanks for contributing!");
}

QString UpdatesOptIn::disableTitle() {
    return QStringLiteral("Disable updates from ") + Constants::ServiceDomain + QLatin1Char('?');
}

QString UpdatesOptIn::disableQuestion() {
    const QString& domain = Constants::ServiceDomain;
    return QStringLiteral("Would you like to stop receiving addon update information from ") +
           domain +
           QStringLiteral("?\n\nIf you select Yes, Plenfox Client will stop uploading anonymous "
                          "information to ") +
           domain +
           QStringLiteral(" and you will also stop receiving update information.\n\nIf you select "
                          "No, Plenfox Client will continue to upload anonymous information to ") +
           domain + QStringLiteral(" and you will continue receiving update information.");
}

QString UpdatesOptIn::alreadyDisabledTitle() {
    return QStringLiteral("Updates Disabled");
}

QString UpdatesOptIn::alreadyDisabledText() {
    return QStringLiteral("Updates from the web service are already disabled.");
}

} // namespace plenfox::client::model
