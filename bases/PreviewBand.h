#pragma once

#include <QImage>
#include <QSize>

namespace dunmarel {

// A vertical preview scrolls like a list of 28-pixel items laid over the
// canvas scaled to the list box width.
constexpr int kPreviewItemHeight = 28;

// The items a canvas takes at the client width.
int PreviewItemCount(const QSize& canvas, int clientWidth);

// The band of the canvas a client shows at a scroll position (in items),
// and the height it is stretched to from the client's top.
struct PreviewBand
{
    double top = 0;
    double bottom = 0;
    double destHeight = 0;
};
PreviewBand PreviewBandAt(const QSize& canvas, const QSize& client, int scrollPos);

// The client's picture: white, with the band stretched smoothly over the
// client width. The preview keeps its aspect ratio.
QImage PaintPreviewBand(const QImage& canvas, const QSize& client, int scrollPos);

} // namespace dunmarel
