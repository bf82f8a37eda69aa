#pragma once

#include "platform/Registry.h"

#include <QByteArrayView>

#include <optional>

namespace plenfox::platform {

// Reads values from the lines of one key in a Wine registry file:
// "Name"="text", "Name"=str(N):"text", "Name"=dword:..., "Name"=hex:... and
// "Name"=hex(N):... (the bytes going on over lines that end with "\"), and
// "@"=... for the key's default value.
class WineValueParser {
public:
    // The value named `valueName` (ignoring case; empty for the default
    // value) in the section's lines. The first line that names it decides:
    // absent when none does or its data is malformed or cut off.
    static std::optional<Registry::Value> find(QByteArrayView section, const QString& valueName);

private:
    // The name a value line sets, with `equals` at the "=" after it; absent
    // for other lines.
    static std::optional<QString> nameOf(QByteArrayView line, qsizetype& equals);
    // The data after "=": `section` and `pos` give the lines that follow, for
    // data that goes on over several.
    static std::optional<Registry::Value> parse(QByteArrayView data, QByteArrayView section,
                                                qsizetype& pos);
    static std::optional<Registry::Value> stringValue(QByteArrayView data);
    static std::optional<Registry::Value> dwordValue(QByteArrayView data);
    static std::optional<Registry::Value> bytesValue(QByteArrayView data, QByteArrayView section,
                                                     qsizetype& pos);
    // The type "str(N)" or "hex(N)" at the start of `data` names, with
    // `close` at its ")"; absent when N is no hex number.
    static std::optional<Registry::ValueType> numberedType(QByteArrayView data, qsizetype& close);
};

} // namespace plenfox::platform
