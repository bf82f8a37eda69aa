#include "LiveEngine.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include <gtest/gtest.h>

#include "cef_app.h"

namespace {

bool& started() {
    static bool value = false;
    return value;
}

} // namespace

void LiveEngine::ensureStarted() {
    if (started())
        return;
    CefSettings settings;
    settings.multi_threaded_message_loop = true;
    if (!CefInitialize(settings, nullptr))
        throw std::runtime_error("the engine did not start");
    started() = true;
}

void LiveEngine::shutdownIfStarted() {
    if (started())
        CefShutdown();
    started() = false;
}

std::vector<std::string> LiveEngine::stagingFiles() {
    namespace fs = std::filesystem;
    std::vector<std::string> files;
    for (const auto& folder : fs::directory_iterator(fs::temp_directory_path())) {
        if (folder.path().filename().string().rfind("plenfox-engine-downloads-", 0) != 0)
            continue;
        for (const auto& file : fs::directory_iterator(folder.path()))
            files.push_back(file.path().string());
    }
    return files;
}

CefRefPtr<CefBrowser> LiveEngine::openBrowser(CefRefPtr<RecordingClient> client,
                                              const std::string& url) {
    ensureStarted();
    CefWindowInfo windowInfo;
    windowInfo.m_nWidth = 800;
    windowInfo.m_nHeight = 600;
    CefBrowserSettings settings;
    if (!CefBrowser::CreateBrowser(windowInfo, client.get(), url, settings))
        return nullptr;
    if (client->waitFor("created").kind == "timeout")
        return nullptr;
    return client->browser();
}

void LiveEngine::closeBrowser(CefRefPtr<RecordingClient> client, CefRefPtr<CefBrowser> browser) {
    if (!browser)
        return;
    browser->CloseBrowser();
    client->waitFor("close");
}
