#include "client/ui/NonDisposableBrowser.h"

#include "lib/util/Error.h"

namespace plenfox::client::ui {

NonDisposableBrowser::NonDisposableBrowser(std::shared_ptr<cef::CefBrowser> implementation)
    : implementation(std::move(implementation)) {
    if (!this->implementation)
        throw util::IllegalArgumentError(QStringLiteral("no browser to wrap"));
}

} // namespace plenfox::client::ui
