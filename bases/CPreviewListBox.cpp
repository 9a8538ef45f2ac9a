#include "bases/CPreviewListBox.h"

#include "bases/PreviewBand.h"

#include <QPainter>
#include <QScrollBar>

namespace dunmarel {

CPreviewListBox::CPreviewListBox(QWidget* parent) : QAbstractScrollArea(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::NoFocus);
    verticalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setEnabled(false);
}

CPreviewListBox::~CPreviewListBox() = default;

int CPreviewListBox::ScrollPos() const
{
    return verticalScrollBar()->value();
}

void CPreviewListBox::Refresh()
{
    const int pos = ScrollPos();
    m_pCanvas = &BuildCanvas();
    m_canvasSize = m_pCanvas->size();
    UpdateRange();
    verticalScrollBar()->setValue(pos);
    viewport()->update();
}

void CPreviewListBox::UpdateRange()
{
    const QSize client = viewport()->size();
    m_nItems = PreviewItemCount(m_canvasSize, client.width());
    const int visible = client.height() / kPreviewItemHeight;
    const int last = qMax(0, m_nItems - visible);
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, last);
    bar->setPageStep(qMax(1, visible));
    bar->setEnabled(last > 0);
}

void CPreviewListBox::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateRange();
}

void CPreviewListBox::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.drawImage(
        0, 0, PaintPreviewBand(m_pCanvas ? *m_pCanvas : QImage(), viewport()->size(), ScrollPos()));
}

} // namespace dunmarel
