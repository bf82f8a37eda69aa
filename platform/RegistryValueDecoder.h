#pragma once

#include "platform/Registry.h"

#include <QByteArrayView>

namespace plenfox::platform {

// Turns a registry value's stored form into the text the program reads paths
// from and logs: its type number and bytes, as the Windows registry API hands
// them out and as Wine's "hex(N):" lines spell them. Windows and Wine values
// go through here alike.
class RegistryValueDecoder {
public:
    // The type of a type number (REG_SZ = 1, REG_EXPAND_SZ = 2, ...: the
    // numbers of the Windows API and of Wine's files).
    static Registry::ValueType typeOf(quint32 number);
    static bool isString(Registry::ValueType type);

    // The value stored as `bytes`: little-endian UTF-16 text for the string
    // types, little-endian numbers for DWord and QWord, the bytes in hex for
    // the rest (and for a number too short to hold one).
    static Registry::Value decode(Registry::ValueType type, QByteArrayView bytes);

    // A string value's text as the registry's readers see it: a plain string
    // ends at its first zero; a list's items are joined with "; ".
    static QString stringData(Registry::ValueType type, QString text);
};

} // namespace plenfox::platform
