#include "shared/controls/ItemSetDraw.h"

#include <QImage>
#include <QPainter>
#include <QWidget>
#include <qdrawutil.h>

#include <algorithm>

QRect ItemImageRect(const QImage* image, int boxWidth, int boxHeight, const QPoint& topLeft)
{
    if (!image || image->isNull() || boxWidth <= 0 || boxHeight <= 0)
        return {};
    const int side = std::min(boxWidth, boxHeight);
    const int w = image->width();
    const int h = image->height();
    if (w > h)
        return QRect(topLeft, QSize(side, int(qint64(side) * h / w)));
    return QRect(topLeft, QSize(int(qint64(side) * w / h), side));
}

void DrawItemImage(QPainter& painter, const QImage* image, int boxWidth, int boxHeight,
                   const QPoint& topLeft)
{
    const QRect target = ItemImageRect(image, boxWidth, boxHeight, topLeft);
    if (target.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, *image);
    painter.restore();
}

void DrawItemText(QPainter& painter, const QWidget* widget, const QString& text, bool editable)
{
    const QRect item = widget->rect();
    const QPalette& pal = widget->palette();
    painter.fillRect(item, pal.color(editable ? QPalette::Base : QPalette::Button));
    painter.setFont(widget->font());
    qDrawWinPanel(&painter, item, pal, true);
    painter.setPen(pal.color(QPalette::WindowText));
    const QRect textRect = item.adjusted(4, 4, -4, -4);
    const QString shown = painter.fontMetrics().elidedText(text, Qt::ElideRight, textRect.width());
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
}
