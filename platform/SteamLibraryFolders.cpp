#include "platform/SteamLibraryFolders.h"

#include "platform/BoundedFileReader.h"

#include <optional>

namespace plenfox::platform {

namespace {

bool isNumber(const QString& text) {
    if (text.isEmpty())
        return false;
    for (QChar c : text)
        if (!c.isDigit())
            return false;
    return true;
}

// Splits the text into quoted strings, unquoted words and braces.
class Tokens {
public:
    explicit Tokens(const QString& text) : text(text) {}

    // The next token: a brace as "{" or "}" with `brace` set, or a string.
    std::optional<QString> next(bool& brace) {
        for (;;) {
            while (pos < text.size() && text[pos].isSpace())
                ++pos;
            if (pos + 1 < text.size() && text[pos] == u'/' && text[pos + 1] == u'/') {
                while (pos < text.size() && text[pos] != u'\n')
                    ++pos;
                continue;
            }
            break;
        }
        if (pos >= text.size())
            return std::nullopt;
        brace = text[pos] == u'{' || text[pos] == u'}';
        if (brace)
            return QString(text[pos++]);
        QString token;
        if (text[pos] == u'"') {
            for (++pos; pos < text.size() && text[pos] != u'"'; ++pos) {
                if (text[pos] == u'\\' && pos + 1 < text.size())
                    ++pos;
                token += text[pos];
            }
            ++pos;
            return token;
        }
        while (pos < text.size() && !text[pos].isSpace() && text[pos] != u'{' &&
               text[pos] != u'}' && text[pos] != u'"')
            token += text[pos++];
        return token;
    }

private:
    const QString& text;
    qsizetype pos = 0;
};

} // namespace

QStringList SteamLibraryFolders::read(const std::filesystem::path& file, QString& problem) {
    const std::optional<BoundedFileReader::Contents> contents =
        BoundedFileReader::read(file, MaxFileSize, problem);
    if (!contents)
        return {};
    if (contents->truncated) {
        problem = QStringLiteral("larger than ") + QString::number(MaxFileSize) +
                  QStringLiteral(" bytes");
        return {};
    }
    return parsePaths(contents->bytes);
}

QStringList SteamLibraryFolders::parsePaths(QByteArrayView bytes) {
    const QString text = QString::fromUtf8(bytes);
    Tokens tokens(text);
    QStringList paths;
    std::optional<QString> key;
    int depth = 0;
    bool brace = false;
    while (const std::optional<QString> token = tokens.next(brace)) {
        if (brace) {
            depth += *token == QStringLiteral("{") ? 1 : -1;
            if (depth > MaxDepth || depth < 0)
                break;
            key.reset();
            continue;
        }
        if (!key) {
            key = *token;
            continue;
        }
        // Inside the list (depth 1) numbered keys held the paths themselves;
        // in entries of their own the path is the "path" value.
        if (key->compare(QStringLiteral("path"), Qt::CaseInsensitive) == 0 ||
            (depth == 1 && isNumber(*key)))
            if (!token->isEmpty())
                paths << *token;
        key.reset();
    }
    return paths;
}

} // namespace plenfox::platform
