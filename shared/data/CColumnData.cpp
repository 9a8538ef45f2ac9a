#include "shared/data/CColumnData.h"

#include "shared/controls/CEcrEdit.h"
#include "shared/lang/CSarvikApp.h"
#include "shared/controls/TextColumns.h"
#include "shared/lang/WindowText.h"

#include <QWidget>

CColumnData::CColumnData() = default;

CColumnData::CColumnData(const QString& column, const QString& labelKey, uint ctrlId,
                         uint labelCtrlId)
    : m_strColumnName(column), m_strLabelKey(labelKey), m_nCtrlID(ctrlId),
      m_nLabelCtrlID(labelCtrlId)
{
}

CColumnData::~CColumnData() = default;

int CColumnData::SetFieldInfo(const CSQTableInfoArray* tableInfo)
{
    QString label = LoadCommonString(m_strLabelKey);
    if (label.isEmpty())
        label = m_strLabelKey; // a key without text shows itself
    m_nLabelWidth = GetColumnCountOfUnicode(label);

    if (!tableInfo)
        return COLUMNINFO_NO_TABLE_INFO;
    for (const CSQTableInfo& info : *tableInfo) {
        if (info.m_strName != m_strColumnName)
            continue;
        m_nType = info.m_nType;
        if (m_nOverrideSize != 0) {
            m_nSize = m_nOverrideSize;
            m_nDecimals = m_nOverrideDecimals;
        } else {
            m_nSize = info.m_nSize;
            m_nDecimals = info.m_nScale;
        }
        m_nPrimaryKey = info.m_nPrimaryKey;
        m_bNullable = info.m_nNotNull == 0;
        return COLUMNINFO_OK;
    }
    // A descriptor of a column the table lacks would read and write nothing
    // useful; the list refuses to open rather than lose values silently.
    return COLUMNINFO_MISSING;
}

QString CColumnData::GetDescript(QString value)
{
    return value;
}

int CColumnData::GetDescriptWidth()
{
    return m_nSize + (m_nDecimals != 0 ? 1 : 0);
}

void CColumnData::ReadCandidate(QWidget*) {}

void CColumnData::SetControlValue(QWidget* control, const QString& value)
{
    // The suite's edits filter every text they take only through SetText.
    if (auto edit = qobject_cast<CEcrEdit*>(control))
        edit->SetText(value);
    else
        SetWindowText(control, value);
}

void CColumnData::GetControlValue(QWidget* control, QString& value)
{
    value = GetWindowText(control);
}

bool CColumnData::CheckControlValue(QWidget* control)
{
    m_strErrMsg.clear();
    if (m_bNullable)
        return true;
    QString value;
    GetControlValue(control, value);
    return !value.isEmpty();
}

void CColumnData::FreeResorce() {}

bool CColumnData::CheckItemValue(QString, QString, QString value)
{
    m_strErrMsg.clear();
    return m_bNullable || !value.isEmpty();
}

void CColumnData::GetPreEditValue(QWidget* control, QString& value)
{
    GetControlValue(control, value);
}

void CColumnData::SaveItemEX(int) {}

QString CColumnData::GetDefaultValue()
{
    return m_strDefaultValue;
}

void CColumnData::SetDefaultValue(QString value)
{
    m_strDefaultValue = value;
}
