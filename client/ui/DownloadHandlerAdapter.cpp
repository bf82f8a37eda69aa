#include "client/ui/DownloadHandlerAdapter.h"

#include "browser/jni/DirectByteBuffer.h"
#include "client/model/downloads/Downloader.h"

#include <QByteArrayView>

namespace plenfox::client::ui {

DownloadHandlerAdapter::DownloadHandlerAdapter(std::shared_ptr<model::Downloader> downloader)
    : downloader(std::move(downloader)) {}

bool DownloadHandlerAdapter::receivedData(std::shared_ptr<jni::DirectByteBuffer> data) {
    if (!data)
        return true;
    const std::span<const std::byte> bytes = data->bytes();
    return downloader->receivedData(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

void DownloadHandlerAdapter::complete() {
    downloader->complete();
}

} // namespace plenfox::client::ui
