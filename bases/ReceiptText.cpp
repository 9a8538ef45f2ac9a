#include "bases/ReceiptText.h"

#include "shared/controls/TextColumns.h"

#include <QList>

namespace dunmarel {

bool IsFullWidthChar(char32_t ch)
{
    return ColumnsOfCodePoint(ch) == 2 || IsAmbiguousWideCodePoint(ch);
}

int PrintColumnsOf(QStringView text)
{
    int columns = 0;
    for (char32_t ch : text.toUcs4())
        columns += IsFullWidthChar(ch) ? 2 : 1;
    return columns;
}

QString AlignLine(const QString& text, int columns, int doubleWidth, int align)
{
    const int available = doubleWidth == 1 ? columns / 2 : columns;
    const int spare = available - PrintColumnsOf(text);
    if (spare <= 0)
        return text;
    const int leading = align == 0 ? spare : align == 1 ? spare / 2 : 0;
    return QString(leading, u' ') + text;
}

int CharAdvance(bool fullWidth, int doubleWidth)
{
    const int single = fullWidth ? 24 : 12;
    return doubleWidth == 1 ? 2 * single : single;
}

} // namespace dunmarel
