#include "client/ui/BrowserEventHandler.h"

namespace plenfox::client::ui {

std::shared_ptr<cef::CefLifeSpanHandler> BrowserEventHandler::getLifeSpanHandler() {
    std::lock_guard guard(lock);
    return lifeSpanHandler;
}

std::shared_ptr<cef::CefLoadHandler> BrowserEventHandler::getLoadHandler() {
    std::lock_guard guard(lock);
    return loadHandler;
}

std::shared_ptr<cef::CefRequestHandler> BrowserEventHandler::getRequestHandler() {
    std::lock_guard guard(lock);
    return requestHandler;
}

void BrowserEventHandler::setLifeSpanHandler(std::shared_ptr<cef::CefLifeSpanHandler> handler) {
    std::lock_guard guard(lock);
    lifeSpanHandler = std::move(handler);
}

void BrowserEventHandler::setLoadHandler(std::shared_ptr<cef::CefLoadHandler> handler) {
    std::lock_guard guard(lock);
    loadHandler = std::move(handler);
}

void BrowserEventHandler::setRequestHandler(std::shared_ptr<cef::CefRequestHandler> handler) {
    std::lock_guard guard(lock);
    requestHandler = std::move(handler);
}

} // namespace plenfox::client::ui
