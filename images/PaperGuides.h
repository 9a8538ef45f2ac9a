#pragma once

#include <QRect>

class QPainter;
class QWidget;

namespace pellark {

// The paper-width guides under a picture of the graphics printed on both
// papers: an inverting dash-dot-dot line at x58 over the area's height,
// ticks below the area at x58 and at its right edge, and the bold labels
// of the two papers (label58Key, "CRDS_IM_MSG_80mmSEPARATE") left of them.
void DrawPaperGuides(QPainter& painter, const QWidget& widget, const QRect& area, int x58,
                     const char* label58Key);

} // namespace pellark
