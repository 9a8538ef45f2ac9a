#include "functions/keylayout/CFcKeyLayMoveWnd.h"

#include "functions/keylayout/CButtonProperty.h"
#include "functions/keylayout/CFcKeyLayButton.h"
#include "functions/keylayout/CKeySheetGrid.h"

#include <QMouseEvent>
#include <QPainter>

namespace kesmond {

CFcKeyLayMoveWnd::CFcKeyLayMoveWnd(CFcKeyLayButton& key, const CKeySheetGrid& grid,
                                   CKeyButtonHost* host, QWidget* canvas)
    : QWidget(canvas), m_key(key), m_grid(grid), m_pHost(host), m_clickPoint(key.ClickPoint()),
      m_pressSize(key.PressSize()), m_zone(key.PressZone())
{
    setAttribute(Qt::WA_NoSystemBackground);
    const CButtonProperty* record = key.Record();
    if (record)
        setGeometry(record->m_nX, record->m_nY, record->m_nWidth, record->m_nHeight);
    setCursor(CursorOfZone(m_zone));
    show();
    raise();
    setFocus();
    grabMouse();
}

CFcKeyLayMoveWnd::~CFcKeyLayMoveWnd()
{
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
}

void CFcKeyLayMoveWnd::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    if (!(event->buttons() & Qt::LeftButton) || m_bDone || !parentWidget())
        return;
    const SnapInput in{
        geometry(),  event->position().toPoint(), m_clickPoint,
        m_pressSize, parentWidget()->size(),      bool(event->modifiers() & Qt::AltModifier)};
    const std::optional<QRect> next =
        m_zone == KeyCursorZone::Move ? SnapMove(in, m_grid) : SnapResize(in, m_zone, m_grid);
    // Only where the band was and is now is redrawn, not the whole page.
    const QRect before = geometry();
    if (next)
        setGeometry(*next);
    parentWidget()->update(before.united(geometry()));
    update();
}

void CFcKeyLayMoveWnd::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (m_bDone)
        return;
    m_bDone = true;
    releaseMouse();
    m_key.raise();
    m_key.setFocus();
    const QRect rect = geometry();
    hide();
    // Every drag is one undo entry, even one that ends where it began.
    if (m_pHost)
        m_pHost->MoveTo(m_key, rect);
    deleteLater();
}

void CFcKeyLayMoveWnd::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(QColor(191, 0, 0), 2));
    painter.setBrush(QBrush(QColor(255, 175, 175), Qt::DiagCrossPattern));
    painter.drawRect(rect().adjusted(1, 1, -1, -1));
    DrawResizeHandles(painter, rect());
}

} // namespace kesmond
