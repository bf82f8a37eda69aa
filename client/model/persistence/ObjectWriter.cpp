#include "client/model/persistence/ObjectWriter.h"

#include "lib/util/Error.h"
#include "lib/util/Paths.h"

namespace plenfox::client::model {

ObjectWriter::ObjectWriter(QIODevice& device) : out(&device) {
    out.setVersion(QDataStream::Qt_6_4);
    out.writeRawData(ObjectStreamFormat::Magic, sizeof ObjectStreamFormat::Magic);
    out << static_cast<quint8>(ObjectStreamFormat::Version);
    checkStatus();
}

void ObjectWriter::writeTag(ObjectStreamTag tag) {
    out << static_cast<quint8>(tag);
}

void ObjectWriter::writeNull() {
    writeTag(ObjectStreamTag::Null);
    checkStatus();
}

void ObjectWriter::writeBool(bool value) {
    writeTag(ObjectStreamTag::Bool);
    out << static_cast<quint8>(value ? 1 : 0);
    checkStatus();
}

void ObjectWriter::writeInt(qint32 value) {
    writeTag(ObjectStreamTag::Int);
    out << value;
    checkStatus();
}

void ObjectWriter::writeLong(qint64 value) {
    writeTag(ObjectStreamTag::Long);
    out << value;
    checkStatus();
}

void ObjectWriter::writeTimestamp(const std::optional<QDateTime>& value) {
    if (!value || !value->isValid())
        return writeNull();
    writeTag(ObjectStreamTag::Timestamp);
    out << static_cast<qint64>(value->toMSecsSinceEpoch());
    checkStatus();
}

void ObjectWriter::writeString(const QString& value) {
    if (value.isNull())
        return writeNull();
    writeTag(ObjectStreamTag::String);
    out << value;
    checkStatus();
}

void ObjectWriter::writePath(const std::optional<std::filesystem::path>& value) {
    if (!value)
        return writeNull();
    writeTag(ObjectStreamTag::Path);
    out << util::pathText(*value);
    checkStatus();
}

void ObjectWriter::writeStringMap(const QMap<QString, QString>& map) {
    writeTag(ObjectStreamTag::StringMap);
    out << static_cast<qint32>(map.size());
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        writeString(it.key());
        writeString(it.value());
    }
    checkStatus();
}

void ObjectWriter::writeStringPairs(const QList<std::pair<QString, QString>>& pairs) {
    writeTag(ObjectStreamTag::StringMap);
    out << static_cast<qint32>(pairs.size());
    for (const auto& [key, value] : pairs) {
        writeString(key);
        writeString(value);
    }
    checkStatus();
}

void ObjectWriter::beginRecord(const QString& typeName) {
    writeTag(ObjectStreamTag::Record);
    out << typeName;
    checkStatus();
}

void ObjectWriter::beginList(qint32 count) {
    writeTag(ObjectStreamTag::List);
    out << count;
    checkStatus();
}

void ObjectWriter::checkStatus() const {
    if (out.status() != QDataStream::Ok)
        throw util::IoError(QStringLiteral("write failed"));
}

} // namespace plenfox::client::model
