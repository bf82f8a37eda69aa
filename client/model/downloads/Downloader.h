#pragma once

#include <QByteArrayView>

namespace plenfox::client::model {

// The receiving side of a download, fed by the browser's download callback.
class Downloader {
public:
    virtual ~Downloader() = default;
    // Writes one block of bytes; true to continue the download, false to
    // make the browser abort it.
    virtual bool receivedData(QByteArrayView buffer) = 0;
    // The browser ended the transfer with every byte delivered.
    virtual void complete() = 0;
    // The browser ended the transfer without completing it (the connection
    // broke, the server failed, the download was cancelled or the program
    // ends): the download failed.
    virtual void abort() = 0;
};

} // namespace plenfox::client::model
