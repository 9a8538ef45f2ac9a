#pragma once

#include "images/CImgCanvas.h"

#include <QFrame>

namespace pellark {

// The graphic list's preview: the stored image converted as the printer
// prints it, scaled by the zoom at (8, 8); for the graphics printed on both
// paper widths, the 58 mm line and the two paper edges below the picture.
class CMainImgCtrl : public QFrame
{
    Q_OBJECT

public:
    explicit CMainImgCtrl(QWidget* parent = nullptr);

    bool LoadImage(const QString& path, int code);
    void ClearImage();

    const CImgCanvas& Canvas() const { return m_canvas; }
    int GraphicCode() const { return m_nCode; }
    int Zoom() const { return m_nZoom; }
    // Where the picture is drawn, in the control.
    QRect ImageRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void DrawGuides(QPainter& painter, const QRect& image) const;

    CImgCanvas m_canvas;
    int m_nCode = 0;
    int m_nZoom = 80;
};

} // namespace pellark
