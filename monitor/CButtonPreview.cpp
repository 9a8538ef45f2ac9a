#include "monitor/CButtonPreview.h"

#include "monitor/CDDropEdit.h"
#include "monitor/CMainDlg.h"

#include <QDropEvent>
#include <QPainter>

#include <algorithm>

namespace mervolt {

CButtonPreview::CButtonPreview(QWidget* parent) : QPushButton(parent)
{
    setAcceptDrops(true);
}

CButtonPreview::~CButtonPreview() = default;

QRect CButtonPreview::PictureRect(const QSize& button, const QSize& picture)
{
    const QRect inner = QRect(QPoint(0, 0), button).adjusted(1, 1, -1, -1);
    if (picture.isEmpty() || inner.isEmpty())
        return {};
    const double scale = std::min(double(inner.width()) / picture.width(),
                                  double(inner.height()) / picture.height());
    const int width = int(picture.width() * scale);
    const int height = int(picture.height() * scale);
    const int left = std::max((inner.width() - width) / 2, inner.left());
    const int top = std::max((inner.height() - height) / 2, inner.top());
    return QRect(left, top, width, height);
}

void CButtonPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (m_image.isNull())
        return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(PictureRect(size(), m_image.size()), m_image);
}

void CButtonPreview::dragEnterEvent(QDragEnterEvent* event)
{
    AcceptFileDrag(event);
}

void CButtonPreview::dropEvent(QDropEvent* event)
{
    const QStringList paths = DroppedLocalFiles(event->mimeData());
    auto* window = qobject_cast<CMainDlg*>(parentWidget());
    if (paths.isEmpty() || !window) {
        event->ignore();
        return;
    }
    window->OnDropFile(paths.first());
    event->acceptProposedAction();
}

} // namespace mervolt
