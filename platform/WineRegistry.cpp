#include "platform/WineRegistry.h"

#include "lib/util/Paths.h"

#include <QFile>

#include <QtEndian>
#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace plenfox::platform {

namespace fs = std::filesystem;

namespace {

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    c = asciiLower(c);
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Compares raw section headers (the bytes after "[") with a few keys at once,
// without decoding them, as long as both are plain ASCII with only "\\",
// "\]" and "\"" escapes: nearly every header of a real file, and most differ
// from every key within a few bytes.
class HeaderMatcher {
public:
    static constexpr int None = -1;
    static constexpr int Undecided = -2;

    explicit HeaderMatcher(const QStringList& keys) {
        wide = keys.size() > 64;
        for (const QString& key : keys) {
            QByteArray lower;
            for (QChar c : key) {
                wide = wide || c.unicode() >= 0x80;
                lower += asciiLower(char(c.unicode()));
            }
            lowered.push_back(lower);
        }
    }

    // The index of the key the header names, None, or Undecided when the
    // header must be decoded to tell.
    int match(QByteArrayView raw) const {
        if (wide)
            return Undecided;
        const int count = int(lowered.size());
        quint64 alive = count == 64 ? ~quint64(0) : (quint64(1) << count) - 1;
        for (qsizetype r = 0, k = 0;; ++k) {
            if (r >= raw.size())
                return None;
            char c = raw[r];
            if (c == ']') {
                for (int i = 0; i < count; ++i)
                    if ((alive >> i & 1) && lowered[size_t(i)].size() == k)
                        return i;
                return None;
            }
            if (c == '\n' || c == '\r')
                return None;
            if (uchar(c) >= 0x80)
                return Undecided;
            if (c == '\\') {
                if (r + 1 >= raw.size())
                    return None;
                c = raw[r + 1];
                if (c != '\\' && c != ']' && c != '"')
                    return Undecided;
                r += 2;
            } else {
                ++r;
            }
            c = asciiLower(c);
            for (int i = 0; i < count; ++i)
                if ((alive >> i & 1) &&
                    (k >= lowered[size_t(i)].size() || lowered[size_t(i)][k] != c))
                    alive &= ~(quint64(1) << i);
            if (!alive)
                return None;
        }
    }

private:
    std::vector<QByteArray> lowered;
    bool wide = false;
};

Registry::ValueType typeOfNumber(int number) {
    switch (number) {
    case 1:
        return Registry::ValueType::String;
    case 2:
        return Registry::ValueType::ExpandString;
    case 3:
        return Registry::ValueType::Binary;
    case 4:
        return Registry::ValueType::DWord;
    case 7:
        return Registry::ValueType::MultiString;
    case 11:
        return Registry::ValueType::QWord;
    default:
        return Registry::ValueType::Other;
    }
}

bool isStringType(Registry::ValueType type) {
    return type == Registry::ValueType::String || type == Registry::ValueType::ExpandString ||
           type == Registry::ValueType::MultiString;
}

// The text of a string value as the Windows registry reader gives it: plain
// strings end at their first zero, lists join their items.
QString stringData(Registry::ValueType type, QString text) {
    if (type == Registry::ValueType::MultiString) {
        while (text.endsWith(QChar(u'\0')))
            text.chop(1);
        return text.split(QChar(u'\0')).join(QStringLiteral("; "));
    }
    if (const qsizetype end = text.indexOf(QChar(u'\0')); end >= 0)
        text.truncate(end);
    return text;
}

// A value stored as bytes ("hex:" and "hex(N):" forms).
Registry::Value valueOfBytes(Registry::ValueType type, const QByteArray& bytes) {
    Registry::Value value;
    value.type = type;
    if (isStringType(type)) {
        QString text;
        for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
            text += QChar(char16_t(uchar(bytes[i]) | uchar(bytes[i + 1]) << 8));
        value.data = stringData(type, text);
    } else if (type == Registry::ValueType::DWord && bytes.size() >= 4) {
        value.data = QString::number(qFromLittleEndian<quint32>(bytes.constData()));
    } else if (type == Registry::ValueType::QWord && bytes.size() >= 8) {
        value.data = QString::number(qFromLittleEndian<quint64>(bytes.constData()));
    } else {
        value.data = QString::fromLatin1(bytes.toHex(' '));
    }
    return value;
}

// The view's next line, without its line end; `pos` moves past it.
QByteArrayView nextLine(QByteArrayView text, qsizetype& pos) {
    const qsizetype start = pos;
    const void* found = std::memchr(text.data() + start, '\n', size_t(text.size() - start));
    qsizetype end = found ? static_cast<const char*>(found) - text.data() : text.size();
    pos = found ? end + 1 : text.size();
    if (end > start && text[end - 1] == '\r')
        --end;
    return text.sliced(start, end - start);
}

// Gathers the value lines of the wanted keys from text handed in whole lines.
class SectionCollector {
public:
    explicit SectionCollector(const QStringList& keys)
        : keys(keys), matcher(keys), found(size_t(keys.size())), missing(keys.size()) {}

