#include "images/CEditImgCtrl.h"

#include "images/GraphicTypes.h"
#include "images/MonoConversion.h"
#include "images/PaperGuides.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

#include <algorithm>

namespace pellark {

namespace {

// The system's application workspace colour.
const QColor kWorkspace(171, 171, 171);
// How far beyond the print area a picture may be dragged: far enough to
// leave it, near enough that the renderer's work image stays small.
constexpr int kDragSlack = 1024;
// The renderer's work image covers the print area up to the picture's far
// edge: refuse more than this many pixels rather than stall.
constexpr qint64 kMaxRenderPixels = qint64(64) * 1024 * 1024;

qint64 FloorDiv(qint64 a, qint64 b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

qint64 CeilDiv(qint64 a, qint64 b)
{
    return -FloorDiv(-a, b);
}

} // namespace

CEditImgCtrl::CEditImgCtrl(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAcceptDrops(true);
    setMouseTracking(true);
    SetGraphicType(0);
}

void CEditImgCtrl::SetGraphicType(int code)
{
    m_nCode = code;
    QSize size = GraphicPrintSize(code);
    if (m_bNarrow)
        size.setWidth(kNarrowPrintWidth);
    m_printRect = QRect(kOrigin, QSize(size.width() + 1, size.height() + 1));
    update();
}

bool CEditImgCtrl::LoadImage(const QString& path)
{
    CImgCanvas picture;
    if (!picture.Load(path))
        return false;
    SetImage(std::move(picture));
    return true;
}

void CEditImgCtrl::SetImage(CImgCanvas picture)
{
    const int mode = m_canvas.ConvertMode();
    m_canvas = std::move(picture);
    m_canvas.SetConvertMode(mode);
    m_srcRect = QRect(0, 0, m_canvas.Width(), m_canvas.Height());
    m_placeRect = m_srcRect;
    m_canvas.SetFrame(true, QColor(255, 0, 0), 1, Qt::DotLine);
    update();
}

void CEditImgCtrl::ClearImage()
{
    m_canvas.Release();
    m_bDrag = false;
    update();
}

void CEditImgCtrl::SetZoom(int zoom)
{
    m_nZoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    update();
}

void CEditImgCtrl::SetConvertMode(int mode)
{
    m_canvas.SetConvertMode(mode);
    update();
}

void CEditImgCtrl::MovePlacement(const QPoint& topLeft)
{
    const QRect zoomed = RenderRect();
    const QSize print = m_printRect.size();
    m_placeRect.moveTopLeft(QPoint(
        std::clamp(topLeft.x(), -zoomed.width() - kDragSlack, print.width() + kDragSlack),
        std::clamp(topLeft.y(), -zoomed.height() - kDragSlack, print.height() + kDragSlack)));
    update();
}

QRect CEditImgCtrl::RenderRect() const
{
    return QRect(m_placeRect.topLeft(),
                 QSize(m_placeRect.width() * m_nZoom / 100, m_placeRect.height() * m_nZoom / 100));
}

QRect CEditImgCtrl::ZoomedImageRect() const
{
    return RenderRect().translated(kOrigin);
}

QString CEditImgCtrl::TakeDropFile()
{
    QString path;
    path.swap(m_strDropFile);
    return path;
}

bool CEditImgCtrl::RenderToFile(const QString& path)
{
    if (m_canvas.IsEmpty())
        return true;
    const QSize size = GraphicPrintSize(m_nCode);
    m_canvas.SetFrame(false, Qt::black, 0, Qt::NoPen);
    const QRect dest = RenderRect();
    CImgCanvas output;
    if (dest.isEmpty() || !dest.intersects(QRect(QPoint(0, 0), size))) {
        // Nothing of the picture lands on the paper.
        if (!output.Create(size.width(), size.height()))
            return false;
    } else {
        const QSize work = WorkSize(dest);
        if (qint64(work.width()) * work.height() > kMaxRenderPixels)
            return false;
        if (!m_canvas.RenderInto(output, size, dest, m_srcRect))
            return false;
    }
    return output.WriteMonoBmp(path);
}

void CEditImgCtrl::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    painter.fillRect(contentsRect(), kWorkspace);
    painter.fillRect(m_printRect, Qt::white);
    if (m_canvas.IsEmpty())
        return;
    const QRect zoomed = ZoomedImageRect();
    DrawShownPart(painter, zoomed);

