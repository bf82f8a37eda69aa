#include "browser/wrapper/CefClasses.h"

#include "browser/jni/ClassBuilder.h"
#include "browser/jni/DirectByteBuffer.h"
#include "browser/jni/JavaEnum.h"
#include "browser/wrapper/CefApp.h"
#include "browser/wrapper/CefBooleanBox.h"
#include "browser/wrapper/CefClientAdapter.h"
#include "browser/wrapper/CefClientBox.h"
#include "browser/wrapper/CefContentFilterBox.h"
#include "browser/wrapper/CefDownloadHandlerBox.h"
#include "browser/wrapper/CefGraphicsImplementationType.h"
#include "browser/wrapper/CefHandlerErrorCode.h"
#include "browser/wrapper/CefLogSeverity.h"
#include "browser/wrapper/CefNavigationType.h"
#include "browser/wrapper/CefProxyType.h"
#include "browser/wrapper/CefSeekType.h"
#include "browser/wrapper/CefStreamReaderBox.h"
#include "browser/wrapper/CefStringBox.h"
#include "browser/wrapper/CefUtilities.h"
#include "browser/wrapper/CefV8ValueBox.h"
#include "browser/wrapper/NativeCefBrowser.h"
#include "browser/wrapper/NativeCefBrowserSettings.h"
#include "browser/wrapper/NativeCefContentFilter.h"
#include "browser/wrapper/NativeCefDownloadHandler.h"
#include "browser/wrapper/NativeCefFactory.h"
#include "browser/wrapper/NativeCefFrame.h"
#include "browser/wrapper/NativeCefHeaderMap.h"
#include "browser/wrapper/NativeCefPostData.h"
#include "browser/wrapper/NativeCefProxyInfo.h"
#include "browser/wrapper/NativeCefRequest.h"
#include "browser/wrapper/NativeCefResponse.h"
#include "browser/wrapper/NativeCefSettings.h"
#include "browser/wrapper/NativeCefStreamReader.h"
#include "browser/wrapper/NativeCefWindowInfo.h"
#include "browser/wrapper/WidgetComponent.h"

