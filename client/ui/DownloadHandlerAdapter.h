#pragma once

#include "browser/wrapper/CefDownloadHandler.h"

#include <atomic>
#include <memory>

namespace plenfox::client::model {
class Downloader;
class DownloadRecognizer;
struct DownloadAttributes;
} // namespace plenfox::client::model

namespace plenfox::client::ui {

// Feeds the bytes the browser receives for an accepted download to the
// client's downloader. The engine calls complete() only for a download that
// arrived whole and otherwise lets go of its handler without it: an adapter
// released before complete() ends its download as failed.
class DownloadHandlerAdapter final : public cef::CefDownloadHandler {
public:
    explicit DownloadHandlerAdapter(std::shared_ptr<model::Downloader> downloader);
    ~DownloadHandlerAdapter() override;

    // The handler for a download the recognizer accepts, or null when it
    // refuses it (or fails: the failure is logged).
    static std::shared_ptr<DownloadHandlerAdapter>
    accept(model::DownloadRecognizer& recognizer, const model::DownloadAttributes& attributes);
    DownloadHandlerAdapter(const DownloadHandlerAdapter&) = delete;
    DownloadHandlerAdapter& operator=(const DownloadHandlerAdapter&) = delete;

    bool receivedData(std::shared_ptr<jni::DirectByteBuffer> data) override;
    void complete() override;

private:
    std::shared_ptr<model::Downloader> downloader;
    std::atomic<bool> completed{false};
};

} // namespace plenfox::client::ui
