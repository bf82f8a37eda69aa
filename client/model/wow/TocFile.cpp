#include "client/model/wow/TocFile.h"

#include "client/model/App.h"
#include "lib/util/Error.h"
#include "lib/util/Paths.h"
#include "lib/util/Strings.h"

#include <QFile>
#include <QIODevice>
#include <QStringDecoder>

namespace plenfox::client::wow {

namespace {

// Longest line kept; longer lines are cut to this many characters.
constexpr qsizetype MaxLineLength = 1024;

// The whole text is decoded at once: a sequence cut off at the end is
// decoded as a replacement character instead of being dropped.
constexpr QStringConverter::Flags WholeBuffer =
    QStringConverter::Flag::ConvertInitialBom | QStringConverter::Flag::Stateless;

QString decode(QStringConverter::Encoding encoding, QByteArrayView bytes) {
    // The mark has been consumed by the caller; a second mark is content.
    QStringDecoder decoder(encoding, WholeBuffer);
    return decoder.decode(bytes);
}

// The code page the game's files and the launcher's logs are written in.
// Not the system's code page: on Linux that is UTF-8, which the bytes have
// just failed to be.
QString decodeWindows1252(const QByteArray& bytes) {
    QStringDecoder windows1252("windows-1252", WholeBuffer);
    if (windows1252.isValid())
        return windows1252.decode(bytes);
    // A Qt without the codec: Latin-1 differs only in 0x80-0x9F.
    return decode(QStringConverter::Latin1, bytes);
}

QString decodeWithoutMark(const QByteArray& bytes) {
    QStringDecoder utf8(QStringConverter::Utf8, WholeBuffer);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return decodeWindows1252(bytes);
}

// Reads the whole device; a read error keeps what was read before it.
QByteArray readAll(QIODevice& stream) {
    QByteArray bytes;
    char buffer[8192];
    for (;;) {
        const qint64 count = stream.read(buffer, sizeof buffer);
        if (count <= 0)
            break;
        bytes.append(buffer, count);
    }
    return bytes;
}

} // namespace

TocFile::TocFile(const std::filesystem::path& file) : path(util::pathText(file)) {
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly)) {
        App::log(
            util::IoError(path + QStringLiteral(" (") + input.errorString() + QStringLiteral(")")));
        return;
    }
    const QByteArray bytes = readAll(input);
    input.close();
    parse(analyzeBom(bytes));
}

TocFile::TocFile(const QString& name, QIODevice& stream) : path(name) {
    QByteArray bytes;
    if (stream.isOpen() || stream.open(QIODevice::ReadOnly))
        bytes = readAll(stream);
    stream.close();
    parse(analyzeBom(bytes));
}

TocFile::TocFile(const QString& name, const QByteArray& bytes) : path(name) {
    parse(analyzeBom(bytes));
}

std::shared_ptr<const TocFile> TocFile::empty() {
    static const std::shared_ptr<const TocFile> instance(new TocFile());
    return instance;
}

QString TocFile::analyzeBom(const QByteArray& bytes) {
    const auto byteAt = [&bytes](qsizetype index) {
        return static_cast<unsigned char>(bytes.at(index));
    };
    if (bytes.size() >= 2) {
        if (byteAt(0) == 0xFE && byteAt(1) == 0xFF)
            return decode(QStringConverter::Utf16BE, QByteArrayView(bytes).sliced(2));
        // Tested before any third byte, so FF FE 00 00 is UTF-16LE.
        if (byteAt(0) == 0xFF && byteAt(1) == 0xFE)
            return decode(QStringConverter::Utf16LE, QByteArrayView(bytes).sliced(2));
    }
    if (bytes.size() >= 3 && byteAt(0) == 0xEF && byteAt(1) == 0xBB && byteAt(2) == 0xBF)
        return decode(QStringConverter::Utf8, QByteArrayView(bytes).sliced(3));
    return decodeWithoutMark(bytes);
}

