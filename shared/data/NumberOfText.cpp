#include "shared/data/NumberOfText.h"

#include <limits>

qint64 NumberOfText(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        negative = text[i++] == QLatin1Char('-');
    quint64 n = 0;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
        n = n * 10 + quint64(text[i].unicode() - '0');
        if (n > quint64(1) << 63)
            n = quint64(1) << 63; // saturates
    }
    if (negative)
        return n >= quint64(1) << 63 ? std::numeric_limits<qint64>::min() : -qint64(n);
    return n >= quint64(1) << 63 ? std::numeric_limits<qint64>::max() : qint64(n);
}
