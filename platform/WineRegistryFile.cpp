#include "platform/WineRegistryFile.h"

#include "platform/BoundedFileReader.h"
#include "platform/WineSectionCollector.h"
#include "platform/WineSectionFinder.h"

#include "lib/util/Paths.h"

#include <QFile>

#include <algorithm>
#include <cstring>

namespace plenfox::platform {

namespace fs = std::filesystem;

std::optional<WineRegistryFile> WineRegistryFile::open(const fs::path& file, QString& problem,
                                                       qint64 limit) {
    QFile input;
    if (!BoundedFileReader::openRegular(file, input, problem))
        return std::nullopt;
    const QByteArray start = input.read(Signature.size());
    if (input.error() != QFileDevice::NoError) {
        problem = input.errorString();
        return std::nullopt;
    }
    if (start != Signature) {
        problem = QStringLiteral("not a Wine registry file");
        return std::nullopt;
    }
    return WineRegistryFile(file, limit, input.size() > limit);
}

WineRegistryFile::WineRegistryFile(fs::path file, qint64 limit, bool truncated)
    : file(std::move(file)), limit(limit), cut(truncated) {}

std::vector<std::optional<QByteArray>> WineRegistryFile::sectionsOf(const QStringList& keys) const {
    QFile input(util::pathText(file));
    if (!input.open(QIODevice::ReadOnly))
        return std::vector<std::optional<QByteArray>>(size_t(keys.size()));
    // Beyond the limit only whole lines count.
    const qint64 size = input.size();
    const qint64 length = std::min(size, limit);
    if (length <= 0)
        return WineSectionFinder::find({}, keys);
    const QByteArray data = input.read(length);
    if (data.size() == length) {
        QByteArrayView view(data);
        if (size > limit)
            view = view.first(view.lastIndexOf('\n') + 1);
        return WineSectionFinder::find(view, keys);
    }
    // The file changed while it was read: read it again, piece by piece.
    input.seek(0);
    return readInPieces(input, keys, limit);
}

std::vector<std::optional<QByteArray>> WineRegistryFile::readInPieces(QIODevice& input,
                                                                      const QStringList& keys,
                                                                      qint64 limit,
                                                                      qsizetype pieceSize) {
    WineSectionCollector collector(keys);
    // One buffer for the whole file, handed on in whole lines; a line cut
    // at its end is carried to the front for the next piece.
    std::vector<char> buffer(static_cast<size_t>(std::max<qsizetype>(pieceSize, 1)));
    qsizetype carried = 0;
    qint64 total = 0;
    while (!collector.done()) {
        if (carried == qsizetype(buffer.size()))
            buffer.resize(buffer.size() * 2); // a line longer than the buffer
        const qint64 wanted = std::min(qint64(buffer.size()) - carried, limit - total);
        const qint64 count = wanted > 0 ? input.read(buffer.data() + carried, wanted) : 0;
        if (count < 0)
            break;
        total += count;
        const qsizetype size = carried + qsizetype(count);
        if (count == 0) {
            // The last line counts without a line end, unless the limit cut it.
            if (total < limit || input.atEnd())
                collector.feed(QByteArrayView(buffer.data(), size));
            break;
        }
        qsizetype lineEnd = size;
        while (lineEnd > carried && buffer[size_t(lineEnd - 1)] != '\n')
            --lineEnd;
        if (lineEnd == carried) {
            carried = size;
            continue;
        }
        collector.feed(QByteArrayView(buffer.data(), lineEnd));
        carried = size - lineEnd;
        std::memmove(buffer.data(), buffer.data() + lineEnd, size_t(carried));
    }
    return collector.take();
}

} // namespace plenfox::platform
