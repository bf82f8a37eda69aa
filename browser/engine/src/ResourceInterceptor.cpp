#include "ResourceInterceptor.h"

#include "BrowserImpl.h"
#include "QtText.h"
#include "cef_request_handler.h"

// Qt WebEngine gives no way to answer a request with other content or to see
// or rewrite a response: a substitute stream (and the response describing it)
// set by the handler is not used, and OnResourceResponse with its content
// filter is never called. Nor can a request use a cookie store of its own, so
// GetCookieManager is not asked. The request handed to the handler carries no
// headers: Qt does not show them, though headers the handler adds are sent.
// A server redirect of a sub-resource is followed inside Qt WebEngine, which
// offers no hook to see or change it: OnResourceRedirect hears only of
// redirects of the main frame's navigation (BrowserPage::followRedirect).
void ResourceInterceptor::interceptRequest(QWebEngineUrlRequestInfo& info) {
    const auto client = browser_.GetClient();
    const auto handler = client ? client->GetRequestHandler() : nullptr;
    if (!handler)
        return;
    auto request = CefRequest::Create();
    const CefString originalUrl = toCefString(info.requestUrl());
    request->SetURL(originalUrl);
    request->SetMethod(toCefString(QString::fromLatin1(info.requestMethod())));
    request->SetFirstPartyForCookies(toCefString(info.firstPartyUrl()));
    CefString redirectUrl;
    CefRefPtr<CefStreamReader> substitute;
    auto response = CefResponse::Create();
    if (handler->OnBeforeResourceLoad(&browser_, request, redirectUrl, substitute, response, 0)) {
        info.block(true);
        return;
    }
    if (redirectUrl.empty() && !(request->GetURL() == originalUrl))
        redirectUrl = request->GetURL();
    if (!redirectUrl.empty())
        info.redirect(toQUrl(redirectUrl));
    CefRequest::HeaderMap headers;
    request->GetHeaderMap(headers);
    for (const auto& [name, value] : headers)
        info.setHttpHeader(toQString(name).toLatin1(), toQString(value).toUtf8());
}
