#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/jni/JavaObject.h"
#include "browser/wrapper/CefFrame.h"

#include <cstdint>
#include <memory>

#include <string_view>

namespace plenfox::cef {

// One browser. Operations the bridge does not provide (find, frame look-up
// by name, the client getter) are left out.
class CefBrowser : public virtual jni::JavaObject {
public:
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "CefBrowser";

    virtual void beforeParentClose() = 0;
    virtual bool canGoBack() = 0;
    virtual bool canGoForward() = 0;
    virtual void close() = 0;
    virtual void dispose() = 0;
    // Null once disposed.
    virtual std::shared_ptr<CefFrame> getMainFrame() = 0;
    virtual std::int64_t getWindowHandle() = 0;
    virtual void goBack() = 0;
    virtual void goForward() = 0;
    virtual bool isPopup() = 0;
    virtual void reload() = 0;
    virtual void reloadIgnoreCache() = 0;
    virtual void setClientRectangle(std::int32_t x, std::int32_t y, std::int32_t width,
                                    std::int32_t height) = 0;
    virtual void setFocus(bool enable) = 0;
    virtual void stopLoad() = 0;
};

} // namespace plenfox::cef
