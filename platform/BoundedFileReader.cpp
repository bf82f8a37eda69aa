#include "platform/BoundedFileReader.h"

#include "lib/util/Paths.h"

#include <QFile>
#include <system_error>

namespace plenfox::platform {

namespace fs = std::filesystem;

std::optional<BoundedFileReader::Contents> BoundedFileReader::read(const fs::path& file,
                                                                   qint64 limit, QString& problem) {
    std::error_code error;
    const fs::file_status status = fs::status(file, error);
    if (error || !fs::is_regular_file(status)) {
        problem =
            error ? QString::fromStdString(error.message()) : QStringLiteral("not a regular file");
        return std::nullopt;
    }
    QFile input(util::pathText(file));
    if (!input.open(QIODevice::ReadOnly)) {
        problem = input.errorString();
        return std::nullopt;
    }
    Contents contents;
    // Reading in pieces keeps a file that grows while it is read bounded too.
    constexpr qint64 Piece = 1 << 20;
    contents.bytes.reserve(qsizetype(std::min(input.size(), limit)));
    while (contents.bytes.size() < limit) {
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
