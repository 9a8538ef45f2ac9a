#pragma once

#include <QRect>
#include <QSize>

#include <array>
#include <optional>

namespace kesmond {

// One slice of a nine-slice drawing: where it goes and where it comes from.
struct NineSlice
{
    QRect target;
    QRect source;
};

// The nine slices (top left, bottom left, top right, bottom right, left,
// top, right, bottom, centre) of an image of imageSize drawn over rect with
// corner size m: the image reaches dx beyond the left and right edges, dy
// above the top and 3 dy below the bottom (the bottom row is m + 2 dy
// high). None when the rectangle or the image is narrower or lower than
// 2 m + 1.
std::optional<std::array<NineSlice, 9>> NineSliceRects(const QRect& rect, const QSize& imageSize,
                                                       int m, int dx, int dy);

} // namespace kesmond
