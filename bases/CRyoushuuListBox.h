#pragma once

#include "bases/CPreviewListBox.h"
#include "bases/CRyoushuuCanvas.h"

#include <functional>

namespace dunmarel {

// The vertical formal-receipt preview: its page gives the drawing (which
// creates the canvas for its lines and draws the page's current values).
class CRyoushuuListBox : public CPreviewListBox
{
    Q_OBJECT

public:
    using Draw = std::function<void(CRyoushuuCanvas&)>;

    explicit CRyoushuuListBox(QWidget* parent = nullptr);
    ~CRyoushuuListBox() override;

    void SetDraw(Draw draw) { m_draw = std::move(draw); }
    CRyoushuuCanvas& Canvas() { return m_canvas; }

protected:
    const QImage& BuildCanvas() override;

private:
    Draw m_draw;
    CRyoushuuCanvas m_canvas;
};

} // namespace dunmarel
