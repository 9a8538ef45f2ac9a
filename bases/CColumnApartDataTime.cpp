#include "bases/CColumnApartDataTime.h"

#include "bases/ControlText.h"

namespace dunmarel {

CColumnApartDataTime::CColumnApartDataTime(const QString& table, const QString& column,
                                           const QString& keyColumn, const QString& keyValue,
                                           uint ctrlId, uint labelCtrlId, int editWidth, int size)
    : CColumnApartData(table, column, keyColumn, keyValue, ctrlId, labelCtrlId, editWidth, size, 0)
{
}

CColumnApartDataTime::~CColumnApartDataTime() = default;

// Digits only: a text comparison alone would let "0:0;" through.
bool CColumnApartDataTime::CheckControlValue(QWidget* control)
{
    m_strErrMsg.clear();
    const QString value = ControlText(control);
    if (value.isEmpty() || value == u"0")
        return true;
    return value.size() == 4 && IsAllDigits(value) && value.left(2) <= u"23" &&
           value.right(2) <= u"59";
}

} // namespace dunmarel