QStringList TocFile::splitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    while (start < size) {
        qsizetype end = start;
        while (end < size && text.at(end) != u'\n' && text.at(end) != u'\r')
            ++end;
        lines.append(text.mid(start, end - start));
        if (end < size && text.at(end) == u'\r' && end + 1 < size && text.at(end + 1) == u'\n')
            ++end;
        start = end + 1;
    }
    return lines;
}

void TocFile::parse(const QString& text) {
    for (const QString& line : splitLines(text))
        parseLine(line);
}

void TocFile::parseLine(const QString& rawLine) {
    QString line = util::Strings::trim(rawLine);
    if (line.size() > MaxLineLength) {
        // Never leave half of a surrogate pair at the cut.
        qsizetype cut = MaxLineLength;
        if (line.at(cut - 1).isHighSurrogate())
            --cut;
        line.truncate(cut);
    }
    if (line.startsWith(QStringLiteral("##"))) {
        const QString header = util::Strings::trim(line.mid(2));
        const qsizetype colon = header.indexOf(u':');
        if (colon < 0)
            return;
        headers.emplace_back(header.left(colon), util::Strings::trim(header.mid(colon + 1)));
    } else if (line.startsWith(u'#')) {
        return;
    } else if (!line.isEmpty()) {
        references.append(line);
    }
}

std::optional<QString> TocFile::getHeader(const QString& key) const {
    for (const TocHeader& header : headers) {
        if (QString::compare(header.getKey(), key, Qt::CaseInsensitive) == 0)
            return header.getValue();
    }
    return std::nullopt;
}

QString TocFile::getTitle() const {
    return getHeader(QStringLiteral("Title")).value_or(QStringLiteral("?"));
}

QString TocFile::getNotes() const {
    return getHeader(QStringLiteral("Notes")).value_or(QStringLiteral("?"));
}

QString TocFile::getAuthor() const {
    return getHeader(QStringLiteral("Author")).value_or(QStringLiteral("?"));
}

QString TocFile::getInterface() const {
    return getHeader(QStringLiteral("Interface")).value_or(QStringLiteral("?"));
}

std::vector<int> TocFile::getInterfaceNumbers() const {
    std::vector<int> numbers;
    const std::optional<QString> value = getHeader(QStringLiteral("Interface"));
    if (!value)
        return numbers;
    for (const QString& entry : value->split(u',')) {
        bool ok = false;
        const int number = util::Strings::trim(entry).toInt(&ok);
        if (ok && number > 0)
            numbers.push_back(number);
    }
    return numbers;
}

namespace {

void addNames(QStringList& names, const QString& list) {
    for (const QString& entry : list.split(u',')) {
        const QString name = util::Strings::trim(entry);
        if (!name.isEmpty() && !names.contains(name, Qt::CaseInsensitive))
            names << name;
    }
}

} // namespace

QStringList TocFile::getRequiredDependencies() const {
    QStringList names;
    for (const TocHeader& header : headers) {
        const QString& key = header.getKey();
        if (key.startsWith(QStringLiteral("Dep"), Qt::CaseInsensitive) ||
            QString::compare(key, QStringLiteral("RequiredDeps"), Qt::CaseInsensitive) == 0)
            addNames(names, header.getValue());
    }
    return names;
}

QStringList TocFile::getOptionalDependencies() const {
    QStringList names;
    for (const TocHeader& header : headers)
        if (QString::compare(header.getKey(), QStringLiteral("OptionalDeps"),
                             Qt::CaseInsensitive) == 0)
            addNames(names, header.getValue());
    return names;
}

QString TocFile::getVersion() const {
    if (auto version = getHeader(QStringLiteral("Version")))
        return *version;
    if (auto version = getHeader(QStringLiteral("X-Curse-Packaged-Version")))
        return *version;
    return QStringLiteral("?");
}

} // namespace plenfox::client::wow