    // Every key found and its lines complete: the rest need not be read.
    bool done() const { return missing == 0 && open < 0; }

    void feed(QByteArrayView text) {
        const char* data = text.data();
        const qsizetype size = text.size();
        // The open key's lines go on from the start of this piece.
        qsizetype openFrom = 0;
        qsizetype pos = 0;
        while (pos < size) {
            const void* hit = std::memchr(data + pos, '[', size_t(size - pos));
            if (!hit)
                break;
            const qsizetype header = static_cast<const char*>(hit) - data;
            pos = header + 1;
            // Only a "[" that starts a line opens a key.
            if (header > 0 && data[header - 1] != '\n')
                continue;
            if (open >= 0) {
                found[size_t(open)]->append(data + openFrom, header - openFrom);
                open = -1;
                if (missing == 0)
                    return;
            }
            const QByteArrayView raw = text.sliced(header + 1);
            int k = matcher.match(raw);
            if (k == HeaderMatcher::Undecided) {
                qsizetype length = 0;
                const QString name = WineRegistry::unescape(raw, ']', length);
                k = HeaderMatcher::None;
                for (qsizetype i = 0; length > 0 && i < keys.size() && k < 0; ++i)
                    if (name.compare(keys[i], Qt::CaseInsensitive) == 0)
                        k = int(i);
            }
            // A key written twice counts where it first appears.
            if (k < 0 || found[size_t(k)])
                continue;
            nextLine(text, pos);
            found[size_t(k)] = QByteArray();
            open = k;
            openFrom = pos;
            --missing;
        }
        if (open >= 0)
            found[size_t(open)]->append(data + openFrom, size - openFrom);
    }

    std::vector<std::optional<QByteArray>> take() { return std::move(found); }

private:
    const QStringList& keys;
    const HeaderMatcher matcher;
    std::vector<std::optional<QByteArray>> found;
    qsizetype missing;
    int open = -1;
};

// Finds the lines that open given keys: lower-case needles "\n[name]", found
// ignoring ASCII letter case, all in one pass over the text. Each place is
// first tested on a needle's first and last bytes, which no letter case
// changes, sixty-four places at a time where the processor allows; only the few
// places where both fit are compared in full. Reading the text once matters
// most: the search runs at the speed memory delivers it.
class HeaderSearch {
public:
    explicit HeaderSearch(std::vector<QByteArray> lowered) : needles(std::move(lowered)) {}

