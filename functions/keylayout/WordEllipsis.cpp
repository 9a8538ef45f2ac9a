#include "functions/keylayout/WordEllipsis.h"

#include <QFontMetrics>

namespace kesmond {

QString WordElidedText(const QFontMetrics& metrics, const QString& text, int width)
{
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    const QString ellipsis(QChar(0x2026));
    qsizetype cut = -1;
    for (qsizetype i = 1; i < text.size(); ++i) {
        if (!text[i].isSpace() || text[i - 1].isSpace())
            continue;
        if (metrics.horizontalAdvance(text.left(i) + ellipsis) > width)
            break;
        cut = i;
    }
    if (cut > 0)
        return text.left(cut) + ellipsis;
    return metrics.elidedText(text, Qt::ElideRight, width);
}

} // namespace kesmond
