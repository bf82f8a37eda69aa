#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

#include <vector>

namespace plenfox::platform {

// Compares raw section headers of a Wine registry file (the bytes after "[")
// with a few keys at once, without decoding them, as long as both are plain
// ASCII with only "\\", "\]" and "\"" escapes: nearly every header of a real
// file, and most differ from every key within a few bytes.
class WineHeaderMatcher {
public:
    static constexpr int None = -1;
    static constexpr int Undecided = -2;

    explicit WineHeaderMatcher(const QStringList& keys);

    // The index of the key the header names, None, or Undecided when the
    // header must be decoded to tell.
    int match(QByteArrayView raw) const;

private:
    std::vector<QByteArray> lowered;
    // Keys beyond ASCII, or more than one round of the bit set holds: every
    // header is then decoded.
    bool wide = false;
};

} // namespace plenfox::platform
