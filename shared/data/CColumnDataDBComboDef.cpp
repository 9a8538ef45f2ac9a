#include "shared/data/CColumnDataDBComboDef.h"

#include <QComboBox>

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

void CColumnDataDBComboDef::GetControlValue(QWidget* control, QString& value)
{
    const int index = SelectedIndex(control);
    if (m_bNullable && index <= 0)
        value = m_strDefaultValue;
    else
        CColumnDataDBCombo::GetControlValue(control, value);
}
