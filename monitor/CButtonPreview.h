#pragma once

#include <QImage>
#include <QPushButton>
#include <QRect>

namespace mervolt {

// The picture preview of the item-image list: white with a black frame, the
// picture scaled to fit, keeping its aspect ratio. Takes dropped files.
class CButtonPreview : public QPushButton
{
    Q_OBJECT

public:
    explicit CButtonPreview(QWidget* parent = nullptr);
    ~CButtonPreview() override;

    // Where a picture of that size is drawn in a button of that size: inside
    // the one-pixel frame, scaled by the smaller ratio and cut to whole
    // pixels, left at (inner width - drawn width) / 2 but not left of the
    // inner edge, top likewise.
    static QRect PictureRect(const QSize& button, const QSize& picture);

    // Owned by the window, which loads and clears it and repaints.
    QImage m_image;

protected:
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

} // namespace mervolt
