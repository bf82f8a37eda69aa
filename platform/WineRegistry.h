#pragma once

#include "platform/Registry.h"
#include "platform/WineRegistryFile.h"

#include <QByteArray>
#include <QHash>
#include <QStringList>

#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>

namespace plenfox::platform {

// The machine-wide registry of a Wine prefix, read from its "system.reg" text
// file: section headers naming keys relative to HKEY_LOCAL_MACHINE, then one
// value per line (see WineValueParser). Reads like the 32-bit view of
// Windows: a key below "Software" is looked up under "Software\Wow6432Node"
// first. Each key's section is looked up once and remembered. Nothing is ever
// written.
class WineRegistry : public Registry {
public:
    static constexpr qint64 MaxFileSize = WineRegistryFile::MaxFileSize;

    // The registry in `file`; absent, with the reason in `problem`, when the
    // file is missing, unreadable or no Wine registry (a binary file, say).
    // The file is read again into memory for keys not looked up yet; of a
    // file beyond the limit only the whole lines before it count, and it
    // reports truncated().
    static std::unique_ptr<WineRegistry> read(const std::filesystem::path& file, QString& problem,
                                              qint64 limit = MaxFileSize);

    // The registry held in the text of a "system.reg" file.
    explicit WineRegistry(QByteArray contents);

    bool truncated() const { return file && file->truncated(); }

    bool keyExists(const QString& key) const override;
    std::optional<Value> readValue(const QString& key, const QString& valueName) const override;

private:
    // The value lines of a key.
    using Section = QByteArray;

    explicit WineRegistry(WineRegistryFile file);

    // The keys to try for `key`, the 32-bit view's first.
    static QStringList viewsOf(const QString& key);
    // The sections of the keys, those not known yet found in one pass.
    std::vector<std::optional<Section>> sectionsOf(const QStringList& keys) const;
    std::vector<std::optional<Section>> search(const QStringList& keys) const;

    // The contents when held in memory; otherwise the file.
    QByteArray text;
    std::optional<WineRegistryFile> file;
    mutable std::mutex lock;
    // lower-cased key -> its section, absent for a missing key
    mutable QHash<QString, std::optional<Section>> known;
};

} // namespace plenfox::platform