    // The first place of each needle in the text, -1 where it is absent.
    std::vector<qsizetype> firstPlacesIn(QByteArrayView text) const {
        std::vector<qsizetype> places(needles.size(), -1);
        qsizetype missing = qsizetype(needles.size());
        qsizetype longest = 0;
        std::vector<qsizetype> lasts;
        for (const QByteArray& needle : needles) {
            longest = std::max(longest, needle.size());
            lasts.push_back(needle.size() - 1);
        }
        const char* data = text.data();
        const qsizetype size = text.size();
        qsizetype pos = 0;
#if defined(__SSE2__)
        const __m128i lineEnds = _mm_set1_epi8('\n');
        const __m128i closings = _mm_set1_epi8(']');
        // Sixty-four places a round: the reads of several blocks overlap
        // while memory delivers them. No branch on the line ends alone:
        // they come too irregularly for the processor to guess.
        constexpr qsizetype Round = 64;
        for (; missing > 0 && pos + longest - 1 + Round <= size; pos += Round) {
            __m128i candidates = _mm_setzero_si128();
            for (qsizetype block = pos; block < pos + Round; block += 16) {
                const __m128i starts = _mm_cmpeq_epi8(load(data + block), lineEnds);
                for (const qsizetype last : lasts)
                    candidates = _mm_or_si128(
                        candidates,
                        _mm_and_si128(starts, _mm_cmpeq_epi8(load(data + block + last), closings)));
            }
            if (_mm_movemask_epi8(candidates))
                missing = testPlaces(text, pos, pos + Round, places);
        }
#endif
        if (missing > 0)
            testPlaces(text, pos, size, places);
        return places;
    }

private:
#if defined(__SSE2__)
    static __m128i load(const char* at) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    }
#endif

    // Tests each place in [from, to) for the needles not found yet; returns
    // how many are still missing.
    qsizetype testPlaces(QByteArrayView text, qsizetype from, qsizetype to,
                         std::vector<qsizetype>& places) const {
        const char* data = text.data();
        qsizetype missing = 0;
        for (size_t k = 0; k < needles.size(); ++k) {
            const qsizetype n = needles[k].size();
            for (qsizetype pos = from; places[k] < 0 && pos < to && pos + n <= text.size(); ++pos)
                if (data[pos] == '\n' && data[pos + n - 1] == ']' &&
                    matchesAt(needles[k], data + pos))
                    places[k] = pos;
            missing += places[k] < 0;
        }
        return missing;
    }

    static bool matchesAt(const QByteArray& needle, const char* place) {
        for (qsizetype i = 1; i + 1 < needle.size(); ++i)
            if (asciiLower(place[i]) != needle[i])
                return false;
        return true;
    }

    std::vector<QByteArray> needles;
};

// Whether `text` starts with the lower-case `prefix`, ignoring ASCII letter case.
bool startsCaseless(QByteArrayView text, QByteArrayView prefix) {
    if (text.size() < prefix.size())
        return false;
    for (qsizetype i = 0; i < prefix.size(); ++i)
        if (asciiLower(text[i]) != prefix[i])
            return false;
    return true;
}

// The header of `key` as Wine writes it, lower-cased ("[software\\x]"):
// plain ASCII with "\\" and "\]" escaped. Absent for a key that a header could
// also spell differently (a quote, "[", control or non-ASCII characters).
std::optional<QByteArray> plainHeader(const QString& key) {
    QByteArray out = "[";
    for (const QChar c : key) {
        const char16_t unit = c.unicode();
        if (unit < 0x20 || unit >= 0x7f || unit == u'"' || unit == u'[')
            return std::nullopt;
        if (unit == u'\\' || unit == u']')
            out += '\\';
        out += asciiLower(char(unit));
    }
    return out + ']';
}

// Where the lines of the section that starts at `from` end: at the next line
// that opens a key, or at the end of the text.
qsizetype sectionEnd(QByteArrayView text, qsizetype from) {
    const char* data = text.data();
    for (qsizetype pos = from; pos < text.size();) {
        const void* hit = std::memchr(data + pos, '[', size_t(text.size() - pos));
        if (!hit)
            break;
        const qsizetype header = static_cast<const char*>(hit) - data;
        if (header == 0 || data[header - 1] == '\n')
            return header;
        pos = header + 1;
    }
    return text.size();
}

