#include "bases/CRyoushuuCanvas.h"

namespace dunmarel {

void CRyoushuuCanvas::DrawImageAtTop(const QImage& image)
{
    if (Lines() > 0 && !image.isNull())
        DrawImageAt(kTop, image);
}

} // namespace dunmarel
