#include "images/CMainImgCtrl.h"

#include "images/GraphicTypes.h"
#include "images/PaperGuides.h"

#include <QPainter>

namespace pellark {

namespace {

// The system's application workspace colour.
const QColor kWorkspace(171, 171, 171);
constexpr int kMargin = 8;

} // namespace

CMainImgCtrl::CMainImgCtrl(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
}

bool CMainImgCtrl::LoadImage(const QString& path, int code)
{
    m_nCode = code;
    const bool loaded = m_canvas.Load(path);
    update();
    return loaded;
}

void CMainImgCtrl::ClearImage()
{
    m_canvas.Release();
    m_nCode = 0;
    update();
}

QRect CMainImgCtrl::ImageRect() const
{
    return QRect(kMargin, kMargin, m_canvas.Width() * m_nZoom / 100,
                 m_canvas.Height() * m_nZoom / 100);
}

void CMainImgCtrl::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect inner = contentsRect();
    painter.setClipRect(inner);
    painter.fillRect(inner, kWorkspace);
    if (m_canvas.IsEmpty())
        return;
    painter.translate(inner.topLeft());
    const QRect image = ImageRect();
    m_canvas.Draw(painter, image);
    if (HasNarrowGuide(m_nCode))
        DrawGuides(painter, image);
}

void CMainImgCtrl::DrawGuides(QPainter& painter, const QRect& image) const
{
    DrawPaperGuides(painter, *this, image, image.left() + m_nZoom * kNarrowPrintWidth / 100,
                    "CRDS_IM_MSG_55mmSEPARATE");
}

} // namespace pellark
