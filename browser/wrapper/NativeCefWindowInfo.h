#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/wrapper/CefWindowInfo.h"

#include <atomic>
#include <cstdint>
#include <string_view>

namespace plenfox::cef {

// A window description owned by its handle.
class NativeCefWindowInfo final : public CefWindowInfo {
public:
    static constexpr std::string_view JavaName = boundary::Kinds::WindowInfo.className;

    void dispose() override;
    // The bridge receives the rectangle as position and size.
    void setChild(QWidget* component, const CefRect& rect) override;
    void setOffscreen(QWidget* component) override;
    void setPopup(QWidget* component, const QString& windowName) override;
    void setTransparentPainting(bool transparent) override;

    // The native record's address ("n_handleCefWindowInfo"); only the bridge reads and writes it.
    std::atomic<std::int64_t> handle{0};
};

} // namespace plenfox::cef
