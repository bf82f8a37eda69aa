#include "client/model/wow/FirstLineReader.h"

#include "client/model/wow/TocFile.h"
#include "lib/util/Error.h"
#include "lib/util/Paths.h"

#include <QByteArray>
#include <QFile>

namespace plenfox::client::wow {

namespace {

constexpr qint64 ChunkSize = 4096;

enum class Encoding { Undecided, Utf16LE, Utf16BE, Bytes };

// Chooses from the first two bytes, as the decoder will.
Encoding encodingOf(const QByteArray& start) {
    if (start.startsWith("\xFF\xFE"))
        return Encoding::Utf16LE;
    if (start.startsWith("\xFE\xFF"))
        return Encoding::Utf16BE;
    return Encoding::Bytes;
}

// Where the first line end at or after `from` is, in bytes: the end of its
// code unit for UTF-16, the byte itself otherwise; -1 when there is none yet.
// `from` advances past what has been looked at.
qsizetype findLineEnd(const QByteArray& bytes, Encoding encoding, qsizetype& from) {
    if (encoding == Encoding::Bytes) {
        for (; from < bytes.size(); ++from)
            if (bytes.at(from) == '\n' || bytes.at(from) == '\r')
                return from + 1;
        return -1;
    }
    // Whole code units after the two-byte mark.
    from = std::max<qsizetype>(from, 2);
    for (; from + 1 < bytes.size(); from += 2) {
        const char low = encoding == Encoding::Utf16LE ? bytes.at(from) : bytes.at(from + 1);
        const char high = encoding == Encoding::Utf16LE ? bytes.at(from + 1) : bytes.at(from);
        if (high == 0 && (low == '\n' || low == '\r'))
            return from + 2;
    }
    return -1;
}

[[noreturn]] void fail(const std::filesystem::path& file, const QString& reason) {
    throw util::IoError(util::pathText(file) + QStringLiteral(" (") + reason + QLatin1Char(')'));
}

} // namespace

std::optional<QString> FirstLineReader::read(const std::filesystem::path& file) {
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly))
        fail(file, input.errorString());
    QByteArray bytes;
    Encoding encoding = Encoding::Undecided;
    qsizetype scanned = 0;
    qsizetype lineEnd = -1;
    while (lineEnd < 0 && bytes.size() < MaxBytes) {
        const QByteArray chunk = input.read(std::min(ChunkSize, MaxBytes - bytes.size()));
        if (chunk.isEmpty())
            break;
        bytes += chunk;
        if (encoding == Encoding::Undecided && bytes.size() >= 2)
            encoding = encodingOf(bytes);
        if (encoding != Encoding::Undecided)
            lineEnd = findLineEnd(bytes, encoding, scanned);
    }
    if (input.error() != QFileDevice::NoError)
        fail(file, input.errorString());
    input.close();
    if (lineEnd >= 0)
        bytes.truncate(lineEnd);
    const QString text = TocFile::analyzeBom(bytes);
    if (text.isEmpty())
        return std::nullopt;
    return TocFile::splitLines(text).value(0);
}

} // namespace plenfox::client::wow
