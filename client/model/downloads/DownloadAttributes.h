#pragma once

#include <QString>
#include <QtGlobal>

namespace plenfox::client::model {

// One download offered by the browser: filled by the browser panel, read by
// the recognizer and by DownloadManager::createDownloader.
struct DownloadAttributes {
    // File name proposed by the browser; must not be null. It may contain
    // folders or be hostile ("../x.zip"); the download manager keeps only
    // its last component.
    QString fileName;
    // Size announced by the server in bytes; negative (-1) when unknown.
    qint64 contentLength = 0;
    // MIME type announced by the server; must not be null.
    QString mimeType;
    // URL of the page shown in the browser's main frame when the download
    // started; null when not known.
    QString documentUrl;
    // URL of the download itself; filled only by downloads the client fetches
    // itself (the update action), else null.
    QString downloadUrl;
    // Whether the player asked for this download (a click or key press in the
    // page shortly before, or the program's update action). Only such
    // downloads are installed at once; others wait for the player.
    bool startedByPlayer = false;
};

} // namespace plenfox::client::model
