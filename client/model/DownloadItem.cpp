#include "client/model/DownloadItem.h"

namespace plenfox::client::model {

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

QString DownloadItem::pathText(const fs::path& path) {
    return QString::fromStdU16String(path.u16string());
}

} // namespace plenfox::client::model
