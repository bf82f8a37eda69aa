#pragma once

#include <QObject>
#include <QString>
#include <filesystem>

class QTableView;

namespace plenfox::client::ui {

// Keeps a table's sort column and direction across runs, in a small INI file
// of the program's data folder ("Tables.ini", one group per table; QSettings'
// format, so a person can read and mend it).
class TableSortMemory : public QObject {
public:
    static inline const QString FileName = QStringLiteral("Tables.ini");

    // Remembers the order of the table under the key (its group in the file).
    TableSortMemory(QTableView* table, QString key);

    // Restores the order kept in the file (none kept: the table's own order
    // stays) and from now on writes every change of the order there.
    void attach(const std::filesystem::path& file);

private:
    void save(int column, Qt::SortOrder order) const;

    QTableView* table;
    QString key;
    std::filesystem::path file; // empty until attached
};

} // namespace plenfox::client::ui
