#include "platform/RegistryValueDecoder.h"

#include <QStringList>
#include <QtEndian>

namespace plenfox::platform {

using ValueType = Registry::ValueType;

ValueType RegistryValueDecoder::typeOf(quint32 number) {
    switch (number) {
    case 1:
        return ValueType::String;
    case 2:
        return ValueType::ExpandString;
    case 3:
        return ValueType::Binary;
    case 4:
        return ValueType::DWord;
    case 7:
        return ValueType::MultiString;
    case 11:
        return ValueType::QWord;
    default:
        return ValueType::Other;
    }
}

bool RegistryValueDecoder::isString(ValueType type) {
    return type == ValueType::String || type == ValueType::ExpandString ||
           type == ValueType::MultiString;
}

Registry::Value RegistryValueDecoder::decode(ValueType type, QByteArrayView bytes) {
    Registry::Value value;
    value.type = type;
    if (isString(type)) {
        // An odd last byte is no whole character.
        QString text(bytes.size() / 2, Qt::Uninitialized);
        if (!text.isEmpty())
            qFromLittleEndian<quint16>(bytes.data(), text.size(), text.data());
        value.data = stringData(type, std::move(text));
    } else if (type == ValueType::DWord && bytes.size() >= 4) {
        value.data = QString::number(qFromLittleEndian<quint32>(bytes.data()));
    } else if (type == ValueType::QWord && bytes.size() >= 8) {
        value.data = QString::number(qFromLittleEndian<quint64>(bytes.data()));
    } else {
        value.data = QString::fromLatin1(bytes.toByteArray().toHex(' '));
    }
    return value;
}

QString RegistryValueDecoder::stringData(ValueType type, QString text) {
    if (type == ValueType::MultiString) {
        while (text.endsWith(QChar(u'\0')))
            text.chop(1);
        return text.split(QChar(u'\0')).join(QStringLiteral("; "));
    }
    if (const qsizetype end = text.indexOf(QChar(u'\0')); end >= 0)
        text.truncate(end);
    return text;
}

} // namespace plenfox::platform
