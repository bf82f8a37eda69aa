#pragma once

#include "client/model/updates/UpdateQuery.h"
#include "client/model/updates/UpdateResult.h"

#include <memory>

namespace plenfox::client::model {

// Something that answers update queries: the update web service, or a
// stand-in for it.
class UpdateSource {
public:
    virtual ~UpdateSource() = default;

    // The answer to the query, or null when the exchange failed (the failure
    // is logged). Throws IllegalArgumentError when the query's table holds a
    // tag outside the "meta-" and "wow-" families. Blocks for the whole exchange.
    virtual std::shared_ptr<UpdateResult> queryUpdates(const UpdateQuery& query) = 0;
    // Ends a running exchange as soon as it can (any thread); later queries
    // fail. Sources that answer at once need not do anything.
    virtual void abort() {}
};

} // namespace plenfox::client::model
