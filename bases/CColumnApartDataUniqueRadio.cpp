#include "bases/CColumnApartDataUniqueRadio.h"

#include "bases/CColumnApartData.h"
#include "bases/ControlText.h"

#include "shared/controls/FindControlById.h"

#include <QAbstractButton>

namespace dunmarel {

CColumnApartDataUniqueRadio::CColumnApartDataUniqueRadio(
    const QString& table, const QString& column, const QString& keyColumn, const QString& keyValue,
    uint ctrlId, uint labelCtrlId, const char* const* labelKeys)
    : CColumnDataUniqueRadio(column, QString(), ctrlId, labelCtrlId, labelKeys)
{
    CColumnApartData::BindOwnRow(*this, table, keyColumn, keyValue);
}

CColumnApartDataUniqueRadio::~CColumnApartDataUniqueRadio() = default;

void CColumnApartDataUniqueRadio::SetControlValue(QWidget* control, const QString& value)
{
    const bool names =
        !value.isEmpty() && IsAllDigits(value) && value.size() < 4 && value.toInt() < m_nRadioCount;
    if (names) {
        CColumnDataUniqueRadio::SetControlValue(control, value);
        return;
    }
    auto* first = qobject_cast<QAbstractButton*>(control);
    for (QAbstractButton* button : RadioGroupFrom(first, m_nRadioCount))
        SetRadioChecked(button, false);
}

} // namespace dunmarel
