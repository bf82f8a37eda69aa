#pragma once

#include "client/model/wow/TocHeader.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

class QIODevice;

namespace plenfox::client::wow {

// An addon's table of contents: its "##" headers and its file references, in
// file order. Immutable once built, so it may be shared between threads.
class TocFile {
public:
    // Reads a TOC file from disk; a file that cannot be read is logged and
    // gives empty lists with the file's path.
    explicit TocFile(const std::filesystem::path& file);
    // Reads a TOC from a stream (a zip entry); the name becomes the path.
    TocFile(const QString& name, QIODevice& stream);
    // Parses TOC bytes already in memory.
    TocFile(const QString& name, const QByteArray& bytes);

    // The empty TOC: no headers, no references, path "?".
    static std::shared_ptr<const TocFile> empty();

    // Decodes bytes by their byte-order mark: UTF-16BE (FE FF), UTF-16LE
    // (FF FE), UTF-8 (EF BB BF), the mark itself dropped. Without a mark the
    // text is read as UTF-8 when it is valid UTF-8, else as Windows-1252.
    static QString analyzeBom(const QByteArray& bytes);
    // Splits text into lines ending at LF, CR or CR LF; a terminator at the
    // very end does not start another line.
    static QStringList splitLines(const QString& text);

    const QString& getPath() const { return path; }
    // First header whose key equals the given one ignoring case.
    std::optional<QString> getHeader(const QString& key) const;
    std::vector<TocHeader> getHeaders() const { return headers; }
    QStringList getReferences() const { return references; }
    QString getTitle() const;
    QString getNotes() const;
    QString getAuthor() const;
    QString getInterface() const;
    // "Version", else "X-Curse-Packaged-Version", else "?".
    QString getVersion() const;
    // The numbers of the "Interface" header, which may list several
    // separated by commas ("120001, 110207"); entries that are not numbers
    // are left out.
    std::vector<int> getInterfaceNumbers() const;
    // The addons this one needs: the names listed by "RequiredDeps" and by
    // every header whose key begins with "Dep" ("Dependencies", "Deps"),
    // comma-separated, in order, each once (ignoring case).
    QStringList getRequiredDependencies() const;
    // The names listed by "OptionalDeps".
    QStringList getOptionalDependencies() const;

private:
    TocFile() : path(QStringLiteral("?")) {}
    void parse(const QString& text);
    void parseLine(const QString& line);

    QString path;
    std::vector<TocHeader> headers;
    QStringList references;
};

} // namespace plenfox::client::wow
