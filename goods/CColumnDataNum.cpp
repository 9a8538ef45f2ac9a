#include "goods/CColumnDataNum.h"

namespace brelkin {

CColumnDataNum::CColumnDataNum(const QString& column, const QString& labelKey, uint ctrlId,
                               uint labelCtrlId)
    : CColumnData(column, labelKey, ctrlId, labelCtrlId)
{
}

CColumnDataNum::CColumnDataNum(const QString& column, const QString& labelKey, uint ctrlId,
                               uint labelCtrlId, int editLimit, int size, int decimals)
    : CColumnData(column, labelKey, ctrlId, labelCtrlId)
{
    m_nEditLimit = editLimit;
    m_nOverrideSize = size;
    m_nOverrideDecimals = decimals;
}

bool CColumnDataNum::CheckNumberText(const QString& text) const
{
    if (text.isEmpty())
        return true;
    bool digit = false;
    int points = 0;
    for (const QChar c : text) {
        if (c >= u'0' && c <= u'9')
            digit = true;
        else if (c == u'.' && m_nDecimals > 0)
            ++points;
        else
            return false;
    }
    // "." alone, or a second point, would reach a NUMERIC column as text.
    if (!digit || points > 1)
        return false;
    // m_nSize and m_nDecimals are the override's when one is set.
    const qsizetype length = text.size();
    const qsizetype point = text.indexOf(u'.');
    if (m_nDecimals == 0)
        return true; // the edit limit bounds the length
    const qsizetype integers = m_nSize - m_nDecimals;
    if (point < 0)
        return length <= integers;
    return point <= integers && length - point - 1 <= m_nDecimals;
}

} // namespace brelkin
