#include "images/CMainImgCtrl.h"

#include "images/GraphicTypes.h"

#include "shared/lang/CProgramLang.h"

#include <QPainter>

#include <algorithm>

namespace pellark {

namespace {

// The system's application workspace colour.
const QColor kWorkspace(171, 171, 171);
constexpr int kMargin = 8;
constexpr int kTick = 30;

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
    const int x58 = image.left() + m_nZoom * kNarrowPrintWidth / 100;
    const int right = image.left() + image.width();
    const int bottom = image.top() + image.height();
    painter.save();
    // The line inverts what lies under it, so it shows on black and white.
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter.setPen(QPen(Qt::black, std::max(1, logicalDpiX() / 254), Qt::DashDotDotLine));
    painter.drawLine(x58, image.top(), x58, bottom);
    painter.drawLine(x58, bottom, x58, bottom + kTick);
    painter.drawLine(right, bottom, right, bottom + kTick);
    painter.restore();

    painter.save();
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(Qt::black);
    const QFontMetrics metrics(bold);
    const auto label = [&](const char* key, int endX) {
        const QString text = GetLangString(QLatin1String(key));
        const int width = metrics.horizontalAdvance(text);
        painter.drawText(QRect(endX - kMargin - width, bottom + kMargin, width, metrics.height()),
                         Qt::AlignLeft | Qt::AlignTop, text);
    };
    label("CRDS_IM_MSG_55mmSEPARATE", x58);
    label("CRDS_IM_MSG_80mmSEPARATE", right);
    painter.restore();
}

} // namespace pellark