// The sections of keys that have a plain header, searched for directly
// rather than comparing every header of the file.
std::vector<std::optional<QByteArray>> plainSections(QByteArrayView text,
                                                     const std::vector<QByteArray>& headers) {
    std::vector<QByteArray> lines;
    for (const QByteArray& header : headers)
        lines.push_back('\n' + header);
    const std::vector<qsizetype> places = HeaderSearch(std::move(lines)).firstPlacesIn(text);
    std::vector<std::optional<QByteArray>> found;
    for (size_t k = 0; k < headers.size(); ++k) {
        // A header starts a line; a key written twice counts where it first appears.
        qsizetype start = places[k] >= 0 ? places[k] + 1 : -1;
        if (startsCaseless(text, headers[k]))
            start = 0;
        if (start < 0) {
            found.emplace_back();
            continue;
        }
        qsizetype from = start;
        nextLine(text, from);
        found.emplace_back(text.sliced(from, sectionEnd(text, from) - from).toByteArray());
    }
    return found;
}

// The sections of the keys in text of whole lines (the last may lack its end).
std::vector<std::optional<QByteArray>> sectionsIn(QByteArrayView text, const QStringList& keys) {
    std::vector<QByteArray> headers;
    for (const QString& key : keys) {
        std::optional<QByteArray> header = plainHeader(key);
        if (!header) {
            SectionCollector collector(keys);
            collector.feed(text);
            return collector.take();
        }
        headers.push_back(std::move(*header));
    }
    return plainSections(text, headers);
}

} // namespace

std::unique_ptr<WineRegistry> WineRegistry::read(const fs::path& file, QString& problem,
                                                 qint64 limit) {
    std::error_code error;
    const fs::file_status status = fs::status(file, error);
    if (error || !fs::is_regular_file(status)) {
        problem =
            error ? QString::fromStdString(error.message()) : QStringLiteral("not a regular file");
        return nullptr;
    }
    QFile input(util::pathText(file));
    if (!input.open(QIODevice::ReadOnly)) {
        problem = input.errorString();
        return nullptr;
    }
    const QByteArray start = input.read(Signature.size());
    if (input.error() != QFileDevice::NoError) {
        problem = input.errorString();
        return nullptr;
    }
    if (start != Signature) {
        problem = QStringLiteral("not a Wine registry file");
        return nullptr;
    }
    return std::unique_ptr<WineRegistry>(new WineRegistry(file, limit, input.size() > limit));
}

WineRegistry::WineRegistry(QByteArray contents) : text(std::move(contents)) {}

WineRegistry::WineRegistry(fs::path file, qint64 limit, bool truncated)
    : file(std::move(file)), limit(limit), cut(truncated) {}

