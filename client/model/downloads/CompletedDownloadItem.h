#pragma once

#include "client/model/downloads/DownloadItem.h"

namespace plenfox::client::model {

// A finished download found in the downloads folder. Its size is taken once,
// when the item is made.
class CompletedDownloadItem : public DownloadItem {
public:
    explicit CompletedDownloadItem(std::filesystem::path file);

    std::filesystem::path getFile() const override { return file; }
    qint64 getCurrentSize() const override { return size; }
    qint64 getTotalSize() const override { return size; }
    bool inProgress() const override { return false; }

private:
    std::filesystem::path file;
    qint64 size;
};

} // namespace plenfox::client::model
