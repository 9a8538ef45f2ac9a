#include "bases/CColumnApartNumData.h"

#include "bases/ControlText.h"

#include <algorithm>

namespace dunmarel {

CColumnApartNumData::CColumnApartNumData(const QString& table, const QString& column,
                                         const QString& keyColumn, const QString& keyValue,
                                         uint ctrlId, uint labelCtrlId, int editWidth, int size,
                                         int decimals)
    : CColumnApartData(table, column, keyColumn, keyValue, ctrlId, labelCtrlId, editWidth, size,
                       decimals)
{
}

CColumnApartNumData::~CColumnApartNumData() = default;

// Every non-empty value is looked at: the value columns may all be empty, so
// a check that trusted NOT NULL would never run.
bool CColumnApartNumData::CheckControlValue(QWidget* control)
{
    m_strErrMsg.clear();
    const QString value = ControlText(control);
    if (m_nDecimals > 0)
        return std::all_of(value.begin(), value.end(),
                           [](QChar c) { return (c >= u'0' && c <= u'9') || c == u'.'; });
    return IsAllDigits(value);
}

} // namespace dunmarel
