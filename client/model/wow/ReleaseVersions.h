#pragma once

#include <QString>

#include <array>
#include <optional>

namespace plenfox::client::wow {

// The built-in table of game releases: interface number, game version,
// release name and release date ("yyyy/mm/dd"), in release order; the
// classic lines sit among the others by their date.
class ReleaseVersions {
public:
    struct Release {
        std::optional<QString> interfaceNumber; // absent for the first releases
        QString version;
        QString name;
        QString date;
    };

    static constexpr int ReleaseCount = 46;

    static const std::array<Release, ReleaseCount>& wowVersions();

    // The game version of the last release whose interface number equals the
    // given text exactly; the text itself when no release matches; absent for
    // absent input.
    static std::optional<QString>
    getInterfaceVersionName(const std::optional<QString>& interfaceNumber);
    // The game version an interface number stands for: the version of the
    // last release with that number, else, for the numbers the game uses
    // since 1.9 (major * 10000 + minor * 100 + patch), that version read from
    // the number ("12.1" for 120100, "11.2.7" for 110207); older numbers
    // not in the table as they are.
    static QString versionNameFor(int interfaceNumber);
};

} // namespace plenfox::client::wow
