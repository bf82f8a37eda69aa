#pragma once

namespace plenfox::client::wow {

// The games the client manages addons for.
enum class SupportedGame { WorldOfWarcraft };

} // namespace plenfox::client::wow
