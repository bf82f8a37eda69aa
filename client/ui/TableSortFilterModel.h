#pragma once

#include <QCollator>
#include <QSortFilterProxyModel>
#include <QString>

namespace plenfox::client::ui {

// The view's order and filter over a table model: sorts on the raw values
// the model gives for UnderlyingDataRole (bytes, times, ranks; texts as a
// person reads them: ignoring case, by the player's locale, numbers in names
// by their value), and shows the rows of which some cell's text contains the
// filter text, ignoring case.
class TableSortFilterModel : public QSortFilterProxyModel {
public:
    static constexpr int UnderlyingDataRole = Qt::UserRole;

    explicit TableSortFilterModel(QObject* parent = nullptr);

    // An empty text shows every row.
    void setFilterText(const QString& text);
    const QString& filterText() const { return lowerFilter; }

    // The order texts are shown in: the player's locale, letter case ignored.
    static QCollator textOrder();

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    QString lowerFilter;
    QCollator collator;
};

} // namespace plenfox::client::ui
