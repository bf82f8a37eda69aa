#pragma once

#include "browser/wrapper/CefBrowser.h"

#include <memory>

namespace plenfox::client::ui {

// A browser that handlers may use but not release: every operation goes to
// the wrapped browser except dispose and close, which do nothing. The
// control that owns the browser hands this out.
class NonDisposableBrowser final : public cef::CefBrowser {
public:
    explicit NonDisposableBrowser(std::shared_ptr<cef::CefBrowser> implementation);

    const std::shared_ptr<cef::CefBrowser>& getImplementation() const { return implementation; }

    void beforeParentClose() override { implementation->beforeParentClose(); }
    bool canGoBack() override { return implementation->canGoBack(); }
    bool canGoForward() override { return implementation->canGoForward(); }
    void close() override {}
    void dispose() override {}
    std::shared_ptr<cef::CefFrame> getMainFrame() override {
        return implementation->getMainFrame();
    }
    std::int64_t getWindowHandle() override { return implementation->getWindowHandle(); }
    void goBack() override { implementation->goBack(); }
    void goForward() override { implementation->goForward(); }
    bool isPopup() override { return implementation->isPopup(); }
    void reload() override { implementation->reload(); }
    void reloadIgnoreCache() override { implementation->reloadIgnoreCache(); }
    void setClientRectangle(std::int32_t x, std::int32_t y, std::int32_t width,
                            std::int32_t height) override {
        implementation->setClientRectangle(x, y, width, height);
    }
    void setFocus(bool enable) override { implementation->setFocus(enable); }
    void stopLoad() override { implementation->stopLoad(); }

private:
    std::shared_ptr<cef::CefBrowser> implementation;
};

} // namespace plenfox::client::ui
