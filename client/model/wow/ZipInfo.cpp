#include "client/model/wow/ZipInfo.h"

#include "client/model/App.h"
#include "client/model/wow/TocSelector.h"
#include "lib/util/Error.h"
#include "lib/util/Paths.h"

#include <zip.h>

namespace plenfox::client::wow {

using util::pathText;

namespace {

// Unix file-type bits (not every platform's headers define the link type).
constexpr zip_uint32_t UnixFileTypeMask = 0170000;
constexpr zip_uint32_t UnixSymbolicLink = 0120000;

// Whether libzip found the archive's content malformed (as opposed to a
// failed file operation or a lack of resources).
bool isFormatError(int code) {
    switch (code) {
    case ZIP_ER_MULTIDISK:
    case ZIP_ER_CRC:
    case ZIP_ER_ZLIB:
    case ZIP_ER_COMPNOTSUPP:
    case ZIP_ER_EOF:
    case ZIP_ER_NOZIP:
    case ZIP_ER_INCONS:
    case ZIP_ER_ENCRNOTSUPP:
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
    case ZIP_ER_COMPRESSED_DATA:
        return true;
    default:
        return false;
    }
}

[[noreturn]] void throwZipError(zip_error_t* error, const QString& subject) {
    const QString message = QString::fromUtf8(zip_error_strerror(error)) + QStringLiteral(" [") +
                            subject + QLatin1Char(']');
    if (isFormatError(zip_error_code_zip(error)))
        throw util::ZipFormatError(message);
    throw util::IoError(message);
}

// Owns one open entry stream.
struct EntryCloser {
    void operator()(zip_file_t* stream) const { zip_fclose(stream); }
};

// Owns a libzip error record for the duration of one call.
class ErrorRecord {
public:
    explicit ErrorRecord(int code) { zip_error_init_with_code(&error, code); }
    ErrorRecord() { zip_error_init(&error); }
    ~ErrorRecord() { zip_error_fini(&error); }
    ErrorRecord(const ErrorRecord&) = delete;
    ErrorRecord& operator=(const ErrorRecord&) = delete;
    zip_error_t* get() { return &error; }

private:
    zip_error_t error;
};

bool isSymbolicLink(zip_t* archive, zip_uint64_t index) {
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, index, 0, &system, &attributes) != 0)
        return false;
    // Unix-made archives keep the file mode in the upper 16 bits.
    return system == ZIP_OPSYS_UNIX && ((attributes >> 16) & UnixFileTypeMask) == UnixSymbolicLink;
}

// Some Windows tools store "\" as the folder separator; such an entry
// means the same folder as with "/".
QString folderNameOf(const char* stored) {
    return QString::fromUtf8(stored).replace(QLatin1Char('\\'), QLatin1Char('/'));
}

} // namespace

void ZipInfo::ArchiveCloser::operator()(zip* archive) const {
    // Read-only: nothing to write back, so discard rather than close.
    zip_discard(archive);
}

ZipInfo::ZipInfo(std::filesystem::path file) : file(std::move(file)) {
    parse();
}

ZipInfo::~ZipInfo() = default;

bool ZipInfo::isTocFile(const QString& name) {
    const qsizetype slash = name.indexOf(QLatin1Char('/'));
    if (slash < 0 || name.indexOf(QLatin1Char('/'), slash + 1) >= 0)
        return false;
    return TocSelector::isTocOf(name.left(slash), name.mid(slash + 1));
}

void ZipInfo::close() {
    archive.reset();
}

void ZipInfo::open() {
#ifdef _WIN32
    ErrorRecord error;
    zip_source_t* source = zip_source_win32w_create(file.c_str(), 0, -1, error.get());
    if (!source)
        throwZipError(error.get(), pathText(file));
    archive.reset(zip_open_from_source(source, ZIP_RDONLY, error.get()));
    if (!archive) {
        zip_source_free(source);
        throwZipError(error.get(), pathText(file));
    }
#else
    int code = ZIP_ER_OK;
    archive.reset(zip_open(file.c_str(), ZIP_RDONLY, &code));
    if (!archive) {
        ErrorRecord error(code);
        throwZipError(error.get(), pathText(file));
    }
#endif
}

void ZipInfo::parse() {
    try {
        open();
        const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
        if (count < 0)
            throwZipError(zip_get_error(archive.get()), pathText(file));
        std::vector<Entry> listed;
        listed.reserve(static_cast<std::size_t>(count));
        for (zip_int64_t i = 0; i < count; ++i) {
            const auto index = static_cast<zip_uint64_t>(i);
            zip_stat_t stat;
            if (zip_stat_index(archive.get(), index, 0, &stat) != 0)
                throwZipError(zip_get_error(archive.get()), pathText(file));
            Entry entry;
            entry.index = index;
            entry.name = (stat.valid & ZIP_STAT_NAME) ? folderNameOf(stat.name) : QString();
            entry.directory = entry.name.endsWith(QLatin1Char('/'));
            entry.symbolicLink = isSymbolicLink(archive.get(), index);
            entry.size = (stat.valid & ZIP_STAT_SIZE) ? stat.size : 0;
            listed.push_back(std::move(entry));
        }
        entries = std::move(listed);
        readable = true;
    } catch (const util::IoError& error) {
        App::log(error);
        archive.reset();
        entries.clear();
    }
    for (const Entry& entry : entries) {
        if (entry.directory) {
            directoryEntries.push_back(entry);
            continue;
        }
        fileEntries.push_back(entry);
        if (!entry.name.contains(QLatin1Char('/')))
            filesInRoot.push_back(entry);
        else if (isTocFile(entry.name))
            tocFiles.push_back(entry);
    }
    parsed = true;
}

void ZipInfo::readEntry(const Entry& entry, std::span<char> buffer, const BlockSink& sink) const {
    if (!archive)
        throw util::IllegalStateError(QStringLiteral("archive is not open [") + pathText(file) +
                                      QLatin1Char(']'));
    std::unique_ptr<zip_file_t, EntryCloser> stream(zip_fopen_index(archive.get(), entry.index, 0));
    if (!stream)
        throwZipError(zip_get_error(archive.get()), entry.name);
    std::uint64_t total = 0;
    for (;;) {
        const zip_int64_t read = zip_fread(stream.get(), buffer.data(), buffer.size());
        if (read < 0)
            throwZipError(zip_file_get_error(stream.get()), entry.name);
        if (read == 0)
            break;
        total += static_cast<std::uint64_t>(read);
        // Never trust the data beyond the size the directory declared: that
        // size is what callers use to bound memory and disk use.
        if (total > entry.size)
            throw util::ZipFormatError(QStringLiteral("entry holds more than its declared ") +
                                       QString::number(entry.size) + QStringLiteral(" bytes [") +
                                       entry.name + QLatin1Char(']'));
        sink(buffer.data(), static_cast<std::size_t>(read));
    }
    if (total != entry.size)
        throw util::ZipFormatError(QStringLiteral("entry ends after ") + QString::number(total) +
                                   QStringLiteral(" of its declared ") +
                                   QString::number(entry.size) + QStringLiteral(" bytes [") +
                                   entry.name + QLatin1Char(']'));
}

} // namespace plenfox::client::wow
