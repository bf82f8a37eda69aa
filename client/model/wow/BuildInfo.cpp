#include "client/model/wow/BuildInfo.h"

#include "client/model/wow/TocFile.h"
#include "lib/util/Paths.h"
#include "lib/util/Strings.h"

#include <QFile>

namespace plenfox::client::wow {

namespace {

const QString ProductColumn = QStringLiteral("product");
const QString LastActivatedColumn = QStringLiteral("last activated");

// "Build Key!HEX:16" -> "build key".
QString columnName(const QString& header) {
    const qsizetype mark = header.indexOf(u'!');
    return util::Strings::trim(mark < 0 ? header : header.left(mark)).toLower();
}

// Whether a marks a later activation than b: numbers (a counter or a time)
// as numbers, anything else as text.
bool later(const QString& a, const QString& b) {
    bool aNumber = false;
    bool bNumber = false;
    const qulonglong aValue = a.toULongLong(&aNumber);
    const qulonglong bValue = b.toULongLong(&bNumber);
    if (aNumber && bNumber)
        return aValue > bValue;
    return a > b;
}

} // namespace

BuildInfo BuildInfo::parse(const QString& text) {
    BuildInfo info;
    const QStringList lines = TocFile::splitLines(text);
    qsizetype index = 0;
    while (index < lines.size() && util::Strings::trim(lines[index]).isEmpty())
        ++index;
    if (index == lines.size()) {
        info.issues << QStringLiteral("no header line");
        return info;
    }
    const QString header = lines[index++];
    if (!header.contains(u'!')) {
        info.issues << QStringLiteral("header line without column types [") + header +
                           QLatin1Char(']');
        return info;
    }
    for (const QString& column : header.split(u'|'))
        info.columns << columnName(column);
    if (!info.columns.contains(ProductColumn)) {
        info.issues << QStringLiteral("no Product column");
        return info;
    }
    for (; index < lines.size(); ++index) {
        if (util::Strings::trim(lines[index]).isEmpty())
            continue;
        const QStringList fields = lines[index].split(u'|');
        if (fields.size() != info.columns.size()) {
            info.issues << QStringLiteral("line ") + QString::number(index + 1) +
                               QStringLiteral(" has ") + QString::number(fields.size()) +
                               QStringLiteral(" fields, the header ") +
                               QString::number(info.columns.size());
            continue;
        }
        Row row;
        for (qsizetype i = 0; i < fields.size(); ++i)
            row.insert(info.columns[i], util::Strings::trim(fields[i]));
        info.table.push_back(std::move(row));
    }
    return info;
}

std::optional<BuildInfo> BuildInfo::read(const std::filesystem::path& file) {
    QFile input(file);
    if (!input.exists())
        return std::nullopt;
    if (!input.open(QIODevice::ReadOnly)) {
        BuildInfo info;
        info.issues << input.errorString();
        return info;
    }
    if (input.size() > MaxFileSize) {
        BuildInfo info;
        info.issues << QStringLiteral("larger than ") + QString::number(MaxFileSize) +
                           QStringLiteral(" bytes");
        return info;
    }
    const QByteArray bytes = input.read(MaxFileSize);
    return parse(TocFile::analyzeBom(bytes));
}

bool BuildInfo::hasColumn(const QString& name) const {
    return columns.contains(name.toLower());
}

QString BuildInfo::value(const Row& row, const QString& column) {
    const auto found = row.constFind(column.toLower());
    return found == row.constEnd() ? QString() : *found;
}

std::optional<BuildInfo::Row> BuildInfo::productRow(const QString& product) const {
    for (const Row& row : table)
        if (QString::compare(value(row, ProductColumn), product, Qt::CaseInsensitive) == 0)
            return row;
    return std::nullopt;
}

std::optional<QString> BuildInfo::lastActivatedProduct() const {
    std::optional<QString> product;
    QString mark;
    for (const Row& row : table) {
        const QString activated = value(row, LastActivatedColumn);
        if (activated.isEmpty() || activated == QStringLiteral("0"))
            continue;
        if (!product || later(activated, mark)) {
            product = value(row, ProductColumn);
            mark = activated;
        }
    }
    return product;
}

} // namespace plenfox::client::wow
