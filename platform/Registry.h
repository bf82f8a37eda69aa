#pragma once

#include <QString>

#include <memory>
#include <optional>

namespace plenfox::platform {

// Read-only access to the machine-wide part of the Windows registry
// (HKEY_LOCAL_MACHINE). Keys are given relative to it, with "\" separators.
class Registry {
public:
    // The kinds of registry values; only plain strings are used as paths.
    enum class ValueType { String, ExpandString, MultiString, Binary, DWord, QWord, Other };

    struct Value {
        ValueType type = ValueType::Other;
        // The data as text: the string itself for the string types, otherwise
        // a readable rendering of the data.
        QString data;

        // "REG_SZ", "REG_EXPAND_SZ" and so on.
        QString typeName() const;
        // The value as it appears in log lines: type and data.
        QString toString() const;
    };

    static inline const QString RootName = QStringLiteral("HKEY_LOCAL_MACHINE");

    virtual ~Registry() = default;

    // The key's full name, e.g. "HKEY_LOCAL_MACHINE\SOFTWARE\Vendor".
    static QString fullName(const QString& key) { return RootName + QLatin1Char('\\') + key; }

    virtual bool keyExists(const QString& key) const = 0;
    // The named value of the key; absent when the key or the value is missing
    // or cannot be read.
    virtual std::optional<Value> readValue(const QString& key, const QString& valueName) const = 0;

    // The registry of this machine: the real one on Windows (its 32-bit
    // view, then its 64-bit view), an empty one elsewhere.
    static std::shared_ptr<const Registry> system();
};

} // namespace plenfox::platform
