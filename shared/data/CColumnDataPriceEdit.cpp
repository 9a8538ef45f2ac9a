#include "shared/data/CColumnDataPriceEdit.h"

#include "shared/controls/CPriceEdit.h"

void CColumnDataPriceEdit::SetControlValue(QWidget* control, const QString& value)
{
    if (auto edit = qobject_cast<CPriceEdit*>(control)) {
        edit->SetDigits(m_nSize);
        edit->SetText(value);
        return;
    }
    CColumnData::SetControlValue(control, value);
}
