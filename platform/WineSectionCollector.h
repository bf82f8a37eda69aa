#pragma once

#include "platform/WineHeaderMatcher.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

#include <optional>
#include <vector>

namespace plenfox::platform {

// Gathers the value lines of wanted keys from a Wine registry text handed in
// pieces of whole lines, header by header: for text read piece by piece, and
// for keys whose headers a plain search cannot find.
class WineSectionCollector {
public:
    explicit WineSectionCollector(QStringList keys);

    // Every key found and its lines complete: the rest need not be read.
    bool done() const { return missing == 0 && open < 0; }

    // The next piece of text; it ends with a line end unless it is the last.
    void feed(QByteArrayView text);

    // The value lines of each key, in the order of the keys; absent for a
    // key without a header.
    std::vector<std::optional<QByteArray>> take() { return std::move(found); }

private:
    // The index of the key the header at `raw` (after its "[") names, or None.
    int keyOf(QByteArrayView raw) const;

    const QStringList keys;
    const WineHeaderMatcher matcher;
    std::vector<std::optional<QByteArray>> found;
    qsizetype missing;
    // The key whose lines are being gathered, or -1.
    int open = -1;
};

} // namespace plenfox::platform
