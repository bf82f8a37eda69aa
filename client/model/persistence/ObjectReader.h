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

// Reads values written by ObjectWriter, in the same order. Every read checks
// the value's tag and throws StreamCorruptedError for an unknown tag, a value
// of another type than asked for, or input that ends too early.
class ObjectReader {
public:
    // Reads and checks the stream header.
    explicit ObjectReader(QIODevice& device);

    ObjectStreamTag peekTag();
    // True when the stream holds no further value: a value that later
    // versions of a file append is then absent.
    bool atEnd();
    void readNull();
    bool readBool();
    qint32 readInt();
    qint64 readLong();
    std::optional<QDateTime> readTimestamp();
    QString readString(); // null QString for a null value
    std::optional<std::filesystem::path> readPath();
    QMap<QString, QString> readStringMap();
    // A string map's entries in the order they were written.
    QList<std::pair<QString, QString>> readStringPairs();
    // True when a record of the given type follows (its fields come next),
    // false for null; another record type is an error.
    bool beginRecord(const QString& typeName);
    // The element count of the list that follows.
    qint32 beginList();

    template <typename T> std::shared_ptr<T> readObject() {
        if (!beginRecord(T::StreamType))
            return nullptr;
        return T::readFields(*this);
    }

    template <typename T> std::vector<std::shared_ptr<T>> readObjectList() {
        const qint32 count = beginList();
        std::vector<std::shared_ptr<T>> records;
        records.reserve(static_cast<std::size_t>(std::min(count, qint32{4096})));
        for (qint32 i = 0; i < count; ++i)
            records.push_back(readObject<T>());
        return records;
    }

private:
    ObjectStreamTag readTag();
    void expect(ObjectStreamTag expected);
    bool expectOrNull(ObjectStreamTag expected); // false when a null was read
    QString readText();
    qint32 readCount();
    void checkStatus();

    QDataStream in;
    std::optional<ObjectStreamTag> peeked;
};

} // namespace plenfox::client::model
