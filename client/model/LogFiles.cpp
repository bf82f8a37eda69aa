#include "client/model/LogFiles.h"

#include "lib/util/Paths.h"

namespace plenfox::client {

namespace fs = std::filesystem;

bool LogFiles::isLogFileName(const QString& name) {
    return name.startsWith(QStringLiteral("plenfoxclient")) &&
           name.endsWith(QStringLiteral(".log"));
}

std::vector<LogFiles::Entry> LogFiles::list(const fs::path& folder) {
    std::vector<Entry> logs;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        std::error_code gone;
        if (!entry.is_regular_file(gone) || !isLogFileName(util::pathText(entry.path().filename())))
            continue;
        // A file removed meanwhile (by another run's clean-up) is skipped.
        const fs::file_time_type modified = entry.last_write_time(gone);
        if (!gone)
            logs.push_back({entry.path(), modified});
    }
    return logs;
}

} // namespace plenfox::client
