#include "browser/wrapper/CefClasses.h"

#include "browser/boundary/BoundaryNames.h"
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

namespace Kinds = boundary::Kinds;
namespace Methods = boundary::Methods;

template <class T> std::string nameOf() {
    return std::string(T::JavaName);
}

template <class T> jni::ClassBuilder<T> interfaceOf(jni::ClassRegistry& registry) {
    return jni::ClassBuilder<T>::forInterface(registry, nameOf<T>());
}

// A handle class: made by the bridge with its constructor, the handle in its
// "n_handleCef..." field.
template <class T, class Interface>
void declareHandleClass(jni::ClassRegistry& registry, const boundary::ClientKind& kind) {
    jni::ClassBuilder<T>::forClass(registry, nameOf<T>(), {nameOf<Interface>()})
        .template constructor<>()
        .field(kind.handleField, &T::handle);
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
        .method(Methods::StreamReaderRead.name, &CefStreamReader::read)
        .method(Methods::StreamReaderSeek.name, &CefStreamReader::seek)
        .method(Methods::StreamReaderTell.name, &CefStreamReader::tell)
        .method(Methods::StreamReaderEof.name, &CefStreamReader::eof);
    interfaceOf<CefContentFilter>(registry)
        .method(Methods::ContentFilterProcessData.name, &CefContentFilter::processData)
        .method(Methods::ContentFilterDrain.name, &CefContentFilter::drain);
    // The handler sees the piece's bytes, not the buffer native code passes;
    // a missing buffer carries no bytes and the download goes on.
    interfaceOf<CefDownloadHandler>(registry)
        .method(
            Methods::DownloadHandlerReceivedData.name,
            +[](CefDownloadHandler& handler, std::shared_ptr<jni::DirectByteBuffer> data) {
                return !data || handler.receivedData(data->bytes());
            })
        .method(Methods::DownloadHandlerComplete.name, &CefDownloadHandler::complete);
    interfaceOf<CefLifeSpanHandler>(registry)
        .method(Methods::LifeSpanHandlerOnBeforePopup.name, &CefLifeSpanHandler::onBeforePopup)
        .method(Methods::LifeSpanHandlerOnAfterCreated.name, &CefLifeSpanHandler::onAfterCreated)
        .method(Methods::LifeSpanHandlerRunModal.name, &CefLifeSpanHandler::runModal)
        .method(Methods::LifeSpanHandlerDoClose.name, &CefLifeSpanHandler::doClose)
        .method(Methods::LifeSpanHandlerOnBeforeClose.name, &CefLifeSpanHandler::onBeforeClose);
    interfaceOf<CefLoadHandler>(registry)
        .method(Methods::LoadHandlerOnLoadStart.name, &CefLoadHandler::onLoadStart)
        .method(Methods::LoadHandlerOnLoadEnd.name, &CefLoadHandler::onLoadEnd)
        .method(Methods::LoadHandlerOnLoadError.name, &CefLoadHandler::onLoadError);
    interfaceOf<CefRequestHandler>(registry)
        .method(Methods::RequestHandlerOnBeforeBrowse.name, &CefRequestHandler::onBeforeBrowse)
        .method(Methods::RequestHandlerOnBeforeResourceLoad.name,
                &CefRequestHandler::onBeforeResourceLoad)
        .method(Methods::RequestHandlerOnResourceRedirect.name,
                &CefRequestHandler::onResourceRedirect)
        .method(Methods::RequestHandlerOnResourceResponse.name,
                &CefRequestHandler::onResourceResponse)
        .method(Methods::RequestHandlerOnProtocolExecution.name,
                &CefRequestHandler::onProtocolExecution)
        .method(Methods::RequestHandlerGetDownloadHandler.name,
                &CefRequestHandler::getDownloadHandler)
        .method(Methods::RequestHandlerGetAuthCredentials.name,
                &CefRequestHandler::getAuthCredentials)
        .method("getCookieManager", &CefRequestHandler::getCookieManager);
    interfaceOf<CefProxyHandler>(registry).method(Methods::ProxyHandlerGetProxyForUrl.name,
                                                  &CefProxyHandler::getProxyForUrl);
    interfaceOf<CefResourceBundleHandler>(registry).method(
        Methods::ResourceBundleHandlerGetLocalizedString.name,
        &CefResourceBundleHandler::getLocalizedString);
    interfaceOf<CefApp>(registry)
        .method(Methods::AppGetProxyHandler.name, &CefApp::getProxyHandler)
        .method(Methods::AppGetResourceBundleHandler.name, &CefApp::getResourceBundleHandler);
    interfaceOf<CefClient>(registry)
        .method(Methods::ClientGetLifeSpanHandler.name, &CefClient::getLifeSpanHandler)
        .method(Methods::ClientGetLoadHandler.name, &CefClient::getLoadHandler)
        .method(Methods::ClientGetRequestHandler.name, &CefClient::getRequestHandler)
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

    declareEnumeration<CefNavigationType>(registry).staticMethod(
        Methods::NavigationTypeFromInt.name, &fromInt<CefNavigationType>);
    declareEnumeration<CefSeekType>(registry).staticMethod(Methods::SeekTypeFromInt.name,
                                                           &fromInt<CefSeekType>);
    declareEnumeration<CefHandlerErrorCode>(registry).staticMethod(
        Methods::HandlerErrorCodeFromInt.name, &fromInt<CefHandlerErrorCode>);
    declareEnumeration<CefLogSeverity>(registry);
    declareEnumeration<CefGraphicsImplementationType>(registry);
    declareEnumeration<CefProxyType>(registry);

    jni::ClassBuilder<WidgetComponent>::forClass(registry, nameOf<WidgetComponent>())
        .method("lockSurface", &WidgetComponent::lockSurface)
        .method("getNativeWindow", &WidgetComponent::getNativeWindow)
        .method("unlockSurface", &WidgetComponent::unlockSurface);
}

void declareHandleClasses(jni::ClassRegistry& registry) {
    declareHandleClass<NativeCefBrowser, CefBrowser>(registry, Kinds::Browser);
    declareHandleClass<NativeCefFrame, CefFrame>(registry, Kinds::Frame);
    declareHandleClass<NativeCefRequest, CefRequest>(registry, Kinds::Request);
    declareHandleClass<NativeCefResponse, CefResponse>(registry, Kinds::Response);
    declareHandleClass<NativeCefPostData, CefPostData>(registry, Kinds::PostData);
    declareHandleClass<NativeCefHeaderMap, CefHeaderMap>(registry, Kinds::HeaderMap);
    declareHandleClass<NativeCefStreamReader, CefStreamReader>(registry, Kinds::StreamReader);
    declareHandleClass<NativeCefProxyInfo, CefProxyInfo>(registry, Kinds::ProxyInfo);
    declareHandleClass<NativeCefContentFilter, CefContentFilter>(registry, Kinds::ContentFilter);
    declareHandleClass<NativeCefDownloadHandler, CefDownloadHandler>(registry,
                                                                     Kinds::DownloadHandler);
    declareHandleClass<NativeCefSettings, CefSettings>(registry, Kinds::Settings);
    declareHandleClass<NativeCefBrowserSettings, CefBrowserSettings>(registry,
                                                                     Kinds::BrowserSettings);
    declareHandleClass<NativeCefWindowInfo, CefWindowInfo>(registry, Kinds::WindowInfo);

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
