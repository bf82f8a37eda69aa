#pragma once

#include "lib/util/Object.h"

#include <memory>

namespace plenfox::client::model {

class RecognizedItem;

// Told when the recognizer's items change. Calls arrive on the event
// dispatcher's thread.
class DownloadRecognizerListener : public util::Object {
public:
    virtual void afterRefreshRecognized() = 0;
    virtual void beforeRefreshRecognized() = 0;
    virtual void onRecognized(const std::shared_ptr<RecognizedItem>& item) = 0;
    virtual void onRecognizedItemRemoved(const std::shared_ptr<RecognizedItem>& item) = 0;
};

} // namespace plenfox::client::model
