#include "bases/CYokoRyoushuListBox.h"

#include <QPainter>

namespace dunmarel {

CYokoRyoushuListBox::CYokoRyoushuListBox(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::StyledPanel);
}

CYokoRyoushuListBox::~CYokoRyoushuListBox() = default;

void CYokoRyoushuListBox::Refresh()
{
    if (m_canvas.Create() && m_draw)
        m_draw(m_canvas);
    update();
}

void CYokoRyoushuListBox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    const QRect area = contentsRect();
    // Through an off-screen picture, so a redraw never flickers.
    QImage picture(area.size(), QImage::Format_RGB32);
    if (picture.isNull())
        return;
    picture.fill(Qt::white);
    if (!m_canvas.Image().isNull()) {
        QPainter stretch(&picture);
        stretch.setRenderHint(QPainter::SmoothPixmapTransform);
        stretch.drawImage(picture.rect(), m_canvas.Image());
    }
    QPainter(this).drawImage(area.topLeft(), picture);
}

} // namespace dunmarel
