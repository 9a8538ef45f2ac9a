#include "shared/controls/CDrawnTabBar.h"

#include "shared/controls/TabCtrlDrawItem.h"

#include <QPainter>

CDrawnTabBar::~CDrawnTabBar() = default;

void CDrawnTabBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    for (int i = 0; i < count(); ++i)
        TabCtrlDrawItem(this, &painter, i);
}
