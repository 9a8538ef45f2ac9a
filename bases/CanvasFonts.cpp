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

const QStaticText& CanvasGlyph(int heightPx, int widthPx, char32_t ch)
{
    static QHash<quint64, QStaticText> glyphs;
    // Cell sizes are below 256 pixels; code points below 2^21.
    const quint64 key =
        (quint64(uint(heightPx) & 0xFF) << 40) | (quint64(uint(widthPx) & 0xFF) << 32) | ch;
    auto it = glyphs.find(key);
    if (it == glyphs.end()) {
        QStaticText text(QString::fromUcs4(&ch, 1));
        text.setTextFormat(Qt::PlainText);
        text.setPerformanceHint(QStaticText::AggressiveCaching);
        text.prepare(QTransform(), CanvasFont(heightPx, widthPx));
        it = glyphs.insert(key, text);
    }
    return *it;
}

} // namespace dunmarel