QString WineRegistry::unescape(QByteArrayView raw, char end, qsizetype& length) {
    QString out;
    qsizetype i = 0;
    const qsizetype n = raw.size();
    while (i < n) {
        const char c = raw[i];
        if (c == end) {
            length = i + 1;
            return out;
        }
        // A quoted text never spans lines: Wine escapes line ends.
        if (c == '\n' || c == '\r')
            break;
        if (uchar(c) >= 0x80) {
            // Wine writes ASCII only; other bytes are taken as UTF-8.
            qsizetype run = i;
            while (run < n && uchar(raw[run]) >= 0x80)
                ++run;
            out += QString::fromUtf8(raw.sliced(i, run - i));
            i = run;
            continue;
        }
        if (c != '\\') {
            out += QChar(char16_t(c));
            ++i;
            continue;
        }
        if (i + 1 >= n)
            break;
        const char escape = raw[i + 1];
        i += 2;
        switch (escape) {
        case 'a':
            out += QChar(u'\a');
            break;
        case 'b':
            out += QChar(u'\b');
            break;
        case 'e':
            out += QChar(char16_t(27));
            break;
        case 'f':
            out += QChar(u'\f');
            break;
        case 'n':
            out += QChar(u'\n');
            break;
        case 'r':
            out += QChar(u'\r');
            break;
        case 't':
            out += QChar(u'\t');
            break;
        case 'v':
            out += QChar(u'\v');
            break;
        case 'x':
        case 'u': {
            // One UTF-16 code unit in up to four hex digits.
            char16_t unit = 0;
            int digits = 0;
            for (; digits < 4 && i < n && hexDigit(raw[i]) >= 0; ++digits, ++i)
                unit = char16_t(unit * 16 + hexDigit(raw[i]));
            out += digits ? QChar(unit) : QChar(char16_t(escape));
            break;
        }
        case '0':
        case '1':
        case '2':
        case '3':
        case '4':
        case '5':
        case '6':
        case '7': {
            // Up to three octal digits, the first one being `escape`.
            char16_t unit = char16_t(escape - '0');
            for (int digits = 1; digits < 3 && i < n && raw[i] >= '0' && raw[i] <= '7';
                 ++digits, ++i)
                unit = char16_t(unit * 8 + (raw[i] - '0'));
            out += QChar(unit);
            break;
        }
        default:
            // "\\", "\"", "\]" and any other escaped character stand for it.
            if (uchar(escape) >= 0x80)
                i -= 1;
            else
                out += QChar(char16_t(escape));
            break;
        }
    }
    length = -1;
    return out;
}

QStringList WineRegistry::viewsOf(const QString& key) {
    static const QString Software = QStringLiteral("software\\");
    static const QString Redirected = QStringLiteral("wow6432node\\");
    QString normalized = key;
    normalized.replace(u'/', u'\\');
    if (normalized.startsWith(Software, Qt::CaseInsensitive) &&
        !normalized.mid(Software.size()).startsWith(Redirected, Qt::CaseInsensitive) &&
        normalized.mid(Software.size())
                .compare(QStringLiteral("wow6432node"), Qt::CaseInsensitive) != 0)
        return {normalized.left(Software.size()) + QStringLiteral("Wow6432Node\\") +
                    normalized.mid(Software.size()),
                normalized};
    return {normalized};
}

std::vector<std::optional<WineRegistry::Section>>
WineRegistry::sectionsOf(const QStringList& keys) const {
    std::lock_guard guard(lock);
    QStringList unknown;
    for (const QString& key : keys)
        if (!known.contains(key.toLower()))
            unknown << key;
    if (!unknown.isEmpty()) {
        const std::vector<std::optional<Section>> found = scan(unknown);
        for (qsizetype i = 0; i < unknown.size(); ++i)
            known.insert(unknown[i].toLower(), found[size_t(i)]);
    }
    std::vector<std::optional<Section>> sections;
    for (const QString& key : keys)
        sections.push_back(known.value(key.toLower()));
    return sections;
}

std::vector<std::optional<WineRegistry::Section>>
WineRegistry::scan(const QStringList& keys) const {
    if (file.empty())
        return sectionsIn(text, keys);
    QFile input(util::pathText(file));
    if (!input.open(QIODevice::ReadOnly))
        return std::vector<std::optional<Section>>(size_t(keys.size()));
    // Read whole, not mapped: a file another program shortens while it is
    // mapped would end the program with a bus error. Beyond the limit only
    // whole lines count.
    const qint64 size = input.size();
    const qint64 length = std::min(size, limit);
    if (length <= 0)
        return sectionsIn({}, keys);
    const QByteArray data = input.read(length);
    if (data.size() == length) {
        QByteArrayView view(data);
        if (size > limit)
            view = view.first(view.lastIndexOf('\n') + 1);
        return sectionsIn(view, keys);
    }
    // The file changed while it was read: read it again, piece by piece.
    input.seek(0);
    return scanInPieces(input, keys);
}

