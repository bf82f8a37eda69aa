#pragma once

#include <QByteArrayView>
#include <QString>

namespace plenfox::platform {

// The text of Wine's registry files: lines, ASCII letter case and the
// backslash escapes of quoted names and strings.
class WineText {
public:
    static char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

    // The view's next line from `pos`, without its line end ("\n" or
    // "\r\n"); `pos` moves past it.
    static QByteArrayView nextLine(QByteArrayView text, qsizetype& pos);

    // Decodes Wine's escapes in a quoted text that starts at `text`, up to the
    // unescaped `end` character or the end of the view. `length` receives
    // the number of bytes consumed including that end character, or -1 when
    // it is missing (a cut-off line).
    static QString unescape(QByteArrayView text, char end, qsizetype& length);
};

} // namespace plenfox::platform
