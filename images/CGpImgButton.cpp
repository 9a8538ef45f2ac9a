#include "images/CGpImgButton.h"

#include "images/GraphicTypes.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>

namespace pellark {

CGpImgButton::CGpImgButton(QWidget* parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

void CGpImgButton::SetAcceptFiles(bool accept)
{
    m_bAcceptFiles = accept;
    setAcceptDrops(accept);
}

void CGpImgButton::SetImage(const QImage* image)
{
    m_pImage = image;
    FitShape();
    update();
}

void CGpImgButton::SetNarrow(bool narrow)
{
    m_bNarrow = narrow;
    FitShape();
    update();
}

int CGpImgButton::ShownWidth() const
{
    if (!m_pImage)
        return 0;
    return m_bNarrow ? qMin(kNarrowPrintWidth, m_pImage->width()) : m_pImage->width();
}

QSize CGpImgButton::ShapeFor(const QSize& current) const
{
    if (!m_pImage || m_pImage->isNull() || m_pImage->height() <= 0)
        return current;
    const QSize room = m_box.isValid() ? m_box : current;
    const int shown = qMax(1, ShownWidth());
    QSize shape = m_bKeepHeight
                      ? QSize(qMax(1, room.height() * shown / m_pImage->height()), room.height())
                      : QSize(room.width(), qMax(1, room.width() * m_pImage->height() / shown));
    if (m_box.isValid() && (shape.width() > m_box.width() || shape.height() > m_box.height()))
        shape = shape.scaled(m_box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    return shape;
}

void CGpImgButton::FitShape()
{
    const QSize shape = ShapeFor(size());
    if (shape != size())
        resize(shape);
}

void CGpImgButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    if (!isEnabled()) {
        painter.fillRect(rect(), QColor(250, 250, 250));
        painter.setPen(QColor(128, 128, 128));
        painter.drawRect(frame);
        return;
    }
    painter.setPen(Qt::black);
    painter.drawRect(frame);
    if (!m_pImage || m_pImage->isNull())
        return;
    // Smooth shrinking keeps thin strokes visible at preview size.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(rect().adjusted(1, 1, -1, -1), *m_pImage,
                      QRect(0, 0, ShownWidth(), m_pImage->height()));
    if (hasFocus()) {
        painter.setPen(QPen(Qt::gray, 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}

void CGpImgButton::DropFiles(const QList<QUrl>& urls)
{
    if (!m_bAcceptFiles)
        return;
    for (const QUrl& url : urls) {
        if (url.isLocalFile()) {
            m_strDropFile = url.toLocalFile();
            emit fileDropped();
            return;
        }
    }
}

void CGpImgButton::dragEnterEvent(QDragEnterEvent* event)
{
    if (m_bAcceptFiles && event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CGpImgButton::dropEvent(QDropEvent* event)
{
    DropFiles(event->mimeData()->urls());
    event->acceptProposedAction();
}

} // namespace pellark
