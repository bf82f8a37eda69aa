#include "platform/WindowsRegistry.h"

#include "platform/RegistryValueDecoder.h"

namespace plenfox::platform {

WindowsRegistry::WindowsRegistry(std::unique_ptr<const RawRegistry> api) {
    views.push_back(std::move(api));
}

WindowsRegistry::WindowsRegistry(std::vector<std::unique_ptr<const RawRegistry>> views)
    : views(std::move(views)) {}

bool WindowsRegistry::keyExists(const QString& key) const {
    const std::u16string name = key.toStdU16String();
    for (const auto& view : views)
        if (view->keyExists(name))
            return true;
    return false;
}

std::optional<Registry::Value> WindowsRegistry::readValue(const QString& key,
                                                          const QString& valueName) const {
    std::optional<RawRegistry::Value> raw;
    for (const auto& view : views)
        if ((raw = view->readValue(key.toStdU16String(), valueName.toStdU16String())))
            break;
    if (!raw)
        return std::nullopt;
    const QByteArrayView bytes(reinterpret_cast<const char*>(raw->bytes.data()),
                               qsizetype(raw->bytes.size()));
    return RegistryValueDecoder::decode(RegistryValueDecoder::typeOf(raw->type), bytes);
}

} // namespace plenfox::platform
