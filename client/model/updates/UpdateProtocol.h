#pragma once

#include <QString>

namespace plenfox::client::model {

// Names of the tags exchanged with the update service. Every tag belongs to
// one of two families: "meta-" (about the client and the service) and "wow-"
// (about the game).
class UpdateProtocol {
public:
    static inline const QString MetaPrefix = QStringLiteral("meta-");
    static inline const QString WowPrefix = QStringLiteral("wow-");

    // Sent in a query.
    static inline const QString TagWowVersion = QStringLiteral("wow-version");
    static inline const QString TagWowInstalled = QStringLiteral("wow-installed");
    static inline const QString TagClientVersion = QStringLiteral("meta-client-version");
    static inline const QString TagExpectedServerVersion =
        QStringLiteral("meta-expected-server-version");
    // Received in an answer.
    static inline const QString TagWowVersionName = QStringLiteral("wow-version-name");
    static inline const QString TagServerVersion = QStringLiteral("meta-server-version");
    static inline const QString TagServerVersionName = QStringLiteral("meta-server-version-name");
    static inline const QString TagServerMessage = QStringLiteral("meta-server-message");
    // Counted by the client from the answer's "newpackage" and "newaddon" entries.
    static inline const QString TagWowLearnedPackages = QStringLiteral("wow-learned-packages");
    static inline const QString TagWowLearnedAddons = QStringLiteral("wow-learned-addons");

    // Optional child of an answer's "addon" element: the address of the
    // package that holds the version the entry names. Answers without it,
    // and clients that do not know it, read the rest of the entry as before.
    static inline const QString DownloadUrlElement = QStringLiteral("download-url");
};

} // namespace plenfox::client::model
