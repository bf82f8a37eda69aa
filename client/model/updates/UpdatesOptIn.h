#pragma once

#include <QString>

namespace plenfox::client::model {

// What the player is told and asked when allowing or stopping the queries to
// the update service. Both questions name the service's domain.
class UpdatesOptIn {
public:
    static QString enableTitle();
    static QString enableQuestion();
    static QString alreadyEnabledTitle();
    static QString alreadyEnabledText();
    static QString disableTitle();
    static QString disableQuestion();
    static QString alreadyDisabledTitle();
    static QString alreadyDisabledText();
};

} // namespace plenfox::client::model
