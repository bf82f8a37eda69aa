#pragma once

#include <QString>

namespace plenfox::client {

// Program-wide fixed values.
struct Constants {
    static inline const QString VersionString = QStringLiteral("v0.2 beta");
    static inline const QString CurrentServerVersionString = QStringLiteral("0.0.1");
    static inline const QString UserRepositoryName = QStringLiteral(".plenfoxclient");
    static inline const QString DownloadRepositoryName = QStringLiteral("downloads");
    static inline const QString CantFindWowMessageSuffix = QStringLiteral(
        "\n\nIf the game is installed, choose its folder with \"Change WoW Folder\" in the File "
        "menu. If that does not help, please write to support@plenfox.example with a bug report "
        "(Help menu).");
    static inline const QString BugReportPopupMessage =
        QStringLiteral("A bug report was written to the file shown below. Please send it to "
                       "support@plenfox.example with a few words on what happened.");
    static inline const QString SourceBackingFileName = QStringLiteral("DownloadURLs.dat");
    static inline const QString UpdateBackingFileName = QStringLiteral("Updates.dat");
    static inline const QString UpdateSettingsBackingFileName =
        QStringLiteral("UpdateSettings.dat");
    static inline const QString TargetFileName = QStringLiteral("Target.dat");
    static constexpr qint64 UpdateDeltaMs = 14400000;
    static constexpr int LogFilesToKeep = 25;
    // Chosen when the project is configured (PLENFOX_HTTP_HOST).
    static inline const QString HttpHost = QStringLiteral(PLENFOX_HTTP_HOST);
    static inline const QString UpdatesPostUrl =
        QStringLiteral("http://") + HttpHost + QStringLiteral("/info");
    static inline const QString DefaultUrl =
        QStringLiteral("http://") + HttpHost +
        QStringLiteral("/Plenfox.html?l=community&wcversion=0.2-beta");
    static inline const QString AdUrl =
        QStringLiteral("http://") + HttpHost + QStringLiteral("/appad.html");
    // Web search used to find the page of an addon no other source knows.
    static inline const QString SearchHost = QStringLiteral("www.bing.com");
    // The external addon site whose download links name a page plus a numeric
    // download id; the page one level up is kept as a download's source.
    static inline const QString AddonSiteUrlPrefix = QStringLiteral("https://addons.example.com/");
};

} // namespace plenfox::client
