#include "browser/bridge/CefLifeSpanHandlerWrapper.h"

#include "browser/bridge/ClientArguments.h"
#include "browser/bridge/ClientObjects.h"
#include "browser/bridge/JavaCallScope.h"
#include "browser/bridge/JavaStrings.h"

#include <memory>

namespace viewlink {

using namespace plenfox::boundary;

namespace {

// Takes the copy a popup's client object holds back: the structure leaves the
// client object (whose handle becomes 0) and replaces the engine's. A client
// that disposed its copy during the call leaves the engine's unchanged.
template <class Record>
void takeBack(JNIEnv* env, jobject client, const ClientKind& kind, Record& engineRecord) {
    if (!client)
        return;
    Record* copy = HandleField::get<Record>(env, client, kind.handleField);
    if (!copy)
        return;
    engineRecord = *copy;
    HandleField::storeOwned<Record>(env, client, kind.handleField, nullptr);
}

} // namespace

CefLifeSpanHandlerWrapper::CefLifeSpanHandlerWrapper(JNIEnv* env, jobject handler)
    : CefJavaGlobalRef(env, handler), onBeforePopup_{vm(), object(),
                                                     Methods::LifeSpanHandlerOnBeforePopup},
      onAfterCreated_{vm(), object(), Methods::LifeSpanHandlerOnAfterCreated},
      runModal_{vm(), object(), Methods::LifeSpanHandlerRunModal},
      doClose_{vm(), object(), Methods::LifeSpanHandlerDoClose},
      onBeforeClose_{vm(), object(), Methods::LifeSpanHandlerOnBeforeClose} {}

bool CefLifeSpanHandlerWrapper::OnBeforePopup(CefRefPtr<CefBrowser> parentBrowser,
                                              const CefPopupFeatures&, CefWindowInfo& windowInfo,
                                              const CefString& url, CefRefPtr<CefClient>&,
                                              CefBrowserSettings& settings) {
    JavaCallScope scope(vm());
    JNIEnv* env = scope.env();
    if (!env)
        return false;
    jobject info =
        ClientObjects::wrapOwned(env, Kinds::WindowInfo.className, Kinds::WindowInfo.handleField,
                                 std::make_unique<CefWindowInfo>(windowInfo));
    jobject settingsCopy = ClientObjects::wrapOwned(env, Kinds::BrowserSettings.className,
                                                    Kinds::BrowserSettings.handleField,
                                                    std::make_unique<CefBrowserSettings>(settings));
    jvalue args[6];
    args[0].l = ClientArguments::browser(env, parentBrowser);
    args[1].l = nullptr;
    args[2].l = info;
    args[3].l = JavaStrings::toClient(env, url);
    args[4].l = nullptr;
    args[5].l = settingsCopy;
    const bool cancel = onBeforePopup_.callBoolean(env, args);
    // The client may have changed where and how the popup opens.
    takeBack(env, info, Kinds::WindowInfo, windowInfo);
    takeBack(env, settingsCopy, Kinds::BrowserSettings, settings);
    return cancel;
}

bool CefLifeSpanHandlerWrapper::callWithBrowser(const JavaMethodRef& method,
                                                CefRefPtr<CefBrowser> browser, bool answers) {
    JavaCallScope scope(vm());
    JNIEnv* env = scope.env();
    if (!env)
        return false;
    jvalue arg;
    arg.l = ClientArguments::browser(env, browser);
    if (answers)
        return method.callBoolean(env, &arg);
    method.callVoid(env, &arg);
    return false;
}

void CefLifeSpanHandlerWrapper::OnAfterCreated(CefRefPtr<CefBrowser> browser) {
    callWithBrowser(onAfterCreated_, browser, false);
}

bool CefLifeSpanHandlerWrapper::RunModal(CefRefPtr<CefBrowser> browser) {
    return callWithBrowser(runModal_, browser, true);
}

bool CefLifeSpanHandlerWrapper::DoClose(CefRefPtr<CefBrowser> browser) {
    return callWithBrowser(doClose_, browser, true);
}

void CefLifeSpanHandlerWrapper::OnBeforeClose(CefRefPtr<CefBrowser> browser) {
    callWithBrowser(onBeforeClose_, browser, false);
}

} // namespace viewlink
