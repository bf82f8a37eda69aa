#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/wrapper/CefBrowser.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string_view>

namespace plenfox::cef {

// A browser of the engine. When its last owner drops it, it gives back its
// engine reference, as dispose() does.
class NativeCefBrowser final : public CefBrowser {
public:
    static constexpr std::string_view JavaName = boundary::Kinds::Browser.className;

    NativeCefBrowser() = default;
    ~NativeCefBrowser() override;

    void beforeParentClose() override;
    bool canGoBack() override;
    bool canGoForward() override;
    void close() override;
    void dispose() override;
    std::shared_ptr<CefFrame> getMainFrame() override;
    std::int64_t getWindowHandle() override;
    void goBack() override;
    void goForward() override;
    bool isPopup() override;
    void reload() override;
    void reloadIgnoreCache() override;
    void setClientRectangle(std::int32_t x, std::int32_t y, std::int32_t width,
                            std::int32_t height) override;
    void setFocus(bool enable) override;
    void stopLoad() override;

    // The native object's address ("n_handleCefBrowser"); only the bridge reads and writes it.
    std::atomic<std::int64_t> handle{0};

private:
    struct StandIn {};
    // An object that carries a dropped browser's handle to the bridge.
    explicit NativeCefBrowser(StandIn) : disposesWhenDropped(false) {}

    std::mutex disposeLock;
    const bool disposesWhenDropped = true;
};

} // namespace plenfox::cef
