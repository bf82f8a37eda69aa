#pragma once

#include <QString>
#include <exception>

namespace plenfox::util {

// The log of the layers below the program. They write here without knowing
// where the lines go; the program installs one sink at start and removes it
// at exit. While no sink is installed, logging does nothing.
class Log {
public:
    // Receives the lines. It may be called from any thread, also while
    // another call is running.
    class Sink {
    public:
        virtual ~Sink() = default;
        virtual void message(const QString& line) = 0;
        virtual void exception(const std::exception& error) = 0;
    };

    // Makes the sink receive every later line, in place of any sink installed before.
    static void install(Sink& sink);
    // Stops the sink from receiving lines, if it is the installed one. Returns
    // only after every call into it has finished, so the sink may then go.
    static void remove(Sink& sink);

    static void message(const QString& line);
    static void exception(const std::exception& error);
};

} // namespace plenfox::util
