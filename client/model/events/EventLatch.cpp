#include "client/model/events/EventLatch.h"

namespace plenfox::client::model {

void EventLatch::countDown() {
    // Counting down twice would be undefined for std::latch.
    if (!released.exchange(true))
        latch.count_down();
}

void EventLatch::await() {
    latch.wait();
}

QString EventLatch::toString() const {
    return Object::toString() + QStringLiteral("[Count = ") + QString::number(released ? 0 : 1) +
           QLatin1Char(']');
}

} // namespace plenfox::client::model
