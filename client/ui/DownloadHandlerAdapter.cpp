#include "client/ui/DownloadHandlerAdapter.h"

#include "browser/jni/DirectByteBuffer.h"
#include "client/model/App.h"
#include "client/model/downloads/DownloadAttributes.h"
#include "client/model/downloads/DownloadRecognizer.h"
#include "client/model/downloads/Downloader.h"

#include <QByteArrayView>
#include <exception>

namespace plenfox::client::ui {

DownloadHandlerAdapter::DownloadHandlerAdapter(std::shared_ptr<model::Downloader> downloader)
    : downloader(std::move(downloader)) {}

std::shared_ptr<DownloadHandlerAdapter>
DownloadHandlerAdapter::accept(model::DownloadRecognizer& recognizer,
                               const model::DownloadAttributes& attributes) {
    try {
        if (auto downloader = recognizer.handleDownload(attributes))
            return std::make_shared<DownloadHandlerAdapter>(std::move(downloader));
    } catch (const std::exception& error) {
        App::log(error);
    }
    return nullptr;
}

DownloadHandlerAdapter::~DownloadHandlerAdapter() {
    if (completed || !downloader)
        return;
    // Runs on whatever thread let go of the handler last: never throws.
    try {
        downloader->abort();
    } catch (const std::exception& error) {
        App::log(error);
    }
}

bool DownloadHandlerAdapter::receivedData(std::shared_ptr<jni::DirectByteBuffer> data) {
    if (!data)
        return true;
    const std::span<const std::byte> bytes = data->bytes();
    return downloader->receivedData(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

void DownloadHandlerAdapter::complete() {
    completed = true;
    downloader->complete();
}

} // namespace plenfox::client::ui
