// The engine's value objects, which work without a running engine.
#include <cstdio>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "cef.h"

namespace {

// Counts its own destruction.
class Tracked : public CefBase {
public:
    explicit Tracked(int& destroyed) : destroyed_(destroyed) {}
    ~Tracked() override { ++destroyed_; }

private:
    int& destroyed_;
    IMPLEMENT_REFCOUNTING(Tracked)
};

std::string readAll(CefRefPtr<CefStreamReader> reader) {
    std::string out;
    char buffer[3];
    for (std::size_t n; (n = reader->Read(buffer, 1, sizeof buffer)) > 0;)
        out.append(buffer, n);
    return out;
}

} // namespace

TEST(EngineString, convertsUtf8AndTheModifiedFormBothWays) {
    // "é", a character beyond the basic plane, and U+0000 in the middle.
    const std::string utf8 = "h\xC3\xA9"
                             "\xF0\x9F\x98\x80" +
                             std::string(1, '\0') + "!";
    CefString text;
    EXPECT_TRUE(text.FromString(utf8));
    EXPECT_EQ((std::u16string{u'h', u'\u00e9', 0xD83D, 0xDE00, 0, u'!'}), text.ToString16());
    EXPECT_EQ(utf8, text.ToString());

    // The modified form: NUL as C0 80, the pair as two three-byte surrogates.
    const std::string modified = "h\xC3\xA9\xED\xA0\xBD\xED\xB8\x80\xC0\x80!";
    CefString fromModified;
    EXPECT_TRUE(fromModified.FromString(modified));
    EXPECT_EQ(text, fromModified);

    EXPECT_TRUE(CefString(static_cast<const char*>(nullptr)).empty());
    EXPECT_NE(nullptr, CefString().c_str());
}

TEST(EngineString, replacesMalformedUtf8AndReportsIt) {
    CefString text;
    // A lone continuation byte, an overlong slash, a cut-off sequence.
    EXPECT_FALSE(text.FromString(std::string("a\x80"
                                             "b\xC0\xAF"
                                             "c\xE2\x82")));
    EXPECT_EQ((std::u16string{u'a', 0xFFFD, u'b', 0xFFFD, u'c', 0xFFFD}), text.ToString16());
    // An unpaired surrogate cannot be written as standard UTF-8.
    EXPECT_EQ("x\xEF\xBF\xBD", CefString(std::u16string{u'x', 0xD800}).ToString());
}

TEST(HeaderMap, ordersByCodeUnitsAndKeepsDuplicatesInInsertionOrder) {
    CefRequest::HeaderMap map;
    map.insert({"accept", "1"});
    map.insert({"Accept", "2"});
    map.insert({"accept", "3"});
    map.insert({"Zeta", "4"});
    std::string order;
    for (const auto& [name, value] : map)
        order += name.ToString() + "=" + value.ToString() + ";";
    // Upper-case letters come before lower-case ones in UTF-16.
    EXPECT_EQ("Accept=2;Zeta=4;accept=1;accept=3;", order);
    EXPECT_EQ("1", map.find("accept")->second.ToString());
}

TEST(RequestAndResponse, keepWhatIsSetAndHandOutCopies) {
    auto request = CefRequest::Create();
    EXPECT_EQ("GET", request->GetMethod().ToString());
    CefRequest::HeaderMap headers{{"X-One", "1"}};
    auto body = CefPostData::Create();
    auto element = CefPostDataElement::Create();
    element->SetToBytes(5, "hello");
    EXPECT_TRUE(body->AddElement(element));
    EXPECT_FALSE(body->AddElement(element)) << "an element belongs to a body once";
    request->Set("http://127.0.0.1/form", "POST", body, headers);
    headers.insert({"X-Two", "2"});

    CefRequest::HeaderMap stored;
    request->GetHeaderMap(stored);
    EXPECT_EQ(1u, stored.size()) << "the request keeps its own copy";
    EXPECT_EQ("POST", request->GetMethod().ToString());
    ASSERT_EQ(body.get(), request->GetPostData().get());
    char bytes[8] = {};
    EXPECT_EQ(5u, element->GetBytes(sizeof bytes, bytes));
    EXPECT_EQ("hello", std::string(bytes));
    EXPECT_TRUE(body->RemoveElement(element));
    EXPECT_FALSE(body->RemoveElement(element));

    auto response = CefResponse::Create();
    response->SetHeaderMap({{"Content-Type", "application/zip"}, {"content-type", "text/plain"}});
    EXPECT_EQ("application/zip", response->GetHeader("CONTENT-TYPE").ToString());
    EXPECT_TRUE(response->GetHeader("Location").empty());
}

