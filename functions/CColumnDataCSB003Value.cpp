#include "functions/CColumnDataCSB003Value.h"

#include "shared/config/CBasePath.h"
#include "shared/controls/CPercentEdit.h"
#include "shared/controls/CPriceEdit.h"
#include "shared/data/CSqLiteUtility.h"
#include "shared/lang/WindowText.h"

namespace kesmond {

namespace {

const QString kSettingsTable = QStringLiteral("CSB003");
const QString kValueCode = QStringLiteral("VALUE");

} // namespace

CColumnDataCSB003Value::CColumnDataCSB003Value(const QString& column, const QString& labelKey,
                                               uint ctrlId, uint labelCtrlId, int mayBeEmpty,
                                               int amountKind, int size, int decimals)
    : CColumnData(column, labelKey, ctrlId, labelCtrlId), m_nAmountKind(amountKind)
{
    m_bNullable = mayBeEmpty != 0;
    m_nSize = size;
    m_nDecimals = decimals;
    m_nPrimaryKey = 1;
}

CColumnDataCSB003Value::~CColumnDataCSB003Value() = default;

int CColumnDataCSB003Value::SetFieldInfo(const CSQTableInfoArray*)
{
    // Size and decimals are the column's own; the key column's facts are not.
    m_nLabelWidth = 0;
    m_nType = SQLTYPE_VARCHAR;
    return COLUMNINFO_OK;
}

QString CColumnDataCSB003Value::GetDescript(QString value)
{
    return value;
}

void CColumnDataCSB003Value::ReadCandidate(QWidget*) {}

void CColumnDataCSB003Value::FreeResorce() {}

void CColumnDataCSB003Value::SaveItemEX(int) {}

void CColumnDataCSB003Value::SetEditDigits(QWidget* edit)
{
    if (m_nAmountKind == Amount) {
        if (auto* price = qobject_cast<CPriceEdit*>(edit))
            price->SetDigits(m_nSize);
    } else if (auto* percent = qobject_cast<CPercentEdit*>(edit)) {
        percent->SetDigits(m_nSize - m_nDecimals, m_nDecimals);
    }
}

void CColumnDataCSB003Value::SetControlValue(QWidget* control, const QString& value)
{
    m_strKeyCode = value;
    m_nLastWriteStatus = 0;
    SetEditDigits(control);
    if (!m_pSQliteDB)
        return;
    QStringList stored;
    int err = 0;
    if (CSqLiteUtility::GetStringArray(
            *m_pSQliteDB, kSettingsTable, {kValueCode},
            QStringLiteral("FUNCKEYCODE = '%1' AND FUNCSETCODE = 'VALUE'")
                .arg(CSqLiteUtility::EscapeSQLValue(value)),
            QString(), stored, err) == 1)
        for (const QString& text : std::as_const(stored))
            ShowStoredValue(control, text);
}

void CColumnDataCSB003Value::ShowStoredValue(QWidget* edit, const QString& stored)
{
    if (m_nAmountKind == Amount) {
        SetEditDigits(edit);
        CColumnData::SetControlValue(edit, stored);
        return;
    }
    if (stored.isEmpty())
        return;
    SetEditDigits(edit);
    // The stored decimal text as it stands: through a floating-point number
    // "1.15" came back as 1.14.
    CColumnData::SetControlValue(edit, stored);
}

void CColumnDataCSB003Value::ReadEditText(QWidget* edit, QString& text)
{
    if (m_nAmountKind == Amount)
        CColumnData::GetControlValue(edit, text);
    else
        text = GetWindowText(edit);
}

void CColumnDataCSB003Value::GetControlValue(QWidget* control, QString& value)
{
    // Without a key shown there is nothing to write; the key stays as given.
    if (m_strKeyCode.isEmpty())
        return;
    // The key stays: a save that failed and rolled back writes it again.
    const QString key = m_strKeyCode;
    value = key;
    QString text;
    ReadEditText(control, text);
    m_nLastWriteStatus = SQLERR_NOT_OPEN;
    if (!m_pSQliteDB)
        return;
    const QString now = GetTimestampOfNow();
    CSqLiteUtility::InsertOneRecord(
        *m_pSQliteDB, kSettingsTable,
        {QStringLiteral("FUNCKEYCODE"), QStringLiteral("FUNCSETCODE")},
        {kValueCode, QStringLiteral("CREATEDATETIME"), QStringLiteral("UPDATEDATETIME")},
        {key, kValueCode}, {text, now, now}, m_nLastWriteStatus);
}

bool CColumnDataCSB003Value::CheckControlValue(QWidget*)
{
    // Every input is accepted; the base check would write the row.
    m_strErrMsg.clear();
    return true;
}

} // namespace kesmond
