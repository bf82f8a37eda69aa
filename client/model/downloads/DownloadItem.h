#pragma once

#include "lib/util/Object.h"

#include <QString>
#include <QtGlobal>
#include <filesystem>

namespace plenfox::client::model {

// One entry of the download list: a file in the downloads folder, finished
// or still arriving. Items are shared between threads through std::shared_ptr.
class DownloadItem : public util::Object {
public:
    virtual std::filesystem::path getFile() const = 0;
    // Bytes present so far.
    virtual qint64 getCurrentSize() const = 0;
    // Bytes expected in all (0 or negative when the size is not known).
    virtual qint64 getTotalSize() const = 0;
    // True while bytes are still arriving.
    virtual bool inProgress() const = 0;
    // Why the download failed, in words for the player; empty unless it
    // failed on its own (a download the player cancelled did not fail).
    virtual QString getFailure() const { return QString(); }

    // Orders items by their file paths; the download list is sorted this way.
    int compareTo(const DownloadItem& other) const;
    QString toString() const override;

    // Path comparison and equality as the platform's file system sees them:
    // ignoring case on Windows, exact elsewhere.
    static int comparePaths(const std::filesystem::path& a, const std::filesystem::path& b);
    static bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b);
};

} // namespace plenfox::client::model
