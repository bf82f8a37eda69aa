#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <utility>
#include <vector>

namespace plenfox::service {

// What the reference update service knows: its tags, and the addon packages
// (zip files) it offers with the addons in them. Read from a small XML file:
//
//   <catalog name="...">
//     <tag name="meta-server-version">0.0.1</tag>
//     <package file="Example-1.0.zip" page="/Plenfox.html#Example">
//       <addon name="Example" version="1.0" title="Example" page="..."/>
//     </package>
//   </catalog>
//
// Tag names start with "meta-" or "wow-"; a page that starts with "/" is
// taken relative to the host the request was sent to.
class UpdateCatalog {
public:
    // Where the service serves a package's zip: this path and the file name.
    static inline const QString ZipPath = QStringLiteral("/zips/");

    struct Addon {
        QString name;
        QString title;   // defaults to the name
        QString version; // may be empty
        QString page;    // may be empty: the package's page is used
    };

    struct Package {
        QString fileName; // "<something>.zip", no folders
        QString page;     // may be empty
        std::vector<Addon> addons;
    };

    // Throws IoError when the file cannot be read, IllegalArgumentError when
    // its content is not a valid catalog.
    static UpdateCatalog load(const QString& file);
    static UpdateCatalog parse(const QByteArray& xml);

    const QString& getName() const { return name; }
    const QList<std::pair<QString, QString>>& getTags() const { return tags; }
    const std::vector<Package>& getPackages() const { return packages; }
    // Null when the catalog has no package of that file name.
    const Package* findPackage(const QString& fileName) const;
    // Null when the catalog has no addon of that name.
    const Addon* findAddon(const QString& addonName, const Package** package = nullptr) const;

    // The answer document for a query document: the catalog's tags, a
    // "newpackage" for every queried package and a "newaddon" for every
    // queried addon the catalog does not know, and an "addon" entry for every
    // catalog addon the query names, with the address of its package's zip
    // ("download-url"). Pages starting with "/" are prefixed with baseUrl
    // ("http://host:port"). Throws IllegalArgumentError for a query that is
    // not a well-formed query document.
    QByteArray answerQuery(const QByteArray& queryDocument, const QString& baseUrl) const;

private:
    QString name;
    QList<std::pair<QString, QString>> tags;
    std::vector<Package> packages;
};

} // namespace plenfox::service