namespace plenfox::cef {

namespace {

template <class T> std::string nameOf() {
    return std::string(T::JavaName);
}

template <class T> jni::ClassBuilder<T> interfaceOf(jni::ClassRegistry& registry) {
    return jni::ClassBuilder<T>::forInterface(registry, nameOf<T>());
}

// A handle class: made by the bridge with its constructor, the handle in its
// "n_handleCef..." field.
template <class T, class Interface>
void declareHandleClass(jni::ClassRegistry& registry, const std::string& handleField) {
    jni::ClassBuilder<T>::forClass(registry, nameOf<T>(), {nameOf<Interface>()})
        .template constructor<>()
        .field(handleField, &T::handle);
}

// A box: made by the bridge with the current value, read back with getValue.
template <class Box, class Value>
void declareBox(jni::ClassRegistry& registry, const std::string& fieldName) {
    jni::ClassBuilder<Box>::forClass(registry, nameOf<Box>())
        .template constructor<Value>()
        .method("getValue", &Box::getValue)
        .method("setValue", &Box::setValue)
        .field(fieldName, &Box::value);
}

template <class E>
jni::ClassBuilder<jni::JavaEnumConstant<E>> declareEnumeration(jni::ClassRegistry& registry) {
    auto builder = jni::ClassBuilder<jni::JavaEnumConstant<E>>::forClass(
        registry, std::string(jni::JavaEnumTraits<E>::JavaName));
    builder.method("getValue", &jni::JavaEnumConstant<E>::intValue);
    return builder;
}

void declareInterfaces(jni::ClassRegistry& registry) {
    interfaceOf<CefDisplayHandler>(registry);
    interfaceOf<CefFocusHandler>(registry);
    interfaceOf<CefKeyboardHandler>(registry);
    interfaceOf<CefMenuHandler>(registry);
    interfaceOf<CefPermissionHandler>(registry);
    interfaceOf<CefPrintHandler>(registry);
    interfaceOf<CefFindHandler>(registry);
    interfaceOf<CefJSDialogHandler>(registry);
    interfaceOf<CefV8ContextHandler>(registry);
    interfaceOf<CefRenderHandler>(registry);
    interfaceOf<CefDragHandler>(registry);
    interfaceOf<CefGeolocationHandler>(registry);
    interfaceOf<CefZoomHandler>(registry);
    interfaceOf<CefPopupFeatures>(registry);
    interfaceOf<CefCookieManager>(registry);
    interfaceOf<CefV8Value>(registry);
    interfaceOf<CefBrowser>(registry);
    interfaceOf<CefFrame>(registry);
    interfaceOf<CefRequest>(registry);
    interfaceOf<CefResponse>(registry);
    interfaceOf<CefHeaderMap>(registry);
    interfaceOf<CefPostData>(registry);
    interfaceOf<CefProxyInfo>(registry);
    interfaceOf<CefSettings>(registry);
    interfaceOf<CefBrowserSettings>(registry);
    interfaceOf<CefWindowInfo>(registry);

    interfaceOf<CefStreamReader>(registry)
        .method("read", &CefStreamReader::read)
        .method("seek", &CefStreamReader::seek)
        .method("tell", &CefStreamReader::tell)
        .method("eof", &CefStreamReader::eof);
    interfaceOf<CefContentFilter>(registry)
        .method("processData", &CefContentFilter::processData)
        .method("drain", &CefContentFilter::drain);
    // The handler sees the piece's bytes, not the buffer native code passes;
    // a missing buffer carries no bytes and the download goes on.
    interfaceOf<CefDownloadHandler>(registry)
        .method(
            "receivedData",
            +[](CefDownloadHandler& handler, std::shared_ptr<jni::DirectByteBuffer> data) {
                return !data || handler.receivedData(data->bytes());
            })
        .method("complete", &CefDownloadHandler::complete);
    interfaceOf<CefLifeSpanHandler>(registry)
        .method("onBeforePopup", &CefLifeSpanHandler::onBeforePopup)
        .method("onAfterCreated", &CefLifeSpanHandler::onAfterCreated)
        .method("runModal", &CefLifeSpanHandler::runModal)
        .method("doClose", &CefLifeSpanHandler::doClose)
        .method("onBeforeClose", &CefLifeSpanHandler::onBeforeClose);
    interfaceOf<CefLoadHandler>(registry)
        .method("onLoadStart", &CefLoadHandler::onLoadStart)
        .method("onLoadEnd", &CefLoadHandler::onLoadEnd)
        .method("onLoadError", &CefLoadHandler::onLoadError);
    interfaceOf<CefRequestHandler>(registry)
        .method("onBeforeBrowse", &CefRequestHandler::onBeforeBrowse)
        .method("onBeforeResourceLoad", &CefRequestHandler::onBeforeResourceLoad)
        .method("onResourceRedirect", &CefRequestHandler::onResourceRedirect)
        .method("onResourceResponse", &CefRequestHandler::onResourceResponse)
        .method("onProtocolExecution", &CefRequestHandler::onProtocolExecution)
        .method("getDownloadHandler", &CefRequestHandler::getDownloadHandler)
        .method("getAuthCredentials", &CefRequestHandler::getAuthCredentials)
        .method("getCookieManager", &CefRequestHandler::getCookieManager);
    interfaceOf<CefProxyHandler>(registry).method("getProxyForUrl",
                                                  &CefProxyHandler::getProxyForUrl);
    interfaceOf<CefResourceBundleHandler>(registry).method(
        "getLocalizedString", &CefResourceBundleHandler::getLocalizedString);
    interfaceOf<CefApp>(registry)
        .method("getProxyHandler", &CefApp::getProxyHandler)
        .method("getResourceBundleHandler", &CefApp::getResourceBundleHandler);
    interfaceOf<CefClient>(registry)
        .method("getLifeSpanHandler", &CefClient::getLifeSpanHandler)
        .method("getLoadHandler", &CefClient::getLoadHandler)
        .method("getRequestHandler", &CefClient::getRequestHandler)
        .method("getDisplayHandler", &CefClient::getDisplayHandler)
        .method("getFocusHandler", &CefClient::getFocusHandler)
        .method("getKeyboardHandler", &CefClient::getKeyboardHandler)
        .method("getMenuHandler", &CefClient::getMenuHandler)
        .method("getPermissionHandler", &CefClient::getPermissionHandler)
        .method("getPrintHandler", &CefClient::getPrintHandler)
        .method("getFindHandler", &CefClient::getFindHandler)
        .method("getJSDialogHandler", &CefClient::getJSDialogHandler)
        .method("getV8ContextHandler", &CefClient::getV8ContextHandler)
        .method("getRenderHandler", &CefClient::getRenderHandler)
        .method("getDragHandler", &CefClient::getDragHandler)
        .method("getGeolocationHandler", &CefClient::getGeolocationHandler)
        .method("getZoomHandler", &CefClient::getZoomHandler);
}

void declareValueClasses(jni::ClassRegistry& registry) {
    declareBox<CefStringBox, QString>(registry, "value");
    declareBox<CefBooleanBox, bool>(registry, "value");
    declareBox<CefStreamReaderBox, std::shared_ptr<CefStreamReader>>(registry, "value");
    declareBox<CefContentFilterBox, std::shared_ptr<CefContentFilter>>(registry, "f");
    declareBox<CefDownloadHandlerBox, std::shared_ptr<CefDownloadHandler>>(registry, "handler");
    declareBox<CefClientBox, std::shared_ptr<CefClient>>(registry, "client");
    declareBox<CefV8ValueBox, std::shared_ptr<CefV8Value>>(registry, "value");

    declareEnumeration<CefNavigationType>(registry).staticMethod("fromInt",
                                                                 &fromInt<CefNavigationType>);
    declareEnumeration<CefSeekType>(registry).staticMethod("fromInt", &fromInt<CefSeekType>);
    declareEnumeration<CefHandlerErrorCode>(registry).staticMethod("fromInt",
                                                                   &fromInt<CefHandlerErrorCode>);
    declareEnumeration<CefLogSeverity>(registry);
    declareEnumeration<CefGraphicsImplementationType>(registry);
    declareEnumeration<CefProxyType>(registry);

    jni::ClassBuilder<WidgetComponent>::forClass(registry, nameOf<WidgetComponent>())
        .method("lockSurface", &WidgetComponent::lockSurface)
        .method("getNativeWindow", &WidgetComponent::getNativeWindow)
        .method("unlockSurface", &WidgetComponent::unlockSurface);
}

void declareHandleClasses(jni::ClassRegistry& registry) {
    declareHandleClass<NativeCefBrowser, CefBrowser>(registry, "n_handleCefBrowser");
    declareHandleClass<NativeCefFrame, CefFrame>(registry, "n_handleCefFrame");
    declareHandleClass<NativeCefRequest, CefRequest>(registry, "n_handleCefRequest");
    declareHandleClass<NativeCefResponse, CefResponse>(registry, "n_handleCefResponse");
    declareHandleClass<NativeCefPostData, CefPostData>(registry, "n_handleCefPostData");
    declareHandleClass<NativeCefHeaderMap, CefHeaderMap>(registry, "n_handleCefHeaderMap");
    declareHandleClass<NativeCefStreamReader, CefStreamReader>(registry, "n_handleCefStreamReader");
    declareHandleClass<NativeCefProxyInfo, CefProxyInfo>(registry, "n_handleCefProxyInfo");
    declareHandleClass<NativeCefContentFilter, CefContentFilter>(registry,
                                                                 "n_handleCefContentFilter");
    declareHandleClass<NativeCefDownloadHandler, CefDownloadHandler>(registry,
                                                                     "n_handleCefDownloadHandler");
    declareHandleClass<NativeCefSettings, CefSettings>(registry, "n_handleCefSettings");
    declareHandleClass<NativeCefBrowserSettings, CefBrowserSettings>(registry,
                                                                     "n_handleCefBrowserSettings");
    declareHandleClass<NativeCefWindowInfo, CefWindowInfo>(registry, "n_handleCefWindowInfo");

    // Classes whose static methods are native: their class is the receiver.
    const auto noInstances = [](const jni::JavaObject&) { return false; };
    registry.define(nameOf<NativeCefFactory>(), {}, noInstances, false);
    registry.define(nameOf<CefUtilities>(), {}, noInstances, false);
}

} // namespace

void declareCefClasses(jni::ClassRegistry& registry) {
    if (registry.find(nameOf<CefClient>()))
        return;
    declareInterfaces(registry);
    declareValueClasses(registry);
    declareHandleClasses(registry);
}

} // namespace plenfox::cef
