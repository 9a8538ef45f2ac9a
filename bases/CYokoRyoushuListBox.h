#pragma once

#include "bases/CYokoRyoushuCanvas.h"

#include <QFrame>

#include <functional>

namespace dunmarel {

// The horizontal formal-receipt preview: the whole canvas stretched over the
// box, no scrolling. Its page gives the drawing of its current values.
class CYokoRyoushuListBox : public QFrame
{
    Q_OBJECT

public:
    using Draw = std::function<void(CYokoRyoushuCanvas&)>;

    explicit CYokoRyoushuListBox(QWidget* parent = nullptr);
    ~CYokoRyoushuListBox() override;

    void SetDraw(Draw draw) { m_draw = std::move(draw); }
    // Rebuilds the canvas and repaints.
    void Refresh();
    const CYokoRyoushuCanvas& Canvas() const { return m_canvas; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Draw m_draw;
    CYokoRyoushuCanvas m_canvas;
};

} // namespace dunmarel
