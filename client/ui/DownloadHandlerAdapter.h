#pragma once

#include "browser/wrapper/CefDownloadHandler.h"

#include <memory>

namespace plenfox::client::model {
class Downloader;
}

namespace plenfox::client::ui {

// Feeds the bytes the browser receives for an accepted download to the
// client's downloader.
class DownloadHandlerAdapter final : public cef::CefDownloadHandler {
public:
    explicit DownloadHandlerAdapter(std::shared_ptr<model::Downloader> downloader);

    bool receivedData(std::span<const std::byte> data) override;
    void complete() override;

private:
    std::shared_ptr<model::Downloader> downloader;
};

} // namespace plenfox::client::ui
