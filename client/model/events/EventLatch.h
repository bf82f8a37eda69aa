#pragma once

#include "lib/util/Object.h"

#include <atomic>
#include <latch>

namespace plenfox::client::model {

// A one-shot latch with a count of 1, used for the dispatcher's event blocks
// and event sinks. Its text form names it in the log.
class EventLatch : public util::Object {
public:
    void countDown();
    void await();
    bool isReleased() const { return released.load(); }
    QString toString() const override;

private:
    std::latch latch{1};
    std::atomic<bool> released{false};
};

} // namespace plenfox::client::model
