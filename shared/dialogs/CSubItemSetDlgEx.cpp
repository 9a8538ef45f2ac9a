#include "shared/dialogs/CSubItemSetDlgEx.h"

#include "shared/data/CColumnData.h"

#include <QComboBox>

CSubItemSetDlgEx::CSubItemSetDlgEx(QWidget* parent) : CSubItemSetDlg(parent) {}

CSubItemSetDlgEx::CSubItemSetDlgEx(QWidget* parent, E_DlgTypeTag form, int allInOne)
    : CSubItemSetDlg(parent, form, allInOne)
{
}

CSubItemSetDlgEx::~CSubItemSetDlgEx() = default;

bool CSubItemSetDlgEx::DrivenByColumn() const
{
    return m_pColumnData && m_eDlgType == DLGTYPE_COMBO && m_pComboBox;
}

bool CSubItemSetDlgEx::SetValueToControl()
{
    if (!m_pColumnData)
        return CSubItemSetDlg::SetValueToControl();
    if (DrivenByColumn()) {
        m_pColumnData->ReadCandidate(m_pComboBox);
        m_pColumnData->SetControlValue(m_pComboBox, m_strValue);
    }
    return true;
}

bool CSubItemSetDlgEx::GetValueToControl()
{
    if (!m_pColumnData)
        return CSubItemSetDlg::GetValueToControl();
    if (!DrivenByColumn())
        return true;
    if (m_pColumnData->CheckControlValue(m_pComboBox)) {
        m_pColumnData->GetControlValue(m_pComboBox, m_strValue);
        return true;
    }
    // OK shows it; an import learns of it from the result.
    m_strRefusedKey = m_pColumnData->m_strErrMsg.isEmpty() ? QStringLiteral("CRDS_CMN_ERR_INPUT")
                                                           : m_pColumnData->m_strErrMsg;
    return false;
}

bool CSubItemSetDlgEx::SetValueImportTextData(const QString& text, int allowEmpty,
                                              CErrDataInfo::DataErrTypetag& errorType,
                                              QString& errorKey)
{
    if (!DrivenByColumn())
        return CSubItemSetDlg::SetValueImportTextData(text, allowEmpty, errorType, errorKey);
    // A kind and key left from an earlier value must not stick to this one.
    errorType = CErrDataInfo::DATAERR_NONE;
    errorKey.clear();
    if (text.isEmpty() && allowEmpty == 1) {
        m_pComboBox->setCurrentIndex(-1);
        return true;
    }
    m_pComboBox->setFocus(Qt::OtherFocusReason);
    QStringList entries;
    for (int i = 0; i < m_pComboBox->count(); ++i)
        entries << m_pComboBox->itemText(i);
    // An empty list matches nothing, so the text is refused here rather than
    // by a message when the value is taken.
    const int index = FindSubItemEntryText(entries, text);
    if (index < 0) {
        errorType = CErrDataInfo::DATAERR_ERROR;
        errorKey = QStringLiteral("CRDS_ERR_INPUT");
        return false;
    }
    m_pComboBox->setCurrentIndex(index);
    return true;
}
