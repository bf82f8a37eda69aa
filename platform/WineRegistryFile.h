#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

#include <filesystem>
#include <optional>
#include <vector>

class QIODevice;

namespace plenfox::platform {

// A Wine registry file on disk ("system.reg"). Its signature is checked when
// it is opened; each search for keys reads it again into memory, so nothing
// of it is held between searches and a file another program changes is read
// as it is then. It is read, never mapped: a mapped file that another program
// shortens would end the client with a bus error.
class WineRegistryFile {
public:
    // Real files stay far below this; a larger one is read only this far.
    static constexpr qint64 MaxFileSize = qint64(64) << 20;
    static inline const QByteArray Signature = QByteArrayLiteral("WINE REGISTRY Version 2");
    // A file that changes while it is read is read again in pieces of this
    // size (longer lines make it grow).
    static constexpr qsizetype PieceSize = qsizetype(256) << 10;

    // The registry file `file`; absent, with the reason in `problem`, when
    // it is missing, unreadable or no Wine registry (a binary file, say). Of
    // a file beyond `limit` only the whole lines before it count, and it
    // reports truncated().
    static std::optional<WineRegistryFile> open(const std::filesystem::path& file, QString& problem,
                                                qint64 limit = MaxFileSize);

    bool truncated() const { return cut; }

    // The sections (value lines) of the keys, in their order; absent for a
    // key without a header, and for every key when the file can no longer be
    // read.
    std::vector<std::optional<QByteArray>> sectionsOf(const QStringList& keys) const;

    // The sections of the keys in the first `limit` bytes of `input`, read
    // in pieces of `pieceSize` bytes (more for a longer line) handed on in
    // whole lines, until every key is found.
    static std::vector<std::optional<QByteArray>> readInPieces(QIODevice& input,
                                                               const QStringList& keys,
                                                               qint64 limit,
                                                               qsizetype pieceSize = PieceSize);

private:
    WineRegistryFile(std::filesystem::path file, qint64 limit, bool truncated);

    std::filesystem::path file;
    qint64 limit = 0;
    bool cut = false;
};

} // namespace plenfox::platform
