#pragma once

#include "client/model/persistence/ObjectStreamTag.h"

#include <QDataStream>
#include <QDateTime>
#include <QMap>
#include <QString>
#include <filesystem>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QIODevice;

namespace plenfox::client::model {

// Writes typed values to a device in our tagged binary format. Records are
// types with `static const QString StreamType`, `void writeFields(ObjectWriter&) const`
// and `static std::shared_ptr<T> readFields(ObjectReader&)`.
class ObjectWriter {
public:
    // Writes the stream header.
    explicit ObjectWriter(QIODevice& device);

    void writeNull();
    void writeBool(bool value);
    void writeInt(qint32 value);
    void writeLong(qint64 value);
    void writeTimestamp(const std::optional<QDateTime>& value);
    void writeString(const QString& value); // a null QString is written as null
    void writePath(const std::optional<std::filesystem::path>& value);
    void writeStringMap(const QMap<QString, QString>& map);
    // The same encoding as writeStringMap, with the entries in the order given.
    void writeStringPairs(const QList<std::pair<QString, QString>>& pairs);
    // Starts a record of the given type; its fields follow as values.
    void beginRecord(const QString& typeName);
    void beginList(qint32 count);

    template <typename T> void writeObject(const std::shared_ptr<T>& record) {
        if (!record) {
            writeNull();
            return;
        }
        beginRecord(T::StreamType);
        record->writeFields(*this);
    }

    template <typename T> void writeObjectList(const std::vector<std::shared_ptr<T>>& records) {
        beginList(static_cast<qint32>(records.size()));
        for (const auto& record : records)
            writeObject(record);
    }

    // Throws IoError when the device refused a write.
    void checkStatus() const;

private:
    void writeTag(ObjectStreamTag tag);

    QDataStream out;
};

} // namespace plenfox::client::model
