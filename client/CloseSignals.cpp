#include "client/CloseSignals.h"

#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace plenfox::client {

namespace {

// The pipe the signal handler writes into; a signal handler can reach no
// object, only this.
int signalPipe[2] = {-1, -1};

void handleSignal(int) {
    const char byte = 1;
    // Nothing to do on failure: the pipe is full, so a close is pending anyway.
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

} // namespace

CloseSignals::CloseSignals(std::function<void()> onClose) : onClose(std::move(onClose)) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;
    ::fcntl(signalPipe[1], F_SETFL, O_NONBLOCK);
    notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] { readSignal(); });
    struct sigaction action = {};
    action.sa_handler = handleSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
}

CloseSignals::~CloseSignals() {
    ::signal(SIGTERM, SIG_DFL);
    ::signal(SIGINT, SIG_DFL);
    for (int& fd : signalPipe) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

void CloseSignals::readSignal() {
    char buffer[16];
    [[maybe_unused]] const ssize_t read = ::read(signalPipe[0], buffer, sizeof buffer);
    if (onClose)
        onClose();
}

} // namespace plenfox::client
