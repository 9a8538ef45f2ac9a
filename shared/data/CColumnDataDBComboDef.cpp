#include "shared/data/CColumnDataDBComboDef.h"

CColumnDataDBComboDef::CColumnDataDBComboDef(const QString& column, const QString& labelKey,
                                             uint ctrlId, uint labelCtrlId, const QString& table,
                                             const QString& codeColumn, const QString& nameColumn,
                                             int addBlank, const QString& defaultValue)
    : CColumnDataDBCombo(column, labelKey, ctrlId, labelCtrlId, table, codeColumn, nameColumn,
                         addBlank)
{
    m_strDefaultValue = defaultValue;
}

QString CColumnDataDBComboDef::GetDescript(QString value)
{
    const QString text = CColumnDataDBCombo::GetDescript(value);
    return text == m_strDefaultValue ? QString() : text;
}

QString CColumnDataDBComboDef::EntryValue(int index) const
{
    if (m_bNullable && index <= 0)
        return m_strDefaultValue;
    return CColumnDataDBCombo::EntryValue(index);
}
