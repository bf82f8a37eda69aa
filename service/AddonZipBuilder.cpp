#include "service/AddonZipBuilder.h"

#include "lib/util/Error.h"

#include <memory>
#include <zip.h>

namespace plenfox::service {

using util::IoError;

namespace {

struct SourceDeleter {
    void operator()(zip_source_t* source) const { zip_source_free(source); }
};
using SourceHandle = std::unique_ptr<zip_source_t, SourceDeleter>;

struct ArchiveDeleter {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using ArchiveHandle = std::unique_ptr<zip_t, ArchiveDeleter>;

[[noreturn]] void fail(const QString& what, zip_t* archive) {
    throw IoError(what + QStringLiteral(": ") +
                  QString::fromUtf8(archive ? zip_strerror(archive) : "unknown error"));
}

// Reads the whole content of a closed in-memory archive source.
QByteArray readSource(zip_source_t* source) {
    if (zip_source_open(source) < 0)
        throw IoError(QStringLiteral("cannot reopen built archive"));
    QByteArray bytes;
    char buffer[8192];
    for (;;) {
        const zip_int64_t count = zip_source_read(source, buffer, sizeof buffer);
        if (count < 0) {
            zip_source_close(source);
            throw IoError(QStringLiteral("cannot read built archive"));
        }
        if (count == 0)
            break;
        bytes.append(buffer, static_cast<qsizetype>(count));
    }
    zip_source_close(source);
    return bytes;
}

} // namespace

QByteArray AddonZipBuilder::tocText(const UpdateCatalog::Addon& addon) {
    const QString text =
        QStringLiteral("## Interface: ") + Interface + QStringLiteral("\r\n## Title: ") +
        addon.title + QStringLiteral("\r\n## Version: ") + addon.version +
        QStringLiteral("\r\n## Notes: Served by the reference update service\r\n") + addon.name +
        QStringLiteral(".lua\r\n");
    return text.toUtf8();
}

QByteArray AddonZipBuilder::build(const UpdateCatalog::Package& package) {
    zip_error_t error;
    zip_error_init(&error);
    SourceHandle memory(zip_source_buffer_create(nullptr, 0, 0, &error));
    zip_error_fini(&error);
    if (!memory)
        throw IoError(QStringLiteral("cannot create archive buffer"));
    zip_error_init(&error);
    ArchiveHandle archive(zip_open_from_source(memory.get(), ZIP_TRUNCATE, &error));
    zip_error_fini(&error);
    if (!archive)
        throw IoError(QStringLiteral("cannot create archive"));
    // The archive takes over one reference; ours keeps the bytes after closing.
    zip_source_keep(memory.get());

    // Contents must stay alive until the archive is written.
    std::vector<QByteArray> contents;
    contents.reserve(package.addons.size() * 2);
    for (const UpdateCatalog::Addon& addon : package.addons) {
        const QByteArray folder = addon.name.toUtf8() + '/';
        if (zip_dir_add(archive.get(), folder.constData(), ZIP_FL_ENC_UTF_8) < 0)
            fail(QStringLiteral("cannot add folder ") + addon.name, archive.get());
        contents.push_back(tocText(addon));
        contents.push_back(QByteArrayLiteral("-- ") + addon.title.toUtf8() + ' ' +
                           addon.version.toUtf8() + '\n');
        const QByteArray names[] = {folder + addon.name.toUtf8() + ".toc",
                                    folder + addon.name.toUtf8() + ".lua"};
        for (int i = 0; i < 2; ++i) {
            const QByteArray& data = contents[contents.size() - 2 + i];
            zip_source_t* file = zip_source_buffer(archive.get(), data.constData(),
                                                   static_cast<zip_uint64_t>(data.size()), 0);
            if (!file)
                fail(QStringLiteral("cannot add file"), archive.get());
            if (zip_file_add(archive.get(), names[i].constData(), file, ZIP_FL_ENC_UTF_8) < 0) {
                zip_source_free(file);
                fail(QStringLiteral("cannot add file"), archive.get());
            }
        }
    }
    if (zip_close(archive.get()) < 0)
        fail(QStringLiteral("cannot write archive"), archive.get());
    static_cast<void>(archive.release()); // closed and freed by zip_close
    return readSource(memory.get());
}

} // namespace plenfox::service
