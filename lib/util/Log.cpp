#include "lib/util/Log.h"

#include <mutex>
#include <shared_mutex>

namespace plenfox::util {

namespace {

// Writers share the lock while they call the sink; removing it takes the lock
// alone, so it waits for calls under way.
std::shared_mutex sinkLock;
Log::Sink* installed = nullptr;

} // namespace

void Log::install(Sink& sink) {
    std::unique_lock lock(sinkLock);
    installed = &sink;
}

void Log::remove(Sink& sink) {
    std::unique_lock lock(sinkLock);
    if (installed == &sink)
        installed = nullptr;
}

void Log::message(const QString& line) {
    std::shared_lock lock(sinkLock);
    if (installed)
        installed->message(line);
}

void Log::exception(const std::exception& error) {
    std::shared_lock lock(sinkLock);
    if (installed)
        installed->exception(error);
}

} // namespace plenfox::util
