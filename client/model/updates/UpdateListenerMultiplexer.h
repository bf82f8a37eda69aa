#pragma once

#include "client/model/events/ListenerMultiplexer.h"
#include "client/model/updates/UpdateListener.h"

namespace plenfox::client::model {

class UpdateListenerMultiplexer : public UpdateListener,
                                  public ListenerMultiplexer<UpdateListener> {
public:
    static inline const QString Prefix =
        QStringLiteral("class com.plenfox.kesh.client.model.UpdateListenerMultiplexer");

    UpdateListenerMultiplexer() : ListenerMultiplexer(Prefix) {}

    void afterQuery(UpdateManager& manager, bool successful) override {
        fire([&](UpdateListener& l) { l.afterQuery(manager, successful); });
    }
    void afterRefresh(UpdateManager& manager) override {
        fire([&](UpdateListener& l) { l.afterRefresh(manager); });
    }
    void beforeQuery(UpdateManager& manager) override {
        fire([&](UpdateListener& l) { l.beforeQuery(manager); });
    }
    void beforeRefresh(UpdateManager& manager) override {
        fire([&](UpdateListener& l) { l.beforeRefresh(manager); });
    }
};

} // namespace plenfox::client::model
