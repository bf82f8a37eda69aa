#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace plenfox::client {

// Turns SIGTERM and SIGINT (a logout, Ctrl+C) into a call on the GUI thread,
// so that they end the program the same orderly way as closing the window.
// The signal handler only writes one byte into a pipe; the GUI thread reads
// it. One instance at a time.
class CloseSignals : public QObject {
public:
    explicit CloseSignals(std::function<void()> onClose);
    ~CloseSignals() override;
    CloseSignals(const CloseSignals&) = delete;
    CloseSignals& operator=(const CloseSignals&) = delete;

private:
    void readSignal();

    std::function<void()> onClose;
    QSocketNotifier* notifier = nullptr;
};

} // namespace plenfox::client
