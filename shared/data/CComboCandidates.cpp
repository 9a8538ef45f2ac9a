#include "shared/data/CComboCandidates.h"

#include "shared/data/CSqLiteUtility.h"

#include "stroven/Stroven.h"

CComboCandidates::CComboCandidates(const QString& table, const QString& codeColumn,
                                   const QString& nameColumn, int addBlank)
    : m_strCandTable(table), m_strCodeColumn(codeColumn), m_strNameColumn(nameColumn),
      m_bAddBlank(addBlank == 1)
{
    Candidates();
}

CComboCandidates::~CComboCandidates() = default;

CStringArrayPtrArray& CComboCandidates::Candidates()
{
    if (!m_pCandidates) {
        m_pCandidates = std::make_unique<CStringArrayPtrArray>();
        m_pCandidates->SetAutoDeleteMember(1);
    }
    return *m_pCandidates;
}

bool CComboCandidates::ReadCandidateRows(CSQliteDB* db)
{
    CStringArrayPtrArray& rows = Candidates();
    if (!rows.IsEmpty())
        return true;
    if (!db || m_strCandTable.isEmpty())
        return false;
    if (!m_pCandReader)
        m_pCandReader = std::make_unique<CSQliteSQL>(*db, m_strCandTable);
    if (m_pCandReader->SetSQLForRead({m_strCodeColumn, m_strNameColumn}, QString(),
                                     CSqLiteUtility::QuoteSQLName(m_strCodeColumn), 0) != 0)
        return false;
    int status = 0;
    const CSQRowArray* fetched = m_pCandReader->ExecReadNext(status);
    if (!fetched || (status != 0 && status != SQLREAD_END))
        return false;
    if (m_bAddBlank)
        rows.Add(new CRecord{QString(), QString()});
    for (const QStringList* row : *fetched)
        rows.Add(new CRecord{row->value(0), row->value(1)});
    return true;
}

QString CComboCandidates::SortedDescript(const QString& code)
{
    const qsizetype index = FindCandidateSorted(Candidates(), code);
    return index < 0 ? code : Candidates().GetAt(index)->value(1);
}

int CComboCandidates::NameColumnWidth(CSQliteDB* db, int start) const
{
    if (!db || m_strCandTable.isEmpty())
        return start;
    CSQliteSQL info(*db, m_strCandTable);
    int err = 0;
    const CSQTableInfoArray* columns = info.GetTableInfo(err);
    if (err != 0)
        return start;
    for (const CSQTableInfo& column : *columns)
        if (column.m_strName.compare(m_strNameColumn, Qt::CaseInsensitive) == 0)
            return (column.m_nSize != 0 ? column.m_nSize : start) + (column.m_nScale != 0 ? 1 : 0);
    return start;
}

void CComboCandidates::FreeCandidates()
{
    m_pCandReader.reset();
    m_pCandidates.reset();
}

qsizetype FindCandidateSorted(const CStringArrayPtrArray& rows, const QString& code)
{
    qsizetype low = 0;
    qsizetype high = rows.GetSize() - 1;
    while (low <= high) {
        const qsizetype middle = low + (high - low) / 2;
        const int order = rows.GetAt(middle)->value(0).compare(code);
        if (order == 0)
            return middle;
        if (order < 0)
            low = middle + 1;
        else
            high = middle - 1;
    }
    return -1;
}

qsizetype FindCandidateLinear(const CStringArrayPtrArray& rows, const QString& code)
{
    for (qsizetype i = 0; i < rows.GetSize(); ++i)
        if (rows.GetAt(i)->value(0) == code)
            return i;
    return -1;
}
