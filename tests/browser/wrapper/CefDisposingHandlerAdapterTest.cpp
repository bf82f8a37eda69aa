// The shared handler base: every object a callback is handed is disposed
// once before the call returns, except the created browser, which lives on.
#include "browser/wrapper/CefDisposingHandlerAdapter.h"
#include "tests/browser/wrapper/FakeCefObjects.h"

#include <gtest/gtest.h>

#include <vector>

namespace plenfox::test {
namespace {

class BareHandler final : public cef::CefDisposingHandlerAdapter {};

TEST(CefDisposingHandlerAdapterTest, DisposesEveryHandedObjectOnceAndAnswersTheDefault) {
    BareHandler handler;
    std::vector<std::shared_ptr<FakeBrowser>> browsers;
    std::vector<std::shared_ptr<FakeFrame>> frames;
    auto browser = [&] { return browsers.emplace_back(std::make_shared<FakeBrowser>(QString())); };
    auto frame = [&] { return frames.emplace_back(std::make_shared<FakeFrame>(QString(), true)); };
    const QString url = QStringLiteral("http://site/");

    EXPECT_FALSE(handler.onBeforePopup(browser(), nullptr, nullptr, url, nullptr, nullptr));
    EXPECT_FALSE(handler.runModal(browser()));
    EXPECT_FALSE(handler.doClose(browser()));
    handler.onBeforeClose(browser());
    handler.onLoadStart(browser(), frame());
    handler.onLoadEnd(browser(), frame(), 200);
    EXPECT_FALSE(handler.onLoadError(browser(), frame(), std::nullopt, url, nullptr));
    handler.onResourceRedirect(browser(), url, nullptr);
    EXPECT_FALSE(handler.onProtocolExecution(browser(), url, nullptr));
    EXPECT_FALSE(handler.getDownloadHandler(browser(), url, url, 3, nullptr));
    EXPECT_FALSE(handler.getAuthCredentials(browser(), false, url, 80, url, url, nullptr, nullptr));
    EXPECT_EQ(handler.getCookieManager(browser(), url), nullptr);

    auto browseRequest = std::make_shared<FakeRequest>(url);
    EXPECT_FALSE(handler.onBeforeBrowse(browser(), frame(), browseRequest,
                                        cef::CefNavigationType::LINKCLICKED, false));
    auto loadRequest = std::make_shared<FakeRequest>(url);
    auto loadResponse = std::make_shared<FakeResponse>();
    EXPECT_FALSE(
        handler.onBeforeResourceLoad(browser(), loadRequest, nullptr, nullptr, loadResponse, 0));
    auto response = std::make_shared<FakeResponse>();
    handler.onResourceResponse(browser(), url, response, nullptr);

    for (const auto& each : browsers)
        EXPECT_EQ(each->disposed, 1);
    for (const auto& each : frames)
        EXPECT_EQ(each->disposed, 1);
    EXPECT_EQ(browseRequest->disposed, 1);
    EXPECT_EQ(loadRequest->disposed, 1);
    EXPECT_EQ(loadResponse->disposed, 1);
    EXPECT_EQ(response->disposed, 1);

    // Missing objects are skipped rather than dereferenced.
    handler.onLoadStart(nullptr, nullptr);
    EXPECT_FALSE(handler.onBeforeResourceLoad(nullptr, nullptr, nullptr, nullptr, nullptr, 0));

    // The created browser is the one that lives on.
    auto created = std::make_shared<FakeBrowser>(QString());
    handler.onAfterCreated(created);
    EXPECT_EQ(created->disposed, 0);
}

} // namespace
} // namespace plenfox::test