    painter.setPen(QPen(QColor(0, 0, 255), std::max(1, logicalDpiX() / 254)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(m_printRect.adjusted(0, 0, -1, -1));
    if (m_bGuideLine && HasNarrowGuide(m_nCode))
        DrawPaperGuides(painter, *this, m_printRect.adjusted(0, 0, -1, -1),
                        m_printRect.left() + kNarrowPrintWidth, "CRDS_IM_MSG_58mmSEPARATE");
}

// Converts only the part of the picture the control shows, so a large
// picture zoomed and dragged far stays quick and small to draw.
void CEditImgCtrl::DrawShownPart(QPainter& painter, const QRect& zoomed)
{
    const QRect shown = zoomed.intersected(contentsRect());
    if (!shown.isEmpty() && !m_srcRect.isEmpty()) {
        const qint64 sw = m_srcRect.width(), sh = m_srcRect.height();
        const qint64 zw = zoomed.width(), zh = zoomed.height();
        const qint64 sx0 = FloorDiv(qint64(shown.left() - zoomed.left()) * sw, zw);
        const qint64 sy0 = FloorDiv(qint64(shown.top() - zoomed.top()) * sh, zh);
        const qint64 sx1 =
            std::min(sw, CeilDiv(qint64(shown.right() + 1 - zoomed.left()) * sw, zw));
        const qint64 sy1 =
            std::min(sh, CeilDiv(qint64(shown.bottom() + 1 - zoomed.top()) * sh, zh));
        const QRect source(int(sx0), int(sy0), int(sx1 - sx0), int(sy1 - sy0));
        const int dx0 = zoomed.left() + int(FloorDiv(sx0 * zw, sw));
        const int dy0 = zoomed.top() + int(FloorDiv(sy0 * zh, sh));
        const int dx1 = zoomed.left() + int(FloorDiv(sx1 * zw, sw));
        const int dy1 = zoomed.top() + int(FloorDiv(sy1 * zh, sh));
        const bool frame = m_canvas.HasFrame();
        m_canvas.SetFrame(false);
        m_canvas.Draw(painter, QRect(dx0, dy0, dx1 - dx0, dy1 - dy0), source);
        m_canvas.SetFrame(frame, QColor(255, 0, 0), 1, Qt::DotLine);
    }
    if (!m_canvas.HasFrame())
        return;
    painter.save();
    painter.setPen(QPen(QColor(255, 0, 0), 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(zoomed);
    painter.restore();
}

void CEditImgCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && HasImage() &&
        ZoomedImageRect().contains(event->position().toPoint())) {
        m_bDrag = true;
        m_lastPos = event->position().toPoint();
    }
    QFrame::mousePressEvent(event);
}

void CEditImgCtrl::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (m_bDrag) {
        MovePlacement(m_placeRect.topLeft() + (pos - m_lastPos));
        m_lastPos = pos;
    }
    setCursor(HasImage() && ZoomedImageRect().contains(pos) ? Qt::SizeAllCursor : Qt::ArrowCursor);
    QFrame::mouseMoveEvent(event);
}

void CEditImgCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_bDrag = false;
    QFrame::mouseReleaseEvent(event);
}

void CEditImgCtrl::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CEditImgCtrl::dropEvent(QDropEvent* event)
{
    event->acceptProposedAction();
    DropFiles(event->mimeData()->urls());
}

void CEditImgCtrl::DropFiles(const QList<QUrl>& urls)
{
    for (const QUrl& url : urls) {
        if (!url.isLocalFile())
            continue;
        m_strDropFile = url.toLocalFile();
        emit fileDropped();
        return;
    }
}

} // namespace pellark
