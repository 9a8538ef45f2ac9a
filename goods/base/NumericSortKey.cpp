#include "goods/base/NumericSortKey.h"

#include <limits>

NumericSortKey MakeNumericSortKey(const QString& text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    qint64 whole = 0;
    for (; i < n && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        const int digit = text[i].unicode() - u'0';
        if (whole > (std::numeric_limits<qint64>::max() - digit) / 10)
            whole = std::numeric_limits<qint64>::max();
        else
            whole = whole * 10 + digit;
    }
    qint64 fraction = 0;
    if (i < n && text[i] == u'.') {
        qint64 scale = 100000000000000000; // 10^17: the first decimal
        for (++i; i < n && text[i] >= u'0' && text[i] <= u'9' && scale > 0; ++i, scale /= 10)
            fraction += (text[i].unicode() - u'0') * scale;
    }
    return negative ? NumericSortKey{-whole, -fraction} : NumericSortKey{whole, fraction};
}
