#pragma once

#include <QObject>
#include <QString>

class QLineEdit;

namespace plenfox::client::ui {

class TableSortFilterModel;

// Connects a search field to a table's filter: every edit of the field
// filters the rows anew; focusing the field selects its text. The field's
// placeholder text "<search>" never filters.
class TableFilter : public QObject {
public:
    static inline const QString Placeholder = QStringLiteral("<search>");

    TableFilter(QLineEdit* field, TableSortFilterModel* sorter);

    // Puts the placeholder back into the field and shows every row.
    void reset();
    void updateFilter();
    void updateFilter(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* field;
    TableSortFilterModel* sorter;
};

} // namespace plenfox::client::ui
