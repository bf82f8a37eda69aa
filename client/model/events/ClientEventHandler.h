#pragma once

namespace plenfox::client::model {

class AddonChangeListener;
class ClientLifetimeListener;
class DownloadListener;
class DownloadRecognizerListener;
class UpdateListener;

// Supplies the listener each component registers on its own multiplexer.
// Any getter may answer null: the component then registers nothing.
class ClientEventHandler {
public:
    virtual ~ClientEventHandler() = default;
    virtual AddonChangeListener* getAddonChangeListener() = 0;
    virtual ClientLifetimeListener* getClientLifetimeListener() = 0;
    virtual DownloadListener* getDownloadListener() = 0;
    virtual DownloadRecognizerListener* getDownloadRecognizerListener() = 0;
    virtual UpdateListener* getUpdateListener() = 0;
};

} // namespace plenfox::client::model
