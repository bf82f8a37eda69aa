#pragma once

#include "browser/wrapper/CefClientAdapter.h"

#include <memory>
#include <mutex>

namespace plenfox::client::ui {

// The client of the "Web" tab's browser: its life-span, load and request
// handlers are set by the browser panel, and may be replaced.
class BrowserEventHandler final : public cef::CefClientAdapter {
public:
    std::shared_ptr<cef::CefLifeSpanHandler> getLifeSpanHandler() override;
    std::shared_ptr<cef::CefLoadHandler> getLoadHandler() override;
    std::shared_ptr<cef::CefRequestHandler> getRequestHandler() override;

    void setLifeSpanHandler(std::shared_ptr<cef::CefLifeSpanHandler> handler);
    void setLoadHandler(std::shared_ptr<cef::CefLoadHandler> handler);
    void setRequestHandler(std::shared_ptr<cef::CefRequestHandler> handler);

private:
    std::mutex lock; // the engine asks from its own threads
    std::shared_ptr<cef::CefLifeSpanHandler> lifeSpanHandler;
    std::shared_ptr<cef::CefLoadHandler> loadHandler;
    std::shared_ptr<cef::CefRequestHandler> requestHandler;
};

} // namespace plenfox::client::ui
