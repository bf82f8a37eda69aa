#include "client/ui/TableFilter.h"

#include "client/ui/TableSortFilterModel.h"

#include <QEvent>
#include <QLineEdit>
#include <QTimer>

namespace plenfox::client::ui {

TableFilter::TableFilter(QLineEdit* field, TableSortFilterModel* sorter)
    : QObject(field), field(field), sorter(sorter) {
    connect(field, &QLineEdit::textChanged, this, [this] { updateFilter(); });
    field->installEventFilter(this);
}

void TableFilter::reset() {
    field->setText(Placeholder);
    updateFilter(QString());
}

void TableFilter::updateFilter() {
    updateFilter(field->text());
}

void TableFilter::updateFilter(const QString& text) {
    sorter->setFilterText(text == Placeholder ? QString() : text);
}

bool TableFilter::eventFilter(QObject* watched, QEvent* event) {
    if (watched == field && event->type() == QEvent::FocusIn) {
        // After the click that focused the field has placed the cursor.
        QTimer::singleShot(0, field, [f = field] { f->selectAll(); });
    }
    return QObject::eventFilter(watched, event);
}

} // namespace plenfox::client::ui
