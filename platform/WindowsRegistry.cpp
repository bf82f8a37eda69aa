#include "platform/WindowsRegistry.h"

#include "platform/RegistryValueDecoder.h"

namespace plenfox::platform {

WindowsRegistry::WindowsRegistry(std::unique_ptr<const RawRegistry> api) : api(std::move(api)) {}

bool WindowsRegistry::keyExists(const QString& key) const {
    return api->keyExists(key.toStdU16String());
}

std::optional<Registry::Value> WindowsRegistry::readValue(const QString& key,
                                                          const QString& valueName) const {
    const std::optional<RawRegistry::Value> raw =
        api->readValue(key.toStdU16String(), valueName.toStdU16String());
    if (!raw)
        return std::nullopt;
    const QByteArrayView bytes(reinterpret_cast<const char*>(raw->bytes.data()),
                               qsizetype(raw->bytes.size()));
    return RegistryValueDecoder::decode(RegistryValueDecoder::typeOf(raw->type), bytes);
}

} // namespace plenfox::platform
