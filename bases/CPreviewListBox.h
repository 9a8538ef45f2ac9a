#pragma once

#include <QAbstractScrollArea>
#include <QImage>

namespace dunmarel {

// A vertical receipt preview: the canvas scaled to the box width, scrolled in
// steps of 28 box pixels, painted through an off-screen image. The scroll
// position is kept across rebuilds; the scroll bar is shown disabled when
// there is nothing to scroll.
class CPreviewListBox : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit CPreviewListBox(QWidget* parent = nullptr);
    ~CPreviewListBox() override;

    // Rebuilds the canvas from the owner's current values and repaints.
    void Refresh();
    int ItemCount() const { return m_nItems; }
    int ScrollPos() const;

protected:
    // Draws the current values into the canvas; returns it.
    virtual const QImage& BuildCanvas() = 0;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void UpdateRange();

    QSize m_canvasSize;
    int m_nItems = 0;
    const QImage* m_pCanvas = nullptr; // owned by the derived class
};

} // namespace dunmarel
