#pragma once

namespace plenfox::client::model {

class UpdateManager;

// Told when the update manager asks the update service and when it has
// recomputed the available updates. Calls arrive on the event dispatcher's
// thread, for one query in the order beforeQuery, afterQuery, beforeRefresh,
// afterRefresh.
class UpdateListener {
public:
    virtual ~UpdateListener() = default;
    // successful is false when nothing was asked (updates disabled) or the
    // exchange failed; the stored answer is then unchanged.
    virtual void afterQuery(UpdateManager& manager, bool successful) = 0;
    virtual void afterRefresh(UpdateManager& manager) = 0;
    virtual void beforeQuery(UpdateManager& manager) = 0;
    virtual void beforeRefresh(UpdateManager& manager) = 0;
};

} // namespace plenfox::client::model
