#include "client/model/persistence/ObjectReader.h"

#include "lib/util/Error.h"

#include <cstring>

namespace plenfox::client::model {

using util::StreamCorruptedError;

ObjectReader::ObjectReader(QIODevice& device) : in(&device) {
    in.setVersion(QDataStream::Qt_6_4);
    char magic[sizeof ObjectStreamFormat::Magic];
    if (in.readRawData(magic, sizeof magic) != static_cast<int>(sizeof magic))
        throw StreamCorruptedError(QStringLiteral("stream header missing"));
    quint8 version = 0;
    in >> version;
    checkStatus();
    if (std::memcmp(magic, ObjectStreamFormat::Magic, sizeof magic) != 0)
        throw StreamCorruptedError(QStringLiteral("not an object stream"));
    if (version != ObjectStreamFormat::Version)
        throw StreamCorruptedError(QStringLiteral("unsupported stream version ") +
                                   QString::number(version));
}

void ObjectReader::checkStatus() {
    if (in.status() != QDataStream::Ok)
        throw StreamCorruptedError(QStringLiteral("stream truncated or unreadable"));
}

ObjectStreamTag ObjectReader::readTag() {
    if (peeked) {
        const ObjectStreamTag tag = *peeked;
        peeked.reset();
        return tag;
    }
    quint8 value = 0;
    in >> value;
    checkStatus();
    if (!ObjectStreamFormat::isKnownTag(value))
        throw StreamCorruptedError(QStringLiteral("unknown type tag ") + QString::number(value));
    return static_cast<ObjectStreamTag>(value);
}

ObjectStreamTag ObjectReader::peekTag() {
    if (!peeked)
        peeked = readTag();
    return *peeked;
}

bool ObjectReader::atEnd() {
    return !peeked && in.atEnd();
}

void ObjectReader::expect(ObjectStreamTag expected) {
    const ObjectStreamTag tag = readTag();
    if (tag != expected)
        throw StreamCorruptedError(QStringLiteral("expected ") +
                                   ObjectStreamFormat::tagName(expected) +
                                   QStringLiteral(", found ") + ObjectStreamFormat::tagName(tag));
}

bool ObjectReader::expectOrNull(ObjectStreamTag expected) {
    if (peekTag() == ObjectStreamTag::Null) {
        readTag();
        return false;
    }
    expect(expected);
    return true;
}

QString ObjectReader::readText() {
    QString text;
    in >> text;
    checkStatus();
    return text;
}

qint32 ObjectReader::readCount() {
    qint32 count = 0;
    in >> count;
    checkStatus();
    if (count < 0)
        throw StreamCorruptedError(QStringLiteral("negative element count"));
    return count;
}

void ObjectReader::readNull() {
    expect(ObjectStreamTag::Null);
}

bool ObjectReader::readBool() {
    expect(ObjectStreamTag::Bool);
    quint8 value = 0;
    in >> value;
    checkStatus();
    return value != 0;
}

qint32 ObjectReader::readInt() {
    expect(ObjectStreamTag::Int);
    qint32 value = 0;
    in >> value;
    checkStatus();
    return value;
}

qint64 ObjectReader::readLong() {
    expect(ObjectStreamTag::Long);
    qint64 value = 0;
    in >> value;
    checkStatus();
    return value;
}

std::optional<QDateTime> ObjectReader::readTimestamp() {
    if (!expectOrNull(ObjectStreamTag::Timestamp))
        return std::nullopt;
    qint64 millis = 0;
    in >> millis;
    checkStatus();
    return QDateTime::fromMSecsSinceEpoch(millis, Qt::UTC);
}

QString ObjectReader::readString() {
    if (!expectOrNull(ObjectStreamTag::String))
        return QString();
    QString text = readText();
    // A present but empty text must stay distinct from null.
    if (text.isNull())
        text = QStringLiteral("");
    return text;
}

std::optional<std::filesystem::path> ObjectReader::readPath() {
    if (!expectOrNull(ObjectStreamTag::Path))
        return std::nullopt;
    const QString text = readText();
    // A lone surrogate has no file-system spelling: the conversion would fail
    // with a file-system error, which is not what a damaged file is.
    if (!text.isValidUtf16())
        throw StreamCorruptedError(QStringLiteral("path value is not valid UTF-16"));
    try {
        return std::filesystem::path(text.toStdU16String());
    } catch (const std::exception& error) {
        throw StreamCorruptedError(QStringLiteral("path value cannot be converted: ") +
                                   QString::fromLocal8Bit(error.what()));
    }
}

QMap<QString, QString> ObjectReader::readStringMap() {
    expect(ObjectStreamTag::StringMap);
    const qint32 count = readCount();
    QMap<QString, QString> map;
    for (qint32 i = 0; i < count; ++i) {
        const QString key = readString();
        map.insert(key, readString());
    }
    return map;
}

QList<std::pair<QString, QString>> ObjectReader::readStringPairs() {
    expect(ObjectStreamTag::StringMap);
    const qint32 count = readCount();
    QList<std::pair<QString, QString>> pairs;
    for (qint32 i = 0; i < count; ++i) {
        QString key = readString();
        pairs.emplace_back(std::move(key), readString());
    }
    return pairs;
}

bool ObjectReader::beginRecord(const QString& typeName) {
    if (!expectOrNull(ObjectStreamTag::Record))
        return false;
    const QString found = readText();
    if (found != typeName)
        throw StreamCorruptedError(QStringLiteral("expected record ") + typeName +
                                   QStringLiteral(", found ") + found);
    return true;
}

qint32 ObjectReader::beginList() {
    expect(ObjectStreamTag::List);
    return readCount();
}

} // namespace plenfox::client::model
