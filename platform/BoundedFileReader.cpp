#include "platform/BoundedFileReader.h"

#include "lib/util/Paths.h"

#include <QFile>
#include <system_error>

namespace plenfox::platform {

namespace fs = std::filesystem;

bool BoundedFileReader::openRegular(const fs::path& file, QFile& input, QString& problem) {
    std::error_code error;
    const fs::file_status status = fs::status(file, error);
    if (error || !fs::is_regular_file(status)) {
        problem =
            error ? QString::fromStdString(error.message()) : QStringLiteral("not a regular file");
        return false;
    }
    input.setFileName(util::pathText(file));
    if (!input.open(QIODevice::ReadOnly)) {
        problem = input.errorString();
        return false;
    }
    return true;
}

std::optional<BoundedFileReader::Contents> BoundedFileReader::read(const fs::path& file,
                                                                   qint64 limit, QString& problem) {
    QFile input;
    if (!openRegular(file, input, problem))
        return std::nullopt;
    Contents contents;
    // One read of the size the file has; a file that grows meanwhile is read
    // on in pieces, up to the limit.
    const qint64 expected = std::min(input.size(), limit);
    contents.bytes.resize(qsizetype(expected));
    qint64 got = 0;
    while (got < expected) {
        const qint64 count = input.read(contents.bytes.data() + got, expected - got);
        if (count <= 0)
            break;
        got += count;
    }
    contents.bytes.truncate(qsizetype(got));
    constexpr qint64 Piece = 1 << 20;
    while (got == expected && contents.bytes.size() < limit) {
        const QByteArray piece = input.read(std::min(Piece, limit - contents.bytes.size()));
        if (piece.isEmpty())
            break;
        contents.bytes += piece;
    }
    if (input.error() != QFileDevice::NoError) {
        problem = input.errorString();
        return std::nullopt;
    }
    contents.truncated = contents.bytes.size() >= limit && !input.atEnd();
    return contents;
}

} // namespace plenfox::platform
