#include "client/ui/DownloadProgressDelegate.h"

#include "client/ui/DownloadsTableModel.h"

#include <QApplication>
#include <QStyle>
#include <QStyleOptionProgressBar>

namespace plenfox::client::ui {

void DownloadProgressDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
    const QVariant progress = index.data(DownloadsTableModel::ProgressRole);
    if (!progress.isValid()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const int percent = progress.toInt();
    QStyleOptionProgressBar bar;
    bar.rect = option.rect.adjusted(1, 1, -1, -1);
    bar.state = option.state | QStyle::State_Horizontal;
    bar.direction = option.direction;
    bar.fontMetrics = option.fontMetrics;
    bar.palette = option.palette;
    bar.minimum = 0;
    // Minimum and maximum both 0: the style draws a busy bar.
    bar.maximum = percent == DownloadsTableModel::UnknownProgress ? 0 : 100;
    bar.progress = percent == DownloadsTableModel::UnknownProgress ? 0 : percent;
    bar.text = index.data(Qt::DisplayRole).toString();
    bar.textVisible = true;
    bar.textAlignment = Qt::AlignCenter;
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ProgressBar, &bar, painter, widget);
}

} // namespace plenfox::client::ui
