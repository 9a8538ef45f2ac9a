#pragma once

#include "images/CImgCanvas.h"

#include <QFrame>
#include <QPoint>
#include <QRect>
#include <QUrl>

namespace pellark {

// The image editor's edit area: the print area of one graphic with the
// picture placed on it, converted as it will print. The picture is dragged
// with the mouse and zoomed by the dialog; files dropped on it are handed
// to the dialog (fileDropped).
class CEditImgCtrl : public QFrame
{
    Q_OBJECT

public:
    static constexpr int kMinZoom = 10;
    static constexpr int kMaxZoom = 200;
    // Where the print area starts in the control.
    static constexpr QPoint kOrigin{80, 80};

    explicit CEditImgCtrl(QWidget* parent = nullptr);

    void SetNarrow(bool narrow) { m_bNarrow = narrow; }
    bool IsNarrow() const { return m_bNarrow; }
    void SetGuideLine(bool on) { m_bGuideLine = on; }
    // The print area of the code (384 wide on 58 mm paper).
    void SetGraphicType(int code);
    int GraphicCode() const { return m_nCode; }

    // A failed load keeps the picture shown.
    bool LoadImage(const QString& path);
    // A picture already decoded (what LoadImage does after its decode).
    void SetImage(CImgCanvas picture);
    void ClearImage();
    // The print area as a 1-bit BMP of the code's full size; true without a
    // picture (nothing written).
    bool RenderToFile(const QString& path);

    int Zoom() const { return m_nZoom; }
    void SetZoom(int zoom);
    void SetConvertMode(int mode);
    const CImgCanvas& Canvas() const { return m_canvas; }
    bool HasImage() const { return !m_canvas.IsEmpty(); }

    // The print area in the control.
    const QRect& PrintRect() const { return m_printRect; }
    // The picture's unzoomed rectangle relative to the print area.
    const QRect& Placement() const { return m_placeRect; }
    void MovePlacement(const QPoint& topLeft);
    // The picture as shown, in the control.
    QRect ZoomedImageRect() const;
    // The placement as rendered: width and height zoomed.
    QRect RenderRect() const;

    // Files dropped on the area: the first local one is kept for the dialog.
    void DropFiles(const QList<QUrl>& urls);
    // The last dropped file, forgotten once taken.
    QString TakeDropFile();

signals:
    void fileDropped();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void DrawShownPart(QPainter& painter, const QRect& zoomed);
    void DrawGuides(QPainter& painter) const;

    QString m_strDropFile;
    bool m_bNarrow = false;
    bool m_bGuideLine = true;
    CImgCanvas m_canvas;
    QRect m_printRect;
    int m_nCode = 0;
    int m_nZoom = 100;
    QRect m_srcRect;
    QRect m_placeRect;
    bool m_bDrag = false;
    QPoint m_lastPos;
};

} // namespace pellark
