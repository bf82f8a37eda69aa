#pragma once

#include <QString>
#include <memory>

namespace plenfox::client::wow {
class TocFile;
}

namespace plenfox::client::model {

// An addon of the game, described by its TOC file.
class WowAddon {
public:
    virtual ~WowAddon() = default;
    virtual QString getName() const = 0;
    virtual std::shared_ptr<const wow::TocFile> getToc() const = 0;
};

} // namespace plenfox::client::model
