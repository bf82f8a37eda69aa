#if defined(_WIN32)

#include "platform/WindowsRegistry.h"

#include <QByteArray>
#include <cstring>
#include <vector>
#include <windows.h>

namespace plenfox::platform {

namespace {

// Closes the key on every path.
class OpenKey {
public:
    explicit OpenKey(const QString& key) {
        const std::wstring name = key.toStdWString();
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, name.c_str(), 0, KEY_READ | KEY_WOW64_32KEY,
                          &handle) != ERROR_SUCCESS)
            handle = nullptr;
    }
    ~OpenKey() {
        if (handle)
            RegCloseKey(handle);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    HKEY get() const { return handle; }

private:
    HKEY handle = nullptr;
};

Registry::ValueType typeOf(DWORD type) {
    switch (type) {
    case REG_SZ:
        return Registry::ValueType::String;
    case REG_EXPAND_SZ:
        return Registry::ValueType::ExpandString;
    case REG_MULTI_SZ:
        return Registry::ValueType::MultiString;
    case REG_BINARY:
        return Registry::ValueType::Binary;
    case REG_DWORD:
        return Registry::ValueType::DWord;
    case REG_QWORD:
        return Registry::ValueType::QWord;
    default:
        return Registry::ValueType::Other;
    }
}

// The wide-character data of a string value, without its terminating zeros
// (the registry does not guarantee that they are present).
QString wideText(const std::vector<BYTE>& data) {
    std::size_t count = data.size() / sizeof(wchar_t);
    const auto* text = reinterpret_cast<const wchar_t*>(data.data());
    while (count > 0 && text[count - 1] == L'\0')
        --count;
    return QString::fromWCharArray(text, static_cast<qsizetype>(count));
}

} // namespace

bool WindowsRegistry::keyExists(const QString& key) const {
    return OpenKey(key).get() != nullptr;
}

std::optional<Registry::Value> WindowsRegistry::readValue(const QString& key,
                                                          const QString& valueName) const {
    const OpenKey open(key);
    if (!open.get())
        return std::nullopt;
    const std::wstring name = valueName.toStdWString();
    std::vector<BYTE> data;
    DWORD type = REG_NONE;
    LSTATUS status = ERROR_MORE_DATA;
    // The value may grow between the size query and the read: retry then.
    for (int attempt = 0; attempt < 4 && status == ERROR_MORE_DATA; ++attempt) {
        DWORD size = 0;
        if (RegQueryValueExW(open.get(), name.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS)
            return std::nullopt;
        data.resize(size);
        status = RegQueryValueExW(open.get(), name.c_str(), nullptr, &type, data.data(), &size);
        data.resize(size);
    }
    if (status != ERROR_SUCCESS)
        return std::nullopt;

    Value value;
    value.type = typeOf(type);
    switch (value.type) {
    case ValueType::String:
    case ValueType::ExpandString:
        // A string ends at its first zero, whatever the stored size says.
        value.data = wideText(data);
        if (const qsizetype end = value.data.indexOf(QChar(u'\0')); end >= 0)
            value.data.truncate(end);
        break;
    case ValueType::MultiString:
        value.data = wideText(data).split(QChar(u'\0')).join(QStringLiteral("; "));
        break;
    case ValueType::DWord:
        if (data.size() >= sizeof(DWORD)) {
            DWORD number = 0;
            std::memcpy(&number, data.data(), sizeof number);
            value.data = QString::number(number);
        }
        break;
    case ValueType::QWord:
        if (data.size() >= sizeof(quint64)) {
            quint64 number = 0;
            std::memcpy(&number, data.data(), sizeof number);
            value.data = QString::number(number);
        }
        break;
    default:
        value.data = QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(data.data()),
                                                    static_cast<qsizetype>(data.size()))
                                             .toHex(' '));
        break;
    }
    return value;
}

} // namespace plenfox::platform

#endif
