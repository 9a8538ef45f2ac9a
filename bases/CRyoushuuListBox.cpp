#include "bases/CRyoushuuListBox.h"

namespace dunmarel {

CRyoushuuListBox::CRyoushuuListBox(QWidget* parent) : CPreviewListBox(parent) {}

CRyoushuuListBox::~CRyoushuuListBox() = default;

const QImage& CRyoushuuListBox::BuildCanvas()
{
    if (m_draw)
        m_draw(m_canvas);
    else
        m_canvas.Release();
    return m_canvas.Image();
}

} // namespace dunmarel
