#include "platform/LutrisGameFile.h"

#include "platform/BoundedFileReader.h"

#include <QStringList>

namespace plenfox::platform {

namespace {

// A scalar as written in the file: quoted ('it''s', "a \"b\"") or plain,
// with a trailing comment removed from plain ones.
QString scalar(QString value) {
    value = value.trimmed();
    if (value.size() >= 2 && value.startsWith(u'\'') && value.endsWith(u'\''))
        return value.mid(1, value.size() - 2).replace(QStringLiteral("''"), QStringLiteral("'"));
    if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"')) {
        QString out;
        const QString inner = value.mid(1, value.size() - 2);
        for (qsizetype i = 0; i < inner.size(); ++i) {
            if (inner[i] == u'\\' && i + 1 < inner.size())
                ++i;
            out += inner[i];
        }
        return out;
    }
    if (const qsizetype comment = value.indexOf(QStringLiteral(" #")); comment >= 0)
        value.truncate(comment);
    return value.trimmed();
}

} // namespace

std::optional<QString> LutrisGameFile::readPrefix(const std::filesystem::path& file,
                                                  QString& problem) {
    const std::optional<BoundedFileReader::Contents> contents =
        BoundedFileReader::read(file, MaxFileSize, problem);
    if (!contents)
        return std::nullopt;
    if (contents->truncated) {
        problem = QStringLiteral("larger than ") + QString::number(MaxFileSize) +
                  QStringLiteral(" bytes");
        return std::nullopt;
    }
    return parsePrefix(contents->bytes);
}

std::optional<QString> LutrisGameFile::parsePrefix(QByteArrayView text) {
    static const QString Key = QStringLiteral("prefix:");
    for (const QString& line : QString::fromUtf8(text).split(u'\n')) {
        const QString entry = line.trimmed();
        if (!entry.startsWith(Key))
            continue;
        const QString value = scalar(entry.mid(Key.size()));
        if (!value.isEmpty())
            return value;
    }
    return std::nullopt;
}

} // namespace plenfox::platform