TEST(StreamReader, readsWholeItemsAndSeeksWithinTheData) {
    auto reader = CefStreamReader::CreateForData("abcdefg", 7);
    char items[6] = {};
    // Three items of two bytes fit; the seventh byte is no whole item.
    EXPECT_EQ(3u, reader->Read(items, 2, 5));
    EXPECT_EQ("abcdef", std::string(items, 6));
    EXPECT_EQ(0, reader->Eof());
    EXPECT_EQ(0, reader->Seek(-2, SEEK_END));
    EXPECT_EQ(5, reader->Tell());
    EXPECT_NE(0, reader->Seek(1, SEEK_END)) << "past the end";
    EXPECT_NE(0, reader->Seek(-6, SEEK_CUR)) << "before the start";
    EXPECT_EQ(5, reader->Tell()) << "a refused seek leaves the position";
    EXPECT_EQ("fg", readAll(reader));
    EXPECT_NE(0, reader->Eof());
}

TEST(StreamReader, readsFilesAndRefusesWhatIsNoFile) {
    const std::string path = testing::TempDir() + "engine-stream.txt";
    std::ofstream(path) << "file contents";
    auto reader = CefStreamReader::CreateForFile(path);
    ASSERT_TRUE(reader);
    EXPECT_EQ(0, reader->Seek(5, SEEK_SET));
    EXPECT_EQ("contents", readAll(reader));
    EXPECT_NE(0, reader->Eof());
    EXPECT_FALSE(CefStreamReader::CreateForFile(path + ".absent"));
    EXPECT_FALSE(CefStreamReader::CreateForFile(testing::TempDir()));
    std::remove(path.c_str());
}

TEST(SettingsRecords, startZeroWithTheirSizeAndCopyDeeply) {
    CefSettings settings;
    EXPECT_EQ(sizeof(cef_settings_t), settings.size);
    EXPECT_FALSE(settings.multi_threaded_message_loop);
    settings.cache_path = "/tmp/cache";
    settings.extra_plugin_paths.push_back("/plugins");
    CefSettings copy = settings;
    copy.cache_path = "/elsewhere";
    copy.extra_plugin_paths[0] = "/other";
    EXPECT_EQ("/tmp/cache", settings.cache_path.ToString());
    EXPECT_EQ("/plugins", settings.extra_plugin_paths[0].ToString());

    CefBrowserSettings browserSettings;
    EXPECT_EQ(sizeof(cef_browser_settings_t), browserSettings.size);
    EXPECT_EQ(0, browserSettings.default_font_size);

    CefWindowInfo window;
    window.SetAsChild(42, 0, 0, 800, 600);
    EXPECT_EQ(cef_window_handle_t{42}, window.m_hWndParent);
    EXPECT_EQ(800, window.m_nWidth);
    EXPECT_FALSE(window.m_bWindowRenderingDisabled);
}

TEST(RefCounting, deletesAtZeroAndSurvivesSelfAssignment) {
    int destroyed = 0;
    {
        CefRefPtr<Tracked> first = new Tracked(destroyed);
        EXPECT_EQ(1, first->GetRefCt());
        CefRefPtr<Tracked> second = first;
        EXPECT_EQ(2, first->GetRefCt());
        second = first.get(); // the object it already holds
        EXPECT_EQ(2, first->GetRefCt());
        second = nullptr;
        EXPECT_EQ(1, first->GetRefCt());
        CefRefPtr<Tracked> moved = std::move(first);
        EXPECT_EQ(1, moved->GetRefCt());
        EXPECT_EQ(0, destroyed);
    }
    EXPECT_EQ(1, destroyed);
}
