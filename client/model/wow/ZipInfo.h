#pragma once

#include <QString>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <vector>

struct zip;

namespace plenfox::client::wow {

// One scan of a zip file: all entries in archive order, sorted into
// directories, files, loose top-level files and addon TOC files. The archive
// stays open for reading until close() or destruction. Confined to the thread
// that builds it.
class ZipInfo {
public:
    struct Entry {
        std::uint64_t index = 0;   // position in the archive
        QString name;              // as stored, any "\" read as "/"
        bool directory = false;    // the name ends with "/"
        bool symbolicLink = false; // Unix file mode in the external attributes is a link
        std::uint64_t size = 0;    // declared uncompressed size
    };
    // Receives one block of an entry's data.
    using BlockSink = std::function<void(const char* data, std::size_t length)>;

    // Opens and scans the archive. A file that cannot be opened or listed is
    // logged and gives a scan without entries (isReadable() false).
    explicit ZipInfo(std::filesystem::path file);
    ~ZipInfo();
    ZipInfo(const ZipInfo&) = delete;
    ZipInfo& operator=(const ZipInfo&) = delete;

    // Whether an entry name is a TOC file of a top-level folder:
    // "<top>/<top>.toc", or with a flavour's suffix ("<top>/<top>_Mainline.toc",
    // "<top>/<top>-Classic.toc"), ignoring case.
    static bool isTocFile(const QString& name);

    void close();

    const std::filesystem::path& getFile() const { return file; }
    // Whether the archive was opened and listed without error.
    bool isReadable() const { return readable; }
    bool isParsed() const { return parsed; }
    const std::vector<Entry>& getEntries() const { return entries; }
    const std::vector<Entry>& getFileEntries() const { return fileEntries; }
    const std::vector<Entry>& getDirectoryEntries() const { return directoryEntries; }
    const std::vector<Entry>& getFilesInRoot() const { return filesInRoot; }
    const std::vector<Entry>& getTocFiles() const { return tocFiles; }

    // Streams an entry's data through the buffer into the sink, block by
    // block. Throws ZipFormatError for broken data (checksum, truncation, more
    // or fewer bytes than declared) and IoError for failed reads; errors
    // thrown by the sink pass through.
    void readEntry(const Entry& entry, std::span<char> buffer, const BlockSink& sink) const;

private:
    struct ArchiveCloser {
        void operator()(zip* archive) const;
    };

    void parse();
    void open();

    std::filesystem::path file;
    std::unique_ptr<zip, ArchiveCloser> archive;
    std::vector<Entry> entries;
    std::vector<Entry> fileEntries;
    std::vector<Entry> directoryEntries;
    std::vector<Entry> filesInRoot;
    std::vector<Entry> tocFiles;
    bool readable = false;
    bool parsed = false;
};

} // namespace plenfox::client::wow
