#pragma once

#include <QString>
#include <memory>

namespace plenfox::client::model {

class ObjectReader;
class ObjectWriter;

// What the client tells the update service about one addon, and what the
// service tells about one addon it knows. Immutable; stored in data files.
class AddonMetadata {
public:
    static inline const QString StreamType = QStringLiteral("AddonMetadata");

    // packageName and documentUrl may be null.
    AddonMetadata(QString name, QString packageName, QString version, bool installed,
                  QString documentUrl);

    const QString& getName() const { return name; }
    const QString& getPackageName() const { return packageName; }
    const QString& getVersion() const { return version; }
    bool getInstalled() const { return installed; }
    const QString& getDocumentUrl() const { return documentUrl; }

    void writeFields(ObjectWriter& writer) const;
    static std::shared_ptr<AddonMetadata> readFields(ObjectReader& reader);

    bool operator==(const AddonMetadata& other) const = default;

private:
    QString name;
    QString packageName;
    QString version;
    bool installed;
    QString documentUrl;
};

} // namespace plenfox::client::model
