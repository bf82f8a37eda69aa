#pragma once

#include "platform/Registry.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QHash>
#include <QStringList>

#include <filesystem>
#include <memory>
#include <mutex>

namespace plenfox::platform {

// The machine-wide registry of a Wine prefix, read from its "system.reg" text
// file: section headers naming keys relative to HKEY_LOCAL_MACHINE, then one
// value per line ("Name"="text", "Name"=dword:..., "Name"=hex(N):..., with
// Wine's backslash escapes). Reads like the 32-bit view of Windows: a key
// below "Software" is looked up under "Software\Wow6432Node" first. Nothing is
// ever written.
class WineRegistry : public Registry {
public:
    // Real files stay far below this; a larger one is read only this far.
    static constexpr qint64 MaxFileSize = qint64(64) << 20;
    static inline const QByteArray Signature = QByteArrayLiteral("WINE REGISTRY Version 2");
    // A file that cannot be mapped is read in pieces of this size (longer
    // lines make it grow).
    static constexpr qsizetype PieceSize = qsizetype(256) << 10;

    // The registry in `file`; absent, with the reason in `problem`, when the
    // file is missing, unreadable or no Wine registry (a binary file, say).
    // The file is searched again, mapped into memory, for keys not seen yet;
    // of a file beyond the limit only the whole lines before it count, and it
    // reports truncated().
    static std::unique_ptr<WineRegistry> read(const std::filesystem::path& file, QString& problem,
                                              qint64 limit = MaxFileSize);

    // The registry held in the text of a "system.reg" file.
    explicit WineRegistry(QByteArray contents);

    bool truncated() const { return cut; }

    bool keyExists(const QString& key) const override;
    std::optional<Value> readValue(const QString& key, const QString& valueName) const override;

    // Decodes Wine's escapes in a quoted text that starts at `text`, up to the
    // unescaped `end` character or the end of the view. `length` receives
    // the number of bytes consumed including that end character, or -1 when
    // it is missing (a cut-off line).
    static QString unescape(QByteArrayView text, char end, qsizetype& length);

private:
    // The value lines of a key.
    using Section = QByteArray;

    WineRegistry(std::filesystem::path file, qint64 limit, bool truncated);

    // The keys to try for `key`, the 32-bit view's first.
    static QStringList viewsOf(const QString& key);
    // The sections of the keys, found in one pass and remembered.
    std::vector<std::optional<Section>> sectionsOf(const QStringList& keys) const;
    std::vector<std::optional<Section>> scan(const QStringList& keys) const;
    // For a file that cannot be mapped: read in pieces, header by header.
    std::vector<std::optional<Section>> scanInPieces(QFile& input, const QStringList& keys) const;
    static std::optional<Value> valueIn(QByteArrayView section, const QString& valueName);

    // The contents when held in memory; otherwise the file and how far to read it.
    QByteArray text;
    std::filesystem::path file;
    qint64 limit = 0;
    bool cut = false;
    mutable std::mutex lock;
    // lower-cased key -> its section, absent for a missing key
    mutable QHash<QString, std::optional<Section>> known;
};

} // namespace plenfox::platform
