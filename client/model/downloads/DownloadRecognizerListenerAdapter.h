#pragma once

#include "client/model/downloads/DownloadRecognizerListener.h"

namespace plenfox::client::model {

// A recognizer listener that ignores every event.
class DownloadRecognizerListenerAdapter : public DownloadRecognizerListener {
public:
    void afterRefreshRecognized() override {}
    void beforeRefreshRecognized() override {}
    void onRecognized(const std::shared_ptr<RecognizedItem>&) override {}
    void onRecognizedItemRemoved(const std::shared_ptr<RecognizedItem>&) override {}
};

} // namespace plenfox::client::model
