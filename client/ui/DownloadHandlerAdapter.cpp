#include "client/ui/DownloadHandlerAdapter.h"

#include "client/model/downloads/Downloader.h"

#include <QByteArrayView>

namespace plenfox::client::ui {

DownloadHandlerAdapter::DownloadHandlerAdapter(std::shared_ptr<model::Downloader> downloader)
    : downloader(std::move(downloader)) {}

bool DownloadHandlerAdapter::receivedData(std::span<const std::byte> data) {
    return downloader->receivedData(QByteArrayView(data.data(), qsizetype(data.size())));
}

void DownloadHandlerAdapter::complete() {
    downloader->complete();
}

} // namespace plenfox::client::ui
