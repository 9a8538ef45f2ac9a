#include "shared/controls/CItemSetButton.h"

#include "shared/controls/ItemSetDraw.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

CItemSetButton::CItemSetButton(QWidget* parent) : QPushButton(parent) {}

CItemSetButton::~CItemSetButton() = default;

void CItemSetButton::SetReadOnly(bool readOnly)
{
    m_bReadOnly = readOnly;
    update();
}

void CItemSetButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_bImageMode)
        DrawItemImage(painter, GetImageData(), m_nImageWidth, m_nImageHeight, QPoint(0, 0));
    else
        DrawItemText(painter, this, text(), isEnabled() && !m_bReadOnly);
    if (hasFocus() && !m_bReadOnly) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(4, 4, -4, -4);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}
