#include "bases/PreviewBand.h"

#include <QPainter>

namespace dunmarel {

int PreviewItemCount(const QSize& canvas, int clientWidth)
{
    if (canvas.width() <= 0 || canvas.height() <= 0 || clientWidth <= 0)
        return 0;
    return int(double(canvas.height()) * clientWidth /
                   (double(canvas.width()) * kPreviewItemHeight) +
               0.99);
}

PreviewBand PreviewBandAt(const QSize& canvas, const QSize& client, int scrollPos)
{
    PreviewBand band;
    const double w = canvas.width();
    const double h = canvas.height();
    if (w <= 0 || h <= 0 || client.width() <= 0 || client.height() <= 0)
        return band;
    const int visible = client.height() / kPreviewItemHeight;
    const double items = client.width() * h / (kPreviewItemHeight * w);
    band.top = h * scrollPos / items;
    band.bottom = (visible + scrollPos) * h / items;
    band.destHeight = client.height();
    // The whole canvas fits: it is drawn at the width's scale, white below.
    if (band.bottom - band.top > h) {
        band.destHeight = h * client.height() / (band.bottom - band.top);
        band.bottom = h - band.top;
    }
    // Past the end the band moves up so that it ends with the canvas.
    if (band.bottom > h) {
        band.top -= band.bottom - h;
        band.bottom = h;
    }
    return band;
}

QImage PaintPreviewBand(const QImage& canvas, const QSize& client, int scrollPos)
{
    QImage picture(client, QImage::Format_RGB32);
    if (picture.isNull())
        return picture;
    picture.fill(Qt::white);
    if (canvas.isNull())
        return picture;
    const PreviewBand band = PreviewBandAt(canvas.size(), client, scrollPos);
    if (band.bottom <= band.top)
        return picture;
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(0, 0, client.width(), band.destHeight), canvas,
                      QRectF(0, band.top, canvas.width(), band.bottom - band.top));
    return picture;
}

} // namespace dunmarel
