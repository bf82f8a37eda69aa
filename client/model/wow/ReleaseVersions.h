#pragma once

#include <QString>

#include <array>
#include <optional>

namespace plenfox::client::wow {

// The built-in table of game releases: interface number, game version,
// release name and release date ("yyyy/mm/dd"), in release order.
class ReleaseVersions {
public:
    struct Release {
        std::optional<QString> interfaceNumber; // absent for the first releases
        QString version;
        QString name;
        QString date;
    };

    static constexpr int ReleaseCount = 33;

    static const std::array<Release, ReleaseCount>& wowVersions();

    // The game version of the last release whose interface number equals the
    // given text exactly; the text itself when no release matches; absent for
    // absent input.
    static std::optional<QString>
    getInterfaceVersionName(const std::optional<QString>& interfaceNumber);
};

} // namespace plenfox::client::wow
