#pragma once

#include "client/model/App.h"
#include "lib/util/Object.h"
#include "lib/util/PriorityList.h"

#include <QString>

namespace plenfox::client::model {

// Fans one event out to listeners in priority order (lowest first, ties in
// the order added). The concrete multiplexers implement a listener interface
// by calling fire() with the event. An error raised by one listener ends the
// walk and reaches the dispatcher, which logs it.
template <typename Listener> class ListenerMultiplexer {
public:
    explicit ListenerMultiplexer(QString prefix) : prefix(std::move(prefix)) {}

    void add(Listener* listener) { add(0, listener); }
    void add(int priority, Listener* listener) { listeners.add(priority, listener); }

    void listenerReport() {
        App::log(prefix + QStringLiteral(".listenerReport: ") +
                 listeners.toPriorityString(
                     [](Listener* const& listener) { return describe(listener); }));
    }

protected:
    template <typename Call> void fire(Call&& call) {
        for (Listener* listener : listeners.values())
            call(*listener);
    }

private:
    static QString describe(Listener* listener) {
        if (!listener)
            return QStringLiteral("null");
        if (const auto* object = dynamic_cast<const util::Object*>(listener))
            return object->toString();
        return util::Object::defaultText(listener, typeid(*listener).name());
    }

    QString prefix;
    util::PriorityList<Listener*> listeners;
};

} // namespace plenfox::client::model
