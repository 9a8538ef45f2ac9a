#pragma once

#include "bases/CReceipt80Canvas.h"

namespace dunmarel {

// A vertical formal receipt: the receipt canvas with a fourth size, tall and
// double width (kind 3), for its title, and its picture always at the top.
class CRyoushuuCanvas : public CReceipt80Canvas
{
public:
    // The picture from the first line, however many lines the canvas has.
    void DrawImageAtTop(const QImage& image);

protected:
    bool HasSizeKind(int sizeKind) const override { return sizeKind >= 0 && sizeKind <= 3; }
};

} // namespace dunmarel
