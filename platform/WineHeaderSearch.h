#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

namespace plenfox::platform {

// Finds the lines that open given keys in a Wine registry text held whole:
// lower-case needles "\n[name]", found ignoring ASCII letter case, all in one
// pass over the text. Each place is first tested on a needle's first and last
// bytes, which no letter case changes, sixty-four places at a time where the
// processor allows; only the few places where both fit are compared in full.
// Reading the text once matters most: the search runs at the speed memory
// delivers it.
class WineHeaderSearch {
public:
    explicit WineHeaderSearch(std::vector<QByteArray> lowered);

    // The first place of each needle in the text, -1 where it is absent.
    std::vector<qsizetype> firstPlacesIn(QByteArrayView text) const;

private:
    // Tests each place in [from, to) for the needles not found yet; returns
    // how many are still missing.
    qsizetype testPlaces(QByteArrayView text, qsizetype from, qsizetype to,
                         std::vector<qsizetype>& places) const;
    static bool matchesAt(const QByteArray& needle, const char* place);

    std::vector<QByteArray> needles;
};

} // namespace plenfox::platform
