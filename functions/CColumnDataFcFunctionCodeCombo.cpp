#include "functions/CColumnDataFcFunctionCodeCombo.h"

#include "shared/controls/TextColumns.h"

#include <QComboBox>

namespace kesmond {

CColumnDataFcFunctionCodeCombo::CColumnDataFcFunctionCodeCombo(
    const QString& column, const QString& labelKey, uint ctrlId, uint labelCtrlId,
    const QString& table, const QString& codeColumn, const QString& nameColumn, int addBlank)
    : CColumnDataDBCombo(column, labelKey, ctrlId, labelCtrlId, table, codeColumn, nameColumn,
                         addBlank)
{
}

CColumnDataFcFunctionCodeCombo::~CColumnDataFcFunctionCodeCombo() = default;

void CColumnDataFcFunctionCodeCombo::SetMasterTable(const QString& table)
{
    if (table == m_strCandTable)
        return;
    FreeCandidates();
    m_strCandTable = table;
}

QString CColumnDataFcFunctionCodeCombo::CodeAndName(const QStringList& row)
{
    if (row.value(0).isEmpty() && row.value(1).isEmpty())
        return QString();
    return row.value(0) + u' ' + row.value(1);
}

QString CColumnDataFcFunctionCodeCombo::GetDescript(QString value)
{
    ReadCandidateRows(m_pSQliteDB);
    const qsizetype index = FindCandidateLinear(Candidates(), value);
    if (index < 0 || value.isEmpty())
        return value;
    return CodeAndName(Candidates().GetAt(index)->toList());
}

int CColumnDataFcFunctionCodeCombo::GetDescriptWidth()
{
    ReadCandidateRows(m_pSQliteDB);
    int width = m_nSize;
    for (const CRecord* row : Candidates())
        width = std::max(width, GetColumnCountOfUnicode(CodeAndName(row->toList())));
    return width;
}

void CColumnDataFcFunctionCodeCombo::ReadCandidate(QWidget* control)
{
    auto* combo = qobject_cast<QComboBox*>(control);
    if (!combo)
        return;
    combo->clear();
    ReadCandidateRows(m_pSQliteDB);
    for (const CRecord* row : Candidates())
        combo->addItem(CodeAndName(row->toList()));
}

} // namespace kesmond
