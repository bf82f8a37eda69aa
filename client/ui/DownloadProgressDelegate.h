#pragma once

#include <QStyledItemDelegate>

namespace plenfox::client::ui {

// Draws the details of a running download as a progress bar holding the
// details text: filled to the share that arrived, or as a busy bar when the
// server announced no size. Other cells are drawn as usual.
class DownloadProgressDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

} // namespace plenfox::client::ui
