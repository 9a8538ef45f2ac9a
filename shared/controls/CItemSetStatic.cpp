#include "shared/controls/CItemSetStatic.h"

#include "shared/controls/ItemSetDraw.h"

#include <QPainter>

CItemSetStatic::CItemSetStatic(QWidget* parent) : QLabel(parent) {}

CItemSetStatic::~CItemSetStatic() = default;

void CItemSetStatic::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_bImageMode)
        DrawItemImage(painter, GetImageData(), m_nImageWidth, m_nImageHeight, QPoint(0, 0));
    else
        DrawItemText(painter, this, text(), isEnabled());
}
