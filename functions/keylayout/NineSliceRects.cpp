#include "functions/keylayout/NineSliceRects.h"

namespace kesmond {

std::optional<std::array<NineSlice, 9>> NineSliceRects(const QRect& rect, const QSize& imageSize,
                                                       int m, int dx, int dy)
{
    // Edges as the drawing takes them: R and B are one past the last pixel.
    const int L = rect.left();
    const int T = rect.top();
    const int R = rect.left() + rect.width();
    const int B = rect.top() + rect.height();
    const int W = imageSize.width();
    const int H = imageSize.height();
    const int iw = R - L - 2 * m;
    const int ih = B - T - 2 * m;
    if (m < 0 || iw < 1 || ih < 1 || W - 2 * m < 1 || H - 2 * m < 1)
        return std::nullopt;
    return std::array<NineSlice, 9>{{
        {{L - dx, T - dy, m, m}, {0, 0, m, m}},
        {{L - dx, B - m + dy, m, m + 2 * dy}, {0, H - m, m, m}},
        {{R - m + dx, T - dy, m, m}, {W - m, 0, m, m}},
        {{R - m + dx, B - m + dy, m, m + 2 * dy}, {W - m, H - m, m, m}},
        {{L - dx, T + m - dy, m, ih + 2 * dy}, {0, m, m, H - 2 * m}},
        {{L + m - dx, T - dy, iw + 2 * dx, m}, {m, 0, W - 2 * m, m}},
        {{R - m + dx, T + m - dy, m, ih + 2 * dy}, {W - m, m, m, H - 2 * m}},
        {{L + m - dx, B - m + dy, iw + 2 * dx, m + 2 * dy}, {m, H - m, W - 2 * m, m}},
        {{L + m - dx, T + m - dy, iw + 2 * dx, ih + 2 * dy}, {m, m, W - 2 * m, H - 2 * m}},
    }};
}

} // namespace kesmond