std::vector<std::optional<WineRegistry::Section>>
WineRegistry::scanInPieces(QFile& input, const QStringList& keys) const {
    SectionCollector collector(keys);
    // One buffer for the whole file, handed on in whole lines; a line cut
    // at its end is carried to the front for the next piece.
    std::vector<char> buffer(size_t{PieceSize});
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

bool WineRegistry::keyExists(const QString& key) const {
    for (const std::optional<Section>& section : sectionsOf(viewsOf(key)))
        if (section)
            return true;
    return false;
}

std::optional<Registry::Value> WineRegistry::readValue(const QString& key,
                                                       const QString& valueName) const {
    for (const std::optional<Section>& section : sectionsOf(viewsOf(key))) {
        if (!section)
            continue;
        if (std::optional<Value> value = valueIn(*section, valueName))
            return value;
    }
    return std::nullopt;
}

std::optional<Registry::Value> WineRegistry::valueIn(QByteArrayView body,
                                                     const QString& valueName) {
    qsizetype pos = 0;
    while (pos < body.size()) {
        const QByteArrayView line = nextLine(body, pos);
        QString name;
        qsizetype nameLength = 0;
        if (line.startsWith('@')) {
            nameLength = 1;
        } else if (line.startsWith('"')) {
            name = unescape(line.sliced(1), '"', nameLength);
            if (nameLength < 0)
                continue;
            nameLength += 1;
        } else {
            continue;
        }
        if (nameLength >= line.size() || line[nameLength] != '=' ||
            name.compare(valueName, Qt::CaseInsensitive) != 0)
            continue;
        QByteArrayView data = line.sliced(nameLength + 1);

        Value value;
        if (data.startsWith("str(") || data.startsWith('"')) {
            value.type = ValueType::String;
            if (data.startsWith("str(")) {
                const qsizetype close = data.indexOf(')');
                bool number = false;
                value.type = typeOfNumber(
                    close > 4 ? data.sliced(4, close - 4).toByteArray().toInt(&number, 16) : -1);
                if (!number || close + 2 >= data.size() || data[close + 1] != ':' ||
                    data[close + 2] != '"')
                    return std::nullopt;
                data = data.sliced(close + 2);
            }
            qsizetype length = 0;
            const QString string = unescape(data.sliced(1), '"', length);
            // An unterminated text is a cut-off line, not a value.
            if (length < 0)
                return std::nullopt;
            value.data = isStringType(value.type) ? stringData(value.type, string) : string;
            return value;
        }
        if (data.startsWith("dword:")) {
            value.type = ValueType::DWord;
            bool number = false;
            const quint32 dword = data.sliced(6).toByteArray().trimmed().toUInt(&number, 16);
            if (!number)
                return std::nullopt;
            value.data = QString::number(dword);
            return value;
        }
        if (data.startsWith("hex")) {
            ValueType type = ValueType::Binary;
            const qsizetype colon = data.indexOf(':');
            if (colon < 0)
                return std::nullopt;
            if (data.startsWith("hex(")) {
                bool number = false;
                const qsizetype close = data.indexOf(')');
                type = typeOfNumber(
                    close > 4 ? data.sliced(4, close - 4).toByteArray().toInt(&number, 16) : -1);
                if (!number)
                    return std::nullopt;
            }
            // The bytes go on over lines ending with "\".
            QByteArray bytes;
            QByteArrayView part = data.sliced(colon + 1);
            for (;;) {
                const bool more = part.endsWith('\\');
                for (const QByteArray& item : part.toByteArray().split(',')) {
                    const QByteArray digits = item.trimmed();
                    if (digits.isEmpty() || digits == "\\")
                        continue;
                    bool number = false;
                    const uint byte = digits.toUInt(&number, 16);
                    if (!number || byte > 0xFF)
                        return std::nullopt;
                    bytes.append(char(byte));
                }
                if (!more || pos >= body.size())
                    break;
                part = nextLine(body, pos);
            }
            return valueOfBytes(type, bytes);
        }
        value.type = ValueType::Other;
        value.data = QString::fromUtf8(data);
        return value;
    }
    return std::nullopt;
}

} // namespace plenfox::platform
