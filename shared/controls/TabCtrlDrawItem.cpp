#include "shared/controls/TabCtrlDrawItem.h"

#include "shared/controls/ToolsColor.h"

#include <QPainter>
#include <QTabBar>

void TabCtrlDrawItem(const QTabBar* tab, QPainter* painter, int index)
{
    if (!tab || !painter || index < 0 || index >= tab->count())
        return;
    const bool selected = index == tab->currentIndex();
    const QRect item = tab->tabRect(index);

    painter->save();
    painter->fillRect(item, tab->palette().color(QPalette::Button));
    QRect face = item.adjusted(1, 1, -1, 1);
    if (selected)
        face.adjust(2, 0, -2, 0);
    painter->fillRect(face,
                      GetToolsColorRGB(selected ? TOOLCOLOR_TABSELECTED : TOOLCOLOR_TABNORMAL));
    if (selected) {
        const int lineTop = face.y() + face.height() - 5;
        painter->fillRect(QRect(face.x() + 3, lineTop, face.width() - 6, 2),
                          GetToolsColorRGB(TOOLCOLOR_ORANGE));
    }
    const QRect textRect = selected ? item : item.translated(0, 2);
    painter->setPen(tab->palette().color(QPalette::WindowText));
    painter->setFont(tab->font());
    painter->drawText(textRect, Qt::AlignCenter | Qt::TextSingleLine, tab->tabText(index));
    painter->restore();
}
