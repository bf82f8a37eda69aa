#pragma once

#include <QSortFilterProxyModel>
#include <QString>

namespace plenfox::client::ui {

// The view's order and filter over a table model: sorts on the raw values
// the model gives for UnderlyingDataRole (bytes, times, ranks), and shows the
// rows of which some cell's text contains the filter text, ignoring case.
class TableSortFilterModel : public QSortFilterProxyModel {
public:
    static constexpr int UnderlyingDataRole = Qt::UserRole;

    explicit TableSortFilterModel(QObject* parent = nullptr);

    // An empty text shows every row.
    void setFilterText(const QString& text);
    const QString& filterText() const { return lowerFilter; }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    QString lowerFilter;
};

} // namespace plenfox::client::ui
