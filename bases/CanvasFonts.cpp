#include "bases/CanvasFonts.h"

#include "shared/config/PitchFontName.h"

#include <QFontMetricsF>
#include <QHash>

namespace dunmarel {

const QFont& CanvasFont(int heightPx, int widthPx)
{
    static QHash<quint64, QFont> fonts;
    const quint64 key = (quint64(uint(heightPx)) << 32) | uint(widthPx);
    auto it = fonts.find(key);
    if (it != fonts.end())
        return *it;
    QFont font(GetFixPitchFontName());
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(heightPx);
    font.setKerning(false);
    const qreal natural = QFontMetricsF(font).horizontalAdvance(u'0');
    if (natural > 0)
        font.setStretch(qBound(1, qRound(100.0 * widthPx / natural), 4000));
    return *fonts.insert(key, font);
}

} // namespace dunmarel
