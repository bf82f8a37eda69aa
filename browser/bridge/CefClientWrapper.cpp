#include "browser/bridge/CefClientWrapper.h"

#include "browser/bridge/CefLifeSpanHandlerWrapper.h"
#include "browser/bridge/CefLoadHandlerWrapper.h"
#include "browser/bridge/CefRequestHandlerWrapper.h"
#include "browser/bridge/JavaCallScope.h"

namespace viewlink {

using namespace plenfox::boundary;

CefClientWrapper::CefClientWrapper(JNIEnv* env, jobject client)
    : CefJavaGlobalRef(env, client), getLifeSpanHandler_{vm(), object(),
                                                         Methods::ClientGetLifeSpanHandler},
      getLoadHandler_{vm(), object(), Methods::ClientGetLoadHandler},
      getRequestHandler_{vm(), object(), Methods::ClientGetRequestHandler} {}

template <class Wrapper>
CefRefPtr<Wrapper> CefClientWrapper::handlerFrom(const JavaMethodRef& getter) {
    JavaCallScope scope(vm());
    JNIEnv* env = scope.env();
    if (!env)
        return nullptr;
    jobject handler = getter.callObject(env);
    if (!handler)
        return nullptr;
    return new Wrapper(env, handler);
}

CefRefPtr<CefLifeSpanHandler> CefClientWrapper::GetLifeSpanHandler() {
    return handlerFrom<CefLifeSpanHandlerWrapper>(getLifeSpanHandler_);
}

CefRefPtr<CefLoadHandler> CefClientWrapper::GetLoadHandler() {
    return handlerFrom<CefLoadHandlerWrapper>(getLoadHandler_);
}

CefRefPtr<CefRequestHandler> CefClientWrapper::GetRequestHandler() {
    return handlerFrom<CefRequestHandlerWrapper>(getRequestHandler_);
}

} // namespace viewlink
