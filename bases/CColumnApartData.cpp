#include "bases/CColumnApartData.h"

#include "goods/base/CMessageEdit.h"

namespace dunmarel {

CColumnApartData::CColumnApartData(const QString& table, const QString& column,
                                   const QString& keyColumn, const QString& keyValue, uint ctrlId,
                                   uint labelCtrlId)
    : CColumnData(column, QString(), ctrlId, labelCtrlId)
{
    BindOwnRow(*this, table, keyColumn, keyValue);
}

CColumnApartData::CColumnApartData(const QString& table, const QString& column,
                                   const QString& keyColumn, const QString& keyValue, uint ctrlId,
                                   uint labelCtrlId, int editWidth)
    : CColumnApartData(table, column, keyColumn, keyValue, ctrlId, labelCtrlId)
{
    m_nEditWidth = editWidth;
}

CColumnApartData::CColumnApartData(const QString& table, const QString& column,
                                   const QString& keyColumn, const QString& keyValue, uint ctrlId,
                                   uint labelCtrlId, int editWidth, int size, int decimals)
    : CColumnApartData(table, column, keyColumn, keyValue, ctrlId, labelCtrlId, editWidth)
{
    m_nOverrideSize = size;
    m_nOverrideDecimals = decimals;
}

CColumnApartData::~CColumnApartData() = default;

void CColumnApartData::SetControlValue(QWidget* control, const QString& value)
{
    if (auto* message = qobject_cast<CMessageEdit*>(control))
        message->SetStoredText(value);
    else
        CColumnData::SetControlValue(control, value);
}

void CColumnApartData::GetControlValue(QWidget* control, QString& value)
{
    if (auto* message = qobject_cast<CMessageEdit*>(control))
        value = message->StoredText();
    else
        CColumnData::GetControlValue(control, value);
}

void CColumnApartData::BindOwnRow(CColumnData& column, const QString& table,
                                  const QString& keyColumn, const QString& keyValue)
{
    column.m_strOwnTable = table;
    column.m_strOwnKeyColumn = keyColumn;
    column.m_strOwnKeyValue = keyValue;
}

} // namespace dunmarel
