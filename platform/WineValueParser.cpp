#include "platform/WineValueParser.h"

#include "platform/RegistryValueDecoder.h"
#include "platform/WineText.h"

#include <QByteArray>
#include <QList>

namespace plenfox::platform {

using ValueType = Registry::ValueType;

std::optional<Registry::Value> WineValueParser::find(QByteArrayView section,
                                                     const QString& valueName) {
    qsizetype pos = 0;
    while (pos < section.size()) {
        const QByteArrayView line = WineText::nextLine(section, pos);
        qsizetype equals = 0;
        const std::optional<QString> name = nameOf(line, equals);
        if (name && name->compare(valueName, Qt::CaseInsensitive) == 0)
            return parse(line.sliced(equals + 1), section, pos);
    }
    return std::nullopt;
}

std::optional<QString> WineValueParser::nameOf(QByteArrayView line, qsizetype& equals) {
    QString name;
    if (line.startsWith('@')) {
        equals = 1;
    } else if (line.startsWith('"')) {
        name = WineText::unescape(line.sliced(1), '"', equals);
        if (equals < 0)
            return std::nullopt;
        equals += 1;
    } else {
        return std::nullopt;
    }
    if (equals >= line.size() || line[equals] != '=')
        return std::nullopt;
    return name;
}

std::optional<Registry::Value> WineValueParser::parse(QByteArrayView data, QByteArrayView section,
                                                      qsizetype& pos) {
    if (data.startsWith("str(") || data.startsWith('"'))
        return stringValue(data);
    if (data.startsWith("dword:"))
        return dwordValue(data);
    if (data.startsWith("hex"))
        return bytesValue(data, section, pos);
    Registry::Value value;
    value.type = ValueType::Other;
    value.data = QString::fromUtf8(data);
    return value;
}

std::optional<Registry::Value> WineValueParser::stringValue(QByteArrayView data) {
    Registry::Value value;
    value.type = ValueType::String;
    if (data.startsWith("str(")) {
        qsizetype close = 0;
        const std::optional<ValueType> type = numberedType(data, close);
        if (!type || close + 2 >= data.size() || data[close + 1] != ':' || data[close + 2] != '"')
            return std::nullopt;
        value.type = *type;
        data = data.sliced(close + 2);
    }
    qsizetype length = 0;
    const QString text = WineText::unescape(data.sliced(1), '"', length);
    // An unterminated text is a cut-off line, not a value.
    if (length < 0)
        return std::nullopt;
    value.data = RegistryValueDecoder::isString(value.type)
                     ? RegistryValueDecoder::stringData(value.type, text)
                     : text;
    return value;
}

std::optional<Registry::Value> WineValueParser::dwordValue(QByteArrayView data) {
    bool number = false;
    const quint32 dword = data.sliced(6).toByteArray().trimmed().toUInt(&number, 16);
    if (!number)
        return std::nullopt;
    Registry::Value value;
    value.type = ValueType::DWord;
    value.data = QString::number(dword);
    return value;
}

std::optional<Registry::Value> WineValueParser::bytesValue(QByteArrayView data,
                                                           QByteArrayView section, qsizetype& pos) {
    ValueType type = ValueType::Binary;
    const qsizetype colon = data.indexOf(':');
    if (colon < 0)
        return std::nullopt;
    if (data.startsWith("hex(")) {
        qsizetype close = 0;
        const std::optional<ValueType> numbered = numberedType(data, close);
        if (!numbered)
            return std::nullopt;
        type = *numbered;
    }
    // The bytes go on over lines ending with "\".
    QByteArray bytes;
    QByteArrayView part = data.sliced(colon + 1);
    for (;;) {
        const bool more = part.endsWith('\\');
        for (const QByteArray& item : part.toByteArray().split(',')) {
            const QByteArray digits = item.trimmed();
            if (digits.isEmpty() || digits == "\\")
                continue;
            bool number = false;
            const uint byte = digits.toUInt(&number, 16);
            if (!number || byte > 0xFF)
                return std::nullopt;
            bytes.append(char(byte));
        }
        if (!more || pos >= section.size())
            break;
        part = WineText::nextLine(section, pos);
    }
    return RegistryValueDecoder::decode(type, bytes);
}

std::optional<ValueType> WineValueParser::numberedType(QByteArrayView data, qsizetype& close) {
    close = data.indexOf(')');
    if (close <= 4)
        return std::nullopt;
    bool number = false;
    const int type = data.sliced(4, close - 4).toByteArray().toInt(&number, 16);
    if (!number)
        return std::nullopt;
    return RegistryValueDecoder::typeOf(quint32(type));
}

} // namespace plenfox::platform
