#pragma once

#include <QString>

class QFontMetrics;

namespace kesmond {

// The text as it fits into width on one line: whole, or cut after the last
// whole word that fits with the ellipsis; cut inside the first word only
// when that word alone is wider than width.
QString WordElidedText(const QFontMetrics& metrics, const QString& text, int width);

} // namespace kesmond
