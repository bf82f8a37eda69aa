#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/wrapper/CefHeaderMap.h"
#include <QString>

#include <atomic>
#include <cstdint>
#include <string_view>

namespace plenfox::cef {

// A header map owned by its handle.
class NativeCefHeaderMap final : public CefHeaderMap {
public:
    static constexpr std::string_view JavaName = boundary::Kinds::HeaderMap.className;

    void add(const QString& name, const QString& value) override;
    bool containsKey(const QString& name) override;
    std::shared_ptr<CefHeaderMap> copy() override;
    void dispose() override;
    QString getKey(std::int32_t index) override;
    std::int32_t getNumberOfKeys() override;
    QString getValue(std::int32_t index) override;
    QString getValue(const QString& name) override;
    void remove(std::int32_t index) override;

    // The native object's address ("n_handleCefHeaderMap"); only the bridge reads and writes it.
    std::atomic<std::int64_t> handle{0};
};

} // namespace plenfox::cef
