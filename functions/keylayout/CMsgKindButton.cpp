#include "functions/keylayout/CMsgKindButton.h"

#include <QPainter>

namespace kesmond {

CMsgKindButton::CMsgKindButton(QWidget* parent) : QPushButton(parent) {}

CMsgKindButton::~CMsgKindButton() = default;

void CMsgKindButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect area = rect();
    painter.fillRect(area, Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    painter.setPen(isEnabled() ? QColor(Qt::black)
                               : palette().color(QPalette::Disabled, QPalette::WindowText));
    painter.drawText(area.adjusted(6, 0, -6, 0),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text());
}

} // namespace kesmond
