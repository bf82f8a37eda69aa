#pragma once

#include <QString>
#include <memory>

namespace plenfox::client::model {

class ObjectReader;
class ObjectWriter;

// What the client tells the update service about one addon, and what the
// service tells about one addon it knows. Immutable; stored in data files.
// The download address is not one of the record's stored fields: it came
// later than the record's layout, and the update manager keeps the answer's
// addresses beside the answer in its data file.
class AddonMetadata {
public:
    static inline const QString StreamType = QStringLiteral("AddonMetadata");

    // packageName, documentUrl and downloadUrl may be null.
    AddonMetadata(QString name, QString packageName, QString version, bool installed,
                  QString documentUrl, QString downloadUrl = QString());

    const QString& getName() const { return name; }
    const QString& getPackageName() const { return packageName; }
    const QString& getVersion() const { return version; }
    bool getInstalled() const { return installed; }
    const QString& getDocumentUrl() const { return documentUrl; }
    // Where the service's package of this version can be downloaded; null
    // when the service named no address.
    const QString& getDownloadUrl() const { return downloadUrl; }
    // The same entry with another download address.
    std::shared_ptr<AddonMetadata> withDownloadUrl(QString url) const;

    void writeFields(ObjectWriter& writer) const;
    static std::shared_ptr<AddonMetadata> readFields(ObjectReader& reader);

    bool operator==(const AddonMetadata& other) const = default;

private:
    QString name;
    QString packageName;
    QString version;
    bool installed;
    QString documentUrl;
    QString downloadUrl;
};

} // namespace plenfox::client::model
