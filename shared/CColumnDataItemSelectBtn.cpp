#include "CColumnDataItemSelectBtn.h"

#include "CItemSelectButton.h"
#include "WindowText.h"

CColumnDataItemSelectBtn::CColumnDataItemSelectBtn(const QString& column, const QString& labelKey,
                                                   uint ctrlId, uint labelCtrlId,
                                                   const QString& table, const QString& codeColumn,
                                                   const QString& nameColumn, int addBlank)
    : CColumnData(column, labelKey, ctrlId, labelCtrlId),
      CComboCandidates(table, codeColumn, nameColumn, addBlank)
{
}

CColumnDataItemSelectBtn::~CColumnDataItemSelectBtn() = default;

QString CColumnDataItemSelectBtn::GetDescript(QString value)
{
    // Through the virtual read, so a column that builds its own rows is
    // looked up in them.
    if (Candidates().IsEmpty())
        ReadCandidate(nullptr);
    return SortedDescript(value);
}

int CColumnDataItemSelectBtn::GetDescriptWidth()
{
    return NameColumnWidth(m_pSQliteDB, m_nSize + (m_nDecimals != 0 ? 1 : 0));
}

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

void CColumnDataItemSelectBtn::FreeResorce()
{
    FreeCandidates();
}
