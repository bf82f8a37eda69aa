#include "platform/Registry.h"

#include "platform/InMemoryRegistry.h"
#if defined(_WIN32)
#include "platform/Win32RawRegistry.h"
#include "platform/WindowsRegistry.h"
#endif

namespace plenfox::platform {

QString Registry::Value::typeName() const {
    switch (type) {
    case ValueType::String:
        return QStringLiteral("REG_SZ");
    case ValueType::ExpandString:
        return QStringLiteral("REG_EXPAND_SZ");
    case ValueType::MultiString:
        return QStringLiteral("REG_MULTI_SZ");
    case ValueType::Binary:
        return QStringLiteral("REG_BINARY");
    case ValueType::DWord:
        return QStringLiteral("REG_DWORD");
    case ValueType::QWord:
        return QStringLiteral("REG_QWORD");
    case ValueType::Other:
        break;
    }
    return QStringLiteral("REG_NONE");
}

QString Registry::Value::toString() const {
    return typeName() + QStringLiteral(" [") + data + QLatin1Char(']');
}

std::shared_ptr<const Registry> Registry::system() {
#if defined(_WIN32)
    static const std::shared_ptr<const Registry> registry =
        std::make_shared<WindowsRegistry>(std::make_unique<Win32RawRegistry>());
#else
    static const std::shared_ptr<const Registry> registry = std::make_shared<InMemoryRegistry>();
#endif
    return registry;
}

} // namespace plenfox::platform
