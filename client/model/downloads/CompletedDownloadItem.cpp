#include "client/model/downloads/CompletedDownloadItem.h"

#include <system_error>

namespace plenfox::client::model {

namespace {

// The length of a plain file; 0 for a folder or a file that cannot be read.
qint64 lengthOf(const std::filesystem::path& file) {
    std::error_code error;
    const std::uintmax_t length = std::filesystem::file_size(file, error);
    return error ? 0 : static_cast<qint64>(length);
}

} // namespace

CompletedDownloadItem::CompletedDownloadItem(std::filesystem::path file)
    : file(std::move(file)), size(lengthOf(this->file)) {}

} // namespace plenfox::client::model
