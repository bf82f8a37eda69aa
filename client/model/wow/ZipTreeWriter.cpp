#include "client/model/wow/ZipTreeWriter.h"

#include "client/model/App.h"
#include "lib/util/Error.h"
#include "lib/util/Paths.h"

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <exception>
#include <span>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#ifdef _WIN32
#include <QFile>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace plenfox::client::wow {

using util::pathText;

namespace fs = std::filesystem;

namespace {

using Entries = std::span<const ZipInfo::Entry>;

// Making a file costs about as much as writing this many bytes: the two
// threads' shares are balanced on files and bytes together.
constexpr std::uint64_t FileCostInBytes = 16 * 1024;

// The place of an entry below the folder; a directory entry's trailing "/"
// is dropped so the path names the directory itself.
fs::path targetOf(const fs::path& folder, const QString& name) {
    qsizetype end = name.size();
    while (end > 0 && name[end - 1] == QLatin1Char('/'))
        --end;
    return folder / fs::path(name.left(end).toStdU16String());
}

bool makeDirectories(const fs::path& directory) {
    std::error_code error;
    fs::create_directories(directory, error);
    return !error && fs::is_directory(directory, error);
}

[[noreturn]] void throwWriteError(const QString& reason, const fs::path& target) {
    throw util::IoError(reason + QStringLiteral(" [") + pathText(target) + QLatin1Char(']'));
}

#ifdef _WIN32
// One new or emptied file.
class OutputFile {
public:
    explicit OutputFile(const fs::path& target) : target(target), file(pathText(target)) {
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
            throwWriteError(file.errorString(), target);
    }
    void write(const char* data, std::size_t length) {
        if (file.write(data, static_cast<qint64>(length)) != static_cast<qint64>(length))
            throwWriteError(file.errorString(), target);
    }
    void close() { file.close(); }

private:
    const fs::path& target;
    QFile file;
};
#else
// One new or emptied file, written with plain system calls: no status query
// after opening and no buffer of its own, since the data comes in blocks.
class OutputFile {
public:
    explicit OutputFile(const fs::path& target) : target(target) {
        do
            descriptor = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        while (descriptor < 0 && errno == EINTR);
        if (descriptor < 0)
            fail(errno);
    }
    ~OutputFile() {
        if (descriptor >= 0)
            ::close(descriptor);
    }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void write(const char* data, std::size_t length) {
        while (length > 0) {
            const ssize_t written = ::write(descriptor, data, length);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                fail(written < 0 ? errno : EIO);
            data += written;
            length -= static_cast<std::size_t>(written);
        }
    }
    // A failed close can report a failed write of data the system held back.
    void close() {
        if (::close(std::exchange(descriptor, -1)) != 0 && errno != EINTR)
            fail(errno);
    }

private:
    [[noreturn]] void fail(int code) const {
        throwWriteError(QString::fromStdString(std::generic_category().message(code)), target);
    }

    const fs::path& target;
    int descriptor = -1;
};
#endif

void writeEntry(const ZipInfo& reader, const ZipInfo::Entry& entry, const fs::path& target,
                std::vector<char>& buffer) {
    OutputFile out(target);
    reader.readEntry(entry, buffer,
                     [&out](const char* data, std::size_t length) { out.write(data, length); });
    out.close();
}

// One thread's share of the files, in archive order. Any failure is marked
// in failed, which also stops the share early once the other thread failed.
void writeShare(const ZipInfo& reader, Entries entries, const fs::path& folder,
                const ZipTreeWriter::Reporter& report, std::atomic<bool>& failed) {
    std::vector<char> buffer(ZipTreeWriter::BufferSize);
    // Entries of one folder usually follow each other: check a parent once.
    fs::path knownParent;
    try {
        for (const ZipInfo::Entry& entry : entries) {
            if (failed.load(std::memory_order_relaxed))
                return;
            const fs::path target = targetOf(folder, entry.name);
            fs::path parent = target.parent_path();
            if (parent != knownParent) {
                std::error_code error;
                if (!fs::exists(parent, error) && !makeDirectories(parent)) {
                    report(QStringLiteral("Failed to mkdir parent [") + pathText(parent) +
                           QLatin1Char(']'));
                    failed = true;
                    return;
                }
                knownParent = std::move(parent);
            }
            writeEntry(reader, entry, target, buffer);
        }
    } catch (const util::IoError& error) {
        App::log(error);
        failed = true;
    }
}

// Whether a second scan lists the very entries the first one checked.
bool sameEntries(const ZipInfo& first, const ZipInfo& second) {
    const auto& checked = first.getEntries();
    const auto& seen = second.getEntries();
    if (!second.isReadable() || checked.size() != seen.size())
        return false;
    for (std::size_t i = 0; i < checked.size(); ++i)
        if (checked[i].name != seen[i].name || checked[i].size != seen[i].size)
            return false;
    return true;
}

// The second thread's share, read through a handle of its own: an archive
// handle serves one thread only.
void writeShareWithOwnHandle(const ZipInfo& info, Entries entries, const fs::path& folder,
                             const ZipTreeWriter::Reporter& report,
                             std::atomic<bool>& failed) noexcept {
    try {
        const ZipInfo reader(info.getFile());
        if (sameEntries(info, reader)) {
            writeShare(reader, entries, folder, report, failed);
            return;
        }
        report(QStringLiteral("Archive changed during extraction [") + pathText(info.getFile()) +
               QLatin1Char(']'));
    } catch (const std::exception& error) {
        App::log(error);
    }
    failed = true;
}

// Where the second share begins: both cost about the same.
std::size_t splitPoint(Entries files) {
    std::uint64_t total = 0;
    for (const ZipInfo::Entry& entry : files)
        total += entry.size + FileCostInBytes;
    std::uint64_t first = 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
        first += files[i].size + FileCostInBytes;
        if (first * 2 >= total)
            return i + 1;
    }
    return files.size();
}

bool makeFolders(const ZipInfo& info, const fs::path& folder,
                 const ZipTreeWriter::Reporter& report) {
    for (const ZipInfo::Entry& entry : info.getDirectoryEntries()) {
        const fs::path target = targetOf(folder, entry.name);
        std::error_code error;
        if (fs::is_directory(target, error))
            continue;
        if (fs::exists(target, error) || !makeDirectories(target)) {
            report(QStringLiteral("Failed to mkdir [") + pathText(target) + QLatin1Char(']'));
            return false;
        }
    }
    return true;
}

} // namespace

bool ZipTreeWriter::write(const ZipInfo& info, const fs::path& folder, const Reporter& report) {
    if (!makeFolders(info, folder, report))
        return false;
    const Entries files(info.getFileEntries());
    std::atomic<bool> failed{false};
    if (files.size() < ParallelMinimumFiles) {
        writeShare(info, files, folder, report, failed);
        return !failed;
    }

    const std::size_t split = splitPoint(files);
    std::thread helper;
    try {
        helper = std::thread([&info, second = files.subspan(split), &folder, &report, &failed] {
            writeShareWithOwnHandle(info, second, folder, report, failed);
        });
    } catch (const std::system_error&) {
        // No thread to be had: this one writes both shares.
        writeShare(info, files, folder, report, failed);
        return !failed;
    }
    try {
        writeShare(info, files.first(split), folder, report, failed);
    } catch (...) {
        failed = true;
        helper.join();
        throw;
    }
    helper.join();
    return !failed;
}

} // namespace plenfox::client::wow
