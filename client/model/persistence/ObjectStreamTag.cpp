#include "client/model/persistence/ObjectStreamTag.h"

namespace plenfox::client::model {

QString ObjectStreamFormat::tagName(ObjectStreamTag tag) {
    switch (tag) {
    case ObjectStreamTag::Null:
        return QStringLiteral("null");
    case ObjectStreamTag::Bool:
        return QStringLiteral("bool");
    case ObjectStreamTag::Int:
        return QStringLiteral("int");
    case ObjectStreamTag::Long:
        return QStringLiteral("long");
    case ObjectStreamTag::Timestamp:
        return QStringLiteral("timestamp");
    case ObjectStreamTag::String:
        return QStringLiteral("string");
    case ObjectStreamTag::Path:
        return QStringLiteral("path");
    case ObjectStreamTag::StringMap:
        return QStringLiteral("string map");
    case ObjectStreamTag::Record:
        return QStringLiteral("record");
    case ObjectStreamTag::List:
        return QStringLiteral("list");
    }
    return QStringLiteral("tag ") + QString::number(static_cast<int>(tag));
}

bool ObjectStreamFormat::isKnownTag(std::uint8_t value) {
    return value <= static_cast<std::uint8_t>(ObjectStreamTag::List);
}

} // namespace plenfox::client::model
