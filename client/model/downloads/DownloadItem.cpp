#include "client/model/downloads/DownloadItem.h"

#include "lib/util/Paths.h"

namespace plenfox::client::model {

using util::pathText;

namespace fs = std::filesystem;

int DownloadItem::compareTo(const DownloadItem& other) const {
    return comparePaths(getFile(), other.getFile());
}

QString DownloadItem::toString() const {
    return util::Object::toString() + QStringLiteral("[") + pathText(getFile()) +
           QStringLiteral("]");
}

int DownloadItem::comparePaths(const fs::path& a, const fs::path& b) {
#if defined(_WIN32)
    return QString::compare(pathText(a), pathText(b), Qt::CaseInsensitive);
#else
    const int result = a.compare(b);
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
#endif
}

bool DownloadItem::sameFile(const fs::path& a, const fs::path& b) {
    return comparePaths(a, b) == 0;
}

} // namespace plenfox::client::model
