#include "shared/data/CColumnDataItemSelectBtn.h"

#include "shared/controls/CItemSelectButton.h"
#include "shared/lang/WindowText.h"

CColumnDataItemSelectBtn::CColumnDataItemSelectBtn(const QString& column, const QString& labelKey,
                                                   uint ctrlId, uint labelCtrlId,
                                                   const QString& table, const QString& codeColumn,
                                                   const QString& nameColumn, int addBlank)
    : CColumnDataCandidates(column, labelKey, ctrlId, labelCtrlId, table, codeColumn, nameColumn,
                            addBlank)
{
}

CColumnDataItemSelectBtn::~CColumnDataItemSelectBtn() = default;

void CColumnDataItemSelectBtn::ReadCandidate(QWidget*)
{
    ReadCandidateRows(m_pSQliteDB);
}

void CColumnDataItemSelectBtn::SetControlValue(QWidget* control, const QString& value)
{
    auto* button = qobject_cast<CItemSelectButton*>(control);
    if (!button)
        return;
    // Without its candidates every stored code would look unknown and be
    // cleared on the next save.
    ReadCandidateRows(m_pSQliteDB);
    const qsizetype index = FindCandidateLinear(Candidates(), value);
    if (index < 0) {
        button->m_strSelectCode.clear();
        button->m_strSelectName.clear();
        return;
    }
    button->m_strSelectName = Candidates().GetAt(index)->value(1);
    button->m_strSelectCode = value;
    SetWindowText(button, button->m_strSelectName);
}

void CColumnDataItemSelectBtn::GetControlValue(QWidget* control, QString& value)
{
    auto* button = qobject_cast<CItemSelectButton*>(control);
    value = button ? button->m_strSelectCode : QString();
}

bool CColumnDataItemSelectBtn::CheckControlValue(QWidget* control)
{
    m_strErrMsg.clear();
    auto* button = qobject_cast<CItemSelectButton*>(control);
    return m_bNullable || (button && !button->m_strSelectCode.isEmpty());
}
