#pragma once

#include "client/model/ServiceHost.h"

#include <QString>

namespace plenfox::client {

// Program-wide fixed values.
struct Constants {
    // The project's version and release stage, chosen when it is configured.
    static inline const QString VersionString = QStringLiteral(PLENFOX_VERSION_TEXT);
    // The window's title; also what "--version" prints.
    static inline const QString ProgramTitle = QStringLiteral("Plenfox Client ") + VersionString;
    static inline const QString CurrentServerVersionString = QStringLiteral("0.0.1");
    static inline const QString UserRepositoryName = QStringLiteral(".plenfoxclient");
    static inline const QString DownloadRepositoryName = QStringLiteral("downloads");
    // Chosen when the project is configured: the maker's web site (a loopback
    // one moves with a test service's port, see ServiceHost), the address
    // players write to, and the update service's domain as dialogs name it.
    static inline const QString WebSiteHost =
        ServiceHost::fromEnvironment(QStringLiteral(PLENFOX_WEB_HOST));
    static inline const QString SupportEmail = QStringLiteral(PLENFOX_SUPPORT_EMAIL);
    static inline const QString ServiceDomain = QStringLiteral(PLENFOX_SERVICE_DOMAIN);
    static inline const QString SupportPageUrl =
        QStringLiteral("http://") + WebSiteHost + QStringLiteral("/?l=support");
    static inline const QString CantFindWowMessageSuffix =
        QStringLiteral("\n\nPlease try running the World of Warcraft Launcher, and make sure you "
                       "are updated to the latest version, then restart Plenfox Client.\n\nIf "
                       "that doesn't work please report this bug to ") +
        SupportEmail + QStringLiteral(" and check ") + SupportPageUrl +
        QStringLiteral(" for tips.");
    static inline const QString BugReportPopupMessage =
        QStringLiteral("Please email this bug report file to ") + SupportEmail +
        QStringLiteral(". Thanks for your feedback!");
    static inline const QString SourceBackingFileName = QStringLiteral("DownloadURLs.dat");
    static inline const QString UpdateBackingFileName = QStringLiteral("Updates.dat");
    static inline const QString UpdateSettingsBackingFileName =
        QStringLiteral("UpdateSettings.dat");
    static inline const QString TargetFileName = QStringLiteral("Target.dat");
    static constexpr qint64 UpdateDeltaMs = 14400000;
    static constexpr int LogFilesToKeep = 25;
    // Chosen when the project is configured (PLENFOX_HTTP_HOST); a loopback
    // host may be moved to a test service's port (see ServiceHost).
    static inline const QString HttpHost =
        ServiceHost::fromEnvironment(QStringLiteral(PLENFOX_HTTP_HOST));
    static inline const QString UpdatesPostUrl =
        QStringLiteral("http://") + HttpHost + QStringLiteral("/info");
    static inline const QString DefaultUrl =
        QStringLiteral("http://") + WebSiteHost +
        QStringLiteral("/Plenfox.html?l=community&wcversion=" PLENFOX_WEB_VERSION);
    static inline const QString AdUrl =
        QStringLiteral("http://") + WebSiteHost + QStringLiteral("/appad.html");
    // Web search used to find the page of an addon no other source knows.
    static inline const QString SearchHost = QStringLiteral("www.bing.com");
    // The external addon site whose download links name a page plus a numeric
    // download id; the page one level up is kept as a download's source.
    static inline const QString AddonSiteUrlPrefix = QStringLiteral("https://addons.example.com/");
};

} // namespace plenfox::client
