#include "shared/data/CColumnDataCandidates.h"

CColumnDataCandidates::CColumnDataCandidates(const QString& column, const QString& labelKey,
                                             uint ctrlId, uint labelCtrlId, const QString& table,
                                             const QString& codeColumn, const QString& nameColumn,
                                             int addBlank)
    : CColumnData(column, labelKey, ctrlId, labelCtrlId),
      CComboCandidates(table, codeColumn, nameColumn, addBlank)
{
}

CColumnDataCandidates::~CColumnDataCandidates() = default;

QString CColumnDataCandidates::GetDescript(QString value)
{
    // Through the virtual read, so a column that builds its own rows is
    // looked up in them.
    if (Candidates().IsEmpty())
        ReadCandidate(nullptr);
    return SortedDescript(value);
}

int CColumnDataCandidates::GetDescriptWidth()
{
    return NameColumnWidth(m_pSQliteDB, m_nSize + (m_nDecimals != 0 ? 1 : 0));
}

void CColumnDataCandidates::FreeResorce()
{
    FreeCandidates();
}
