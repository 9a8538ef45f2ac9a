#include "shared/data/CColumnDataDBCombo.h"

#include <QComboBox>

CColumnDataDBCombo::CColumnDataDBCombo(const QString& column, const QString& labelKey, uint ctrlId,
                                       uint labelCtrlId, const QString& table,
                                       const QString& codeColumn, const QString& nameColumn,
                                       int addBlank)
    : CColumnDataCandidates(column, labelKey, ctrlId, labelCtrlId, table, codeColumn, nameColumn,
                            addBlank)
{
}

CColumnDataDBCombo::~CColumnDataDBCombo() = default;

void CColumnDataDBCombo::ReadCandidate(QWidget* control)
{
    ReadCandidateRows(m_pSQliteDB);
    FillCombo(control);
}

void CColumnDataDBCombo::FillCombo(QWidget* control)
{
    auto* combo = qobject_cast<QComboBox*>(control);
    if (!combo)
        return;
    // A combo filled before (a page opened again) would otherwise show every
    // entry twice and lose entry i = candidate i.
    combo->clear();
    for (const CRecord* row : Candidates())
        combo->addItem(row->value(1));
}

void CColumnDataDBCombo::SetControlValue(QWidget* control, const QString& value)
{
    if (auto* combo = qobject_cast<QComboBox*>(control))
        combo->setCurrentIndex(int(FindCandidateLinear(Candidates(), value)));
}

int CColumnDataDBCombo::SelectedIndex(QWidget* control) const
{
    auto* combo = qobject_cast<QComboBox*>(control);
    if (!combo || !m_pCandidates)
        return -1;
    const int index = combo->currentIndex();
    return index >= 0 && index < m_pCandidates->GetSize() ? index : -1;
}

void CColumnDataDBCombo::GetControlValue(QWidget* control, QString& value)
{
    value = EntryValue(SelectedIndex(control));
}

QString CColumnDataDBCombo::EntryValue(int index) const
{
    if (!m_pCandidates || index < 0 || index >= m_pCandidates->GetSize())
        return QString();
    return m_pCandidates->GetAt(index)->value(0);
}

bool CColumnDataDBCombo::CheckControlValue(QWidget* control)
{
    m_strErrMsg.clear();
    return m_bNullable || SelectedIndex(control) >= 0;
}
