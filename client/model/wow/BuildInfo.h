#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <optional>
#include <vector>

namespace plenfox::client::wow {

// The launcher's ".build.info" at the root of a game installation: a header
// line of "Name!TYPE:size" columns joined by "|", then one row per installed
// product. Columns are found by name, since their set and order differ
// between launcher versions.
class BuildInfo {
public:
    static inline const QString FileName = QStringLiteral(".build.info");
    // Larger files are not launcher files: read no further than this.
    static constexpr qint64 MaxFileSize = 1 << 20;

    using Row = QHash<QString, QString>; // lower-case column name -> value

    // Parses the text; what does not fit the format is described in
    // problems() and left out.
    static BuildInfo parse(const QString& text);
    // Reads the file; absent when it does not exist. A file that cannot be
    // read gives an empty table with the reason in problems().
    static std::optional<BuildInfo> read(const std::filesystem::path& file);

    const std::vector<Row>& rows() const { return table; }
    const QStringList& problems() const { return issues; }
    bool hasColumn(const QString& name) const;

    // The value of a column in a row; null when the column is missing.
    static QString value(const Row& row, const QString& column);
    // The first row of that product code (ignoring case), if any.
    std::optional<Row> productRow(const QString& product) const;
    // The product the launcher started last: the row whose "Last Activated"
    // is set and greatest (numbers compared as numbers); absent when no row
    // is marked.
    std::optional<QString> lastActivatedProduct() const;

private:
    QStringList columns; // lower case, in header order
    std::vector<Row> table;
    QStringList issues;
};

} // namespace plenfox::client::wow
