#include "shared/textfiles/CTextColumnCheck.h"

#include "shared/controls/NumberText.h"

#include "stroven/Stroven.h"

#include <algorithm>

namespace {

// More digits would not fit a 64-bit number.
constexpr int kMaxNumberDigits = 18;

bool AllDigits(QStringView text)
{
    return std::all_of(text.begin(), text.end(), IsAsciiDigit);
}

bool IsNumber(QStringView value, int width, int decimals)
{
    if (value.startsWith(u'-'))
        value = value.mid(1);
    const qsizetype point = value.indexOf(u'.');
    QStringView whole = point < 0 ? value : value.left(point);
    QStringView fraction = point < 0 ? QStringView() : value.mid(point + 1);
    if ((whole.isEmpty() && fraction.isEmpty()) || !AllDigits(whole) || !AllDigits(fraction))
        return false;
    // Zeros add no digit: "0012" and "5.00" are held whole by NUMERIC(2,0).
    while (whole.size() > 1 && whole.front() == u'0')
        whole = whole.mid(1);
    while (!fraction.isEmpty() && fraction.back() == u'0')
        fraction.chop(1);
    // A declaration without width (INTEGER, REAL) limits only the 64-bit range.
    if (width == 0)
        return whole.size() <= kMaxNumberDigits;
    return whole.size() <= width - decimals && fraction.size() <= decimals;
}

} // namespace

CTextColumnCheck::CTextColumnCheck(const CSQTableInfo& column, bool code)
    : m_nWidth(column.m_nSize), m_nDecimals(column.m_nScale), m_bNullable(column.m_nNotNull == 0)
{
    if (column.m_nType == SQLTYPE_NUMERIC)
        m_nKind = Number;
    else if (code)
        m_nKind = Code;
}

bool CTextColumnCheck::Accepts(QStringView value) const
{
    if (value.isEmpty())
        return m_bNullable;
    switch (m_nKind) {
    case Code:
        return AllDigits(value) && (m_nWidth == 0 || value.size() == m_nWidth);
    case Number:
        return IsNumber(value, m_nWidth, m_nDecimals);
    default:
        return m_nWidth == 0 || value.size() <= m_nWidth;
    }
}
