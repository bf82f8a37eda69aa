#pragma once

#include <QString>

namespace plenfox::util {

class Strings {
public:
    // Removes every character whose code is U+0020 or lower from both ends.
    static QString trim(const QString& text);
};

} // namespace plenfox::util
